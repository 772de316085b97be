// Viewing changes nothing: every input window of the program opened from its
// menu entry (or its "Edit Layer" button) over every example and sample
// project and closed without an edit, then the project saved, gives the file
// that a save without the window gives. That save differs from the file
// read only by the repairs every save makes, listed here per project.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <QPushButton>
#include <gtest/gtest.h>

#include "dialogs/input_dialog.h"
#include "dialogs/soil_layers_dialog.h"
#include "dialogs/soil_properties_dialog.h"
#include "document_rules.h"
#include "engine_run.h"
#include "file_text.h"
#include "main_form_fixture.h"

namespace korva::test {
namespace {

namespace fs = std::filesystem;
using app_widgets::TDlgSoilLayers;
using app_widgets::TInputDialog;

// A line of the project file that a save writes otherwise.
struct Repair {
    std::string read;  // as the file has it
    std::string saved; // as every save writes it
};

struct SweptProject {
    std::string path; // of the .kv7d, with its .cpt beside it
    std::vector<Repair> repairs; // by every save
    // By a window's own rules when it is closed, as (window, repair).
    std::vector<std::pair<std::string, Repair>> windowRepairs = {};
};

std::vector<SweptProject> SweptProjects()
{
    return {
        {DataPath("../../examples/sand-pile.kv7d"), {}},
        {DataPath("../../examples/benchmark-pile.kv7d"),
         {// The top of the first layer is written as the placeholder "0.0".
          {"0 1 0.8 10 32 20 \r\n", "0.0 1 0.8 10 32 20 \r\n"},
          // The cross-section table keeps at least its two rows.
          {"0 1\r\n0 0\r\n0 0\r\n", "0 1\r\n0 0\r\n2 0\r\n0 0\r\n0 0\r\n"}}},
        {DataPath("app/english-three-layers.kv7d"), {}},
        {DataPath("app/si-all-soils.kv7d"),
         {},
         {// The area comes from the depth table: the disabled field of a
          // constant area shows 0 and stores it.
          {"material", {"30 0.0229\r\n", "30 0\r\n"}},
          // The load-transfer method (user-specified) is always among the
          // capacity methods; USACE is then no longer the only one, so the
          // silt layer becomes sand with its unit weight, friction angle,
          // blow counts and Ko (its undrained shear strength goes).
          {"methods", {"0 1 0 0 0 0 0 0 0 \r\n", "0 1 0 0 1 0 0 0 0 \r\n"}},
          {"methods",
           {"17.5 3 0.9 8.5 28 0.0 \r\n90 4500 35 12 0.0 0.0 0.0 0.0 0.0 0.85 0.9 0 \r\n"
            "30 3 0.9 9 29 0.0 \r\n90 4500 40 18 0.0 0.0 0.0 0.0 0.0 0.85 0.9 0 \r\n",
            "17.5 1 0.9 8.5 28 0 \r\n90 4500 0.0 12 0.0 0.0 0 0 0 0.85 0.9 0 \r\n"
            "30 1 0.9 9 29 0 \r\n90 4500 0.0 18 0.0 0.0 0 0 0 0.85 0.9 0 \r\n"}}}},
        {DataPath("app/noncircular-h-pile.kv7d"), {}},
        {DataPath("app/repairs-on-save.kv7d"),
         {// A circular section has no tip area of its own; an increment of 0 is 1.
          {"0 50 24 23 29000000 60 5\r\n", "0 0 24 23 29000000 60 5\r\n"},
          {"0 0 1 0 4 1 0\r\n", "0 1 1 0 4 1 0\r\n"},
          // The user unit values go while no method uses them.
          {"200000 1500 2500 1", "200000 0 0 1"},
          {"250000 1600 2600 1", "250000 0 0 1"}}},
    };
}

std::string Applied(std::string text, const std::vector<Repair>& repairs)
{
    for (const Repair& repair : repairs) {
        const std::size_t at = text.find(repair.read);
        EXPECT_NE(at, std::string::npos) << repair.read;
        if (at != std::string::npos)
            text.replace(at, repair.read.size(), repair.saved);
    }
    return text;
}

// The lines in which two texts differ ("line n: <a> | <b>"), empty when
// they are the same.
std::string Differences(const std::string& a, const std::string& b)
{
    const auto lines = [](const std::string& text) {
        std::vector<std::string> result;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            result.push_back(text.substr(start, end - start));
        result.push_back(text.substr(start));
        return result;
    };
    const std::vector<std::string> left = lines(a), right = lines(b);
    std::string differences;
    for (std::size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        const std::string l = i < left.size() ? left[i] : "<none>";
        const std::string r = i < right.size() ? right[i] : "<none>";
        if (l != r)
            differences += "line " + std::to_string(i + 1) + ": " + l + " | " + r + "\n";
    }
    return differences;
}

// What a window is opened with and closed by, as the user does it.
struct Window {
    std::string name;
    std::function<bool(MainFormFixture&)> openAndClose; // false: not offered for this project
};

bool OpenAndClose(MainFormFixture& f, TChildKind kind)
{
    QAction* entry = f.form->Actions().Children[static_cast<std::size_t>(kind)];
    if (!entry->isEnabled())
        return false;
    entry->trigger();
    ProcessEvents();
    auto* window = qobject_cast<TInputDialog*>(f.form->Child(kind));
    EXPECT_NE(window, nullptr);
    if (window)
        window->RequestClose();
    ProcessEvents();
    EXPECT_EQ(f.form->Child(kind), nullptr) << "still open";
    return true;
}

// "Edit Layer n" of the soil layers window, its properties page closed, then
// the soil layers window closed.
bool EditLayerAndClose(MainFormFixture& f, int layer)
{
    if (layer >= f.form->Tables().D.RowCount())
        return false;
    f.form->Actions().Children[static_cast<std::size_t>(TChildKind::SoilLayers)]->trigger();
    ProcessEvents();
    auto* layers = f.form->ChildAs<TDlgSoilLayers>(TChildKind::SoilLayers);
    if (!layers)
        return false;
    layers->EditButton(layer)->click();
    ProcessEvents();
    EXPECT_NE(layers->SoilsDialog(), nullptr);
    if (layers->SoilsDialog()) {
        EXPECT_TRUE(layers->SoilsDialog()->close());
    }
    ProcessEvents();
    layers->RequestClose();
    ProcessEvents();
    return true;
}

std::vector<Window> Windows()
{
    std::vector<Window> windows;
    for (const auto& [name, kind] : std::vector<std::pair<std::string, TChildKind>>{
             {"material", TChildKind::Material},
             {"methods", TChildKind::Methods},
             {"circular", TChildKind::CircularSection},
             {"noncircular", TChildKind::NoncircularSection},
             {"options", TChildKind::Options},
             {"title", TChildKind::Title},
             {"tzprint", TChildKind::TzPrint},
             {"cpt data", TChildKind::CptData},
             {"soil layers", TChildKind::SoilLayers}})
        windows.push_back({name, [kind = kind](MainFormFixture& f) { return OpenAndClose(f, kind); }});
    for (int layer = 0; layer < 5; ++layer)
        windows.push_back({"soil properties of layer " + std::to_string(layer + 1),
                           [layer](MainFormFixture& f) { return EditLayerAndClose(f, layer); }});
    return windows;
}

// The project copied into the fixture's folder, opened from the File menu.
void OpenCopy(MainFormFixture& f, const std::string& path)
{
    for (const char* extension : {".kv7d", ".cpt"})
        fs::copy_file(app::ChangeFileExt(path, extension), f.folder.Path(std::string("project") + extension));
    ChooseFile(f.folder.Path("project.kv7d"), app::pfvCurrent);
    f.form->FileOpenClick();
    ProcessEvents();
    ASSERT_TRUE(f.Messages().empty()) << f.Messages().front();
}

// The project file and the CPT point file as Save As writes them.
std::string SavedPair(MainFormFixture& f)
{
    ChooseFile(f.folder.Path("saved.kv7d"));
    EXPECT_TRUE(f.form->FileSaveAsClick());
    return f.folder.Read("saved.kv7d") + "\n--- cpt ---\n" + f.folder.Read("saved.cpt");
}

TEST(ViewingChangesNothing, ASaveWithoutAWindowMakesOnlyTheListedRepairs)
{
    for (const SweptProject& project : SweptProjects()) {
        SCOPED_TRACE(project.path);
        MainFormFixture f;
        OpenCopy(f, project.path);
        EXPECT_EQ(Differences(SavedPair(f), Applied(ReadText(project.path), project.repairs) + "\n--- cpt ---\n" +
                                                ReadText(app::ChangeFileExt(project.path, ".cpt"))),
                  "");
    }
}

TEST(ViewingChangesNothing, EveryInputWindowOpenedAndClosedLeavesTheSavedFileAsItWas)
{
    std::set<std::string> opened;
    for (const SweptProject& project : SweptProjects()) {
        std::string plain;
        {
            MainFormFixture f;
            OpenCopy(f, project.path);
            plain = SavedPair(f);
        }
        for (const Window& window : Windows()) {
            SCOPED_TRACE(project.path + ": " + window.name);
            MainFormFixture f;
            OpenCopy(f, project.path);
            if (!window.openAndClose(f))
                continue;
            opened.insert(window.name);
            EXPECT_TRUE(f.Messages().empty()) << f.Messages().front();
            std::vector<Repair> repairs;
            for (const auto& [name, repair] : project.windowRepairs)
                if (name == window.name)
                    repairs.push_back(repair);
            EXPECT_EQ(Differences(SavedPair(f), Applied(plain, repairs)), "");
        }
    }
    // Every window was swept on some project (both section shapes among them).
    for (const Window& window : Windows())
        EXPECT_EQ(opened.count(window.name), 1u) << window.name;
}

} // namespace
} // namespace korva::test
