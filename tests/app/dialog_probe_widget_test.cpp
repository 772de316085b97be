// korva-gui-probe's verbs of the input windows, run as a script runs them:
// the soil properties page of a layer, windows opened and closed without an
// edit (the project saved unchanged), and output paths named from the
// folder the probe starts in.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "probe_runner.h"
#include "temp_folder.h"
#include "test_support.h"

namespace korva::test {
namespace {

// examples/sand-pile copied into the folder as pile.kv7d with its pile.cpt.
struct SandPile {
    SandPile()
    {
        for (const char* extension : {".kv7d", ".cpt"})
            std::filesystem::copy_file(DataPath("../../examples/sand-pile") + extension,
                                       folder.Path(std::string("pile") + extension));
    }
    std::string Project() const { return folder.Path("pile.kv7d"); }
    // The saved pair is the example's, byte for byte.
    bool SavedUnchanged(const std::string& name) const
    {
        return folder.Read(name + ".kv7d") == folder.Read("pile.kv7d") &&
               folder.Read(name + ".cpt") == folder.Read("pile.cpt");
    }
    TempFolder folder;
};

std::string ReadExample(const std::string& extension)
{
    std::ifstream in(DataPath("../../examples/sand-pile") + extension, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QString Text(const ProbeRun& run, const char* field)
{
    return run.Json["fields"].toObject()[field].toObject()["text"].toString();
}

// "Edit Layer 1" of the example, closed without an edit: the friction angles
// and the blow counts it holds both stay, and the file is saved unchanged.
TEST(SoilPropertiesProbe, EditLayerClosedWithoutAnEditSavesTheProjectUnchanged)
{
    SandPile pile;
    const ProbeRun run =
        Probe("soil-properties " + pile.Project() + " 1 " + pile.folder.Path("page.png") + " --save " +
              pile.folder.Path("saved.kv7d"));
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Json["ok"].toBool()) << QJsonDocument(run.Json).toJson().toStdString();
    EXPECT_EQ(run.Json["caption"].toString(), "Data for Layer 1");
    EXPECT_EQ(Text(run, "BlowCountChoice"), "1");
    EXPECT_EQ(Text(run, "FrictionAngle.Top"), "30");
    EXPECT_EQ(Text(run, "FrictionAngle.Bottom"), "32");
    EXPECT_EQ(Text(run, "BlowCounts.Bottom"), "15");
    EXPECT_FALSE(run.Json["fields"].toObject()["FrictionAngle.Top"].toObject()["enabled"].toBool());
    EXPECT_FALSE(run.Json["modified"].toBool());
    EXPECT_TRUE(run.Json["closed"].toBool());
    EXPECT_TRUE(run.Json["messages"].toArray().isEmpty());
    EXPECT_TRUE(pile.folder.Exists("page.png"));
    EXPECT_TRUE(pile.SavedUnchanged("saved"));
}

TEST(SoilPropertiesProbe, ValuesTypedAndAChoicePickedAreSaved)
{
    SandPile pile;
    // The angle picked and typed: the blow counts go.
    const ProbeRun angle = Probe("soil-properties " + pile.Project() + " 1 " + pile.folder.Path("page.png") +
                                 " --set BlowCountChoice=0 --set FrictionAngle.Top=31 --save " +
                                 pile.folder.Path("angle.kv7d"));
    EXPECT_TRUE(angle.Json["ok"].toBool());
    EXPECT_TRUE(angle.Json["modified"].toBool());
    EXPECT_TRUE(angle.Json["fields"].toObject()["FrictionAngle.Top"].toObject()["enabled"].toBool());
    const std::string saved = pile.folder.Read("angle.kv7d");
    EXPECT_NE(saved.find("0.0 1 0.8 115 31 20 \r\n0 0 0.0 0 0.0 0.0 60000"), std::string::npos) << saved;
    EXPECT_NE(saved.find("20 1 0.8 115 32 20 \r\n0 0 0.0 0 0.0 0.0 80000"), std::string::npos) << saved;

    // The clay layer's adhesion graph picked: both rows take it.
    const ProbeRun clay = Probe("soil-properties " + pile.Project() + " 2 " + pile.folder.Path("page.png") +
                                " --set AdhesionMethod=2 --save " + pile.folder.Path("clay.kv7d"));
    EXPECT_TRUE(clay.Json["ok"].toBool());
    EXPECT_EQ(Text(clay, "AdhesionMethod"), "2");
    const std::string clayFile = pile.folder.Read("clay.kv7d");
    EXPECT_NE(clayFile.find("40000 0 0 1 1 2 \r\n"), std::string::npos) << clayFile;
    EXPECT_NE(clayFile.find("45000 0 0 1 1 2 \r\n"), std::string::npos) << clayFile;

    // No verb writes over the file it reads.
    const ProbeRun over = Probe("soil-properties " + pile.Project() + " 1 " + pile.folder.Path("page.png") +
                                " --set FrictionAngle.Top=29 --save " + pile.Project());
    EXPECT_FALSE(over.Json["ok"].toBool());
    EXPECT_EQ(pile.folder.Read("pile.kv7d"), ReadExample(".kv7d"));

    // A layer the project does not have is a usage error.
    EXPECT_EQ(Probe("soil-properties " + pile.Project() + " 9 " + pile.folder.Path("page.png")).ExitCode, 2);
}

// A value for a control the window does not offer (disabled, as the
// friction angles of a layer entered by blow counts, or the constant area of
// a section whose area is computed) is not typed: the verb names it as
// refused, is not ok, and the field and the saved file keep what they had.
TEST(DialogProbe, AValueForADisabledControlIsRefusedAndNotTyped)
{
    SandPile pile;
    const ProbeRun page = Probe("soil-properties " + pile.Project() + " 1 " + pile.folder.Path("page.png") +
                                " --set FrictionAngle.Top=31 --save " + pile.folder.Path("page.kv7d"));
    EXPECT_FALSE(page.Json["ok"].toBool());
    EXPECT_EQ(page.Json["refused"].toArray(), QJsonArray{"FrictionAngle.Top=31"});
    EXPECT_EQ(Text(page, "FrictionAngle.Top"), "30");
    EXPECT_TRUE(page.Json["messages"].toArray().isEmpty());
    EXPECT_TRUE(pile.SavedUnchanged("page"));

    const ProbeRun material = Probe("dialog material " + pile.Project() + " " + pile.folder.Path("material.png") +
                                    " --set SectionArea=5 --save " + pile.folder.Path("material.kv7d"));
    EXPECT_FALSE(material.Json["ok"].toBool());
    EXPECT_EQ(material.Json["refused"].toArray(), QJsonArray{"SectionArea=5"});
    EXPECT_EQ(Text(material, "SectionArea"), "0");
    EXPECT_TRUE(material.Json["messages"].toArray().isEmpty())
        << QJsonDocument(material.Json["messages"].toArray()).toJson().toStdString();
    EXPECT_TRUE(pile.SavedUnchanged("material"));

    // An offered control still takes its value.
    const ProbeRun offered = Probe("dialog material " + pile.Project() + " " + pile.folder.Path("material.png") +
                                   " --set SectionAreaMode=1 --set SectionArea=5");
    EXPECT_TRUE(offered.Json["ok"].toBool());
    EXPECT_TRUE(offered.Json["refused"].toArray().isEmpty());
    EXPECT_EQ(Text(offered, "SectionArea"), "5");
}

// The dialog and layers verbs without --set or actions: opened, closed and
// saved, the project unchanged.
TEST(DialogProbe, AWindowOpenedAndClosedWithoutAnEditSavesTheProjectUnchanged)
{
    SandPile pile;
    for (const std::string name : {"material", "methods", "circular", "options", "title", "tzprint"}) {
        SCOPED_TRACE(name);
        const ProbeRun run = Probe("dialog " + name + " " + pile.Project() + " " + pile.folder.Path(name + ".png") +
                                   " --save " + pile.folder.Path(name + ".kv7d"));
        EXPECT_TRUE(run.Json["ok"].toBool());
        EXPECT_TRUE(run.Json["closed"].toBool());
        EXPECT_TRUE(pile.SavedUnchanged(name));
    }
    const ProbeRun layers = Probe("layers " + pile.Project() + " " + pile.folder.Path("layers.kv7d"));
    EXPECT_TRUE(layers.Json["ok"].toBool());
    EXPECT_TRUE(layers.Json["closed"].toBool());
    EXPECT_TRUE(pile.SavedUnchanged("layers"));
}

// A window whose menu entry is disabled for the project is refused as the
// menu refuses it: the noncircular section of a circular pile, the circular
// one of an H-pile; nothing is opened, drawn or saved.
TEST(DialogProbe, AWindowWhoseMenuEntryIsDisabledIsRefused)
{
    SandPile pile;
    TempFolder h;
    for (const char* extension : {".kv7d", ".cpt"})
        std::filesystem::copy_file(DataPath("app/noncircular-h-pile") + extension,
                                   h.Path(std::string("h-pile") + extension));
    struct Case {
        std::string name, project, entry;
        TempFolder* folder;
    };
    for (const Case& c : {Case{"noncircular", pile.Project(), "Noncircular-Section Pile", &pile.folder},
                          Case{"circular", h.Path("h-pile.kv7d"), "Circular-Section Pile", &h}}) {
        SCOPED_TRACE(c.name);
        const ProbeRun run = Probe("dialog " + c.name + " " + c.project + " " + c.folder->Path("shown.png") +
                                   " --set PileLength=70 --save " + c.folder->Path("saved.kv7d"));
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_FALSE(run.Json["ok"].toBool());
        EXPECT_EQ(run.Json["messages"].toArray(),
                  QJsonArray{QString::fromStdString("The Data menu entry \"" + c.entry + "\" is disabled.")});
        EXPECT_FALSE(c.folder->Exists("shown.png"));
        EXPECT_FALSE(c.folder->Exists("saved.kv7d"));
    }
    // The entry of the shape the project has opens.
    const ProbeRun circular = Probe("dialog circular " + pile.Project() + " " + pile.folder.Path("shown.png"));
    EXPECT_TRUE(circular.Json["ok"].toBool());
    EXPECT_TRUE(circular.Json["messages"].toArray().isEmpty());
}

// Opening a project makes its folder current; every output named relative
// to the folder the probe started in lands there.
TEST(DialogProbe, RelativeOutputPathsAreTakenFromTheFolderTheProbeStartsIn)
{
    SandPile pile;
    TempFolder here;
    std::filesystem::create_directory(here.Path("out"));
    const std::string project = " " + pile.Project() + " ";
    const struct {
        std::string arguments;
        const char* written;
    } cases[] = {
        {"dialog title" + project + "out/title.png --save out/title.kv7d", "out/title.kv7d"},
        {"dialog material" + project + "out/material.png", "out/material.png"},
        {"soil-properties" + project + "1 out/page.png --save out/page.kv7d", "out/page.kv7d"},
        {"layers" + project + "out/layers.kv7d", "out/layers.kv7d"},
        {"elevation" + project + "out/elevation.png", "out/elevation.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProbeRun run = Probe(c.arguments, here.Folder());
        EXPECT_TRUE(run.Json["ok"].toBool());
        EXPECT_TRUE(here.Exists(c.written));
    }
    EXPECT_TRUE(here.Exists("out/title.png"));
    EXPECT_EQ(pile.folder.Listing(), "pile.cpt pile.kv7d ");
}

} // namespace
} // namespace korva::test
