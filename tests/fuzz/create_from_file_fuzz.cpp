// libFuzzer target of the program's project file reader (make fuzz): the
// input is a project file, optionally followed by a form feed and its CPT
// point file, opened with CreateFromFile in each of the three layouts. No
// exception may come out (a damaged file is an input error, shown and
// kept to what was read); the tables keep their limits and minimum rows; and
// what the program saves then reads back without a message and saves again
// to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_text.h"
#include "fuzz_files.h"
#include "program_data.h"
#include "project_tables.h"

using namespace korva::app;
using korva::fuzz::Folder;
using korva::fuzz::ReadFile;
using korva::fuzz::WriteFile;

namespace {

// One project as the main window holds it: its tables, CPT points and the
// messages shown while reading.
struct Project {
    Project()
    {
        host.Tables = &tables;
        host.MotionInput = &cpt;
        host.Events.ShowInformation = [this](const std::string& message) { messages.push_back(message); };
    }
    korva::components::TGridRegistry registry;
    TProjectTables tables{registry};
    TCptPoints cpt;
    TProjectHost host;
    std::vector<std::string> messages;
};

void CheckTables(const TProjectTables& t)
{
    if (t.D.RowCount() < 1 || t.D.RowCount() > kMaxSoilLayers || t.Sectionaldata.RowCount() < 2 ||
        t.Sectionaldata.RowCount() > kMaxSectionRows || t.TblTZDepth.RowCount() < 1 ||
        t.TblTZDepth.RowCount() > kMaxTzDepths)
        std::abort();
}

// A value at the very edge of the extended range may be written rounded
// beyond it (8 digits in a cell), which no reader takes: such a file is
// garbage kept as garbage, not a fault of the round trip.
bool AtTheEdgeOfTheRange(const std::string& text)
{
    return text.find("E49") != std::string::npos || text.find("E+49") != std::string::npos;
}

// Reads the file, saves it as `saveAs`; returns what was saved.
std::string OpenAndSave(const std::string& path, int version, const std::string& saveAs, std::size_t* messages)
{
    Project project;
    auto data = TProgramData::CreateFromFile(project.host, path, version);
    CheckTables(project.tables);
    if (messages)
        *messages = project.messages.size();
    data->FileName = saveAs;
    data->SaveToFile();
    return ReadFile(saveAs) + '\f' + ReadFile(ChangeFileExt(saveAs, ".cpt"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string folder = Folder();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\f');
    WriteFile(folder + "/p.kv7d", input.substr(0, split));
    if (split == std::string::npos)
        std::remove((folder + "/p.cpt").c_str());
    else
        WriteFile(folder + "/p.cpt", input.substr(split + 1));

    for (int version : {pfvCurrent, pfvPrevious, pfvOlder}) {
        const std::string saved = OpenAndSave(folder + "/p.kv7d", version, folder + "/q.kv7d", nullptr);
        if (AtTheEdgeOfTheRange(saved))
            continue;
        std::size_t messages = 0;
        const std::string again = OpenAndSave(folder + "/q.kv7d", pfvCurrent, folder + "/r.kv7d", &messages);
        if (messages != 0 || again != saved)
            std::abort();
    }
    return 0;
}
