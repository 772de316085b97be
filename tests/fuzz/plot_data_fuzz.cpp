// libFuzzer target of the program's plot data file reader (make fuzz): the
// input is a plot data file (.kv7p), read for a project that selects as many
// methods as its first word counts curves (so that the reader goes past the
// header), with and without extra t-z depths, in compression and in uplift.
// Only input errors may come out; a failed read leaves every plot and the
// result arrays empty; a read that succeeds leaves finite numbers within
// the result arrays, from which the wave-equation file can be made.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exceptions.h"
#include "file_text.h"
#include "fuzz_files.h"
#include "program_data.h"
#include "project_tables.h"
#include "result_plots.h"
#include "wave_equation_file.h"

using namespace korva::app;

namespace {

// The methods in the order of the file's capacity curves.
constexpr int kCurveOrder[] = {pmUserSpecified, pmFhwa, pmUsace, pmRevisedLambda, pmApi,
                               pmNgi,           pmIcpMtd, pmFugro, pmUwa};

// The number of curves the first word of the file counts, 1 to 9.
int CurvesCounted(const std::string& text)
{
    const std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos || text[begin] < '1' || text[begin] > '9')
        return 1;
    return text[begin] - '0';
}

bool Finite(const korva::components::TGraphPlot& plot)
{
    for (int i = 0; i < plot.LineCount(); ++i)
        for (const korva::components::TFloatPoint& point : plot.Line(i)->Points)
            if (!std::isfinite(point.X) || !std::isfinite(point.Y))
                return false;
    return true;
}

void ReadAs(const std::string& path, int curves, int extraDepths, int loadDirection)
{
    korva::components::TGridRegistry registry;
    TProjectTables tables{registry};
    TProjectHost host;
    host.Tables = &tables;
    TProgramData project(host);
    project.FileName = ChangeFileExt(path, ".kv7d");
    project.MethodSelected.fill(0);
    for (int i = 0; i < curves; ++i)
        project.MethodSelected[static_cast<std::size_t>(kCurveOrder[i])] = 1;
    project.ExtraTZDepths = extraDepths;
    project.LoadDirection = loadDirection;
    TResultPlots plots;
    bool read = true;
    try {
        ReadPlotDataFile(plots, project, path);
    } catch (const korva::components::EInOutError&) {
        read = false;
    }
    for (int number = 1; number <= kResultPlotCount; ++number) {
        const korva::components::TGraphPlot& plot = *plots.Plot(number);
        if ((!read && (plot.LineCount() != 0 || plot.LayerCount() != 0)) || !Finite(plot))
            std::abort();
    }
    if (project.ResultPointCount < 0 || project.ResultPointCount > kResultPoints || (!read && project.ResultPointCount))
        std::abort();
    if (read && project.ResultPointCount > 0)
        WaveEquationFileText(project, tables.D); // raises nothing for what was read
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = korva::fuzz::Folder() + "/p.kv7p";
    korva::fuzz::WriteFile(path, text);
    const int curves = CurvesCounted(text);
    for (const int extraDepths : {0, 1})
        ReadAs(path, curves, extraDepths, extraDepths); // uplift with the extra depths
    return 0;
}
