#include "run_driver.h"

#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <system_error>

#include "constants.h"
#include "analysis_input.h"
#include "fixed_format.h"
#include "input_echo.h"
#include "input_files.h"
#include "list_reader.h"
#include "method_loop.h"

namespace korva::engine {

namespace {

constexpr std::string_view HandOffFileName = "names.dat";

std::string TrimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\t'))
        --end;
    return std::string(text.substr(0, end));
}

// Reads one answer line from the console; false at end of input.
bool ReadConsoleLine(const Console& console, std::string& line)
{
    line.clear();
    if (!console.in)
        return false;
    int c;
    bool any = false;
    while ((c = std::fgetc(console.in)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    line = TrimRight(line);
    return any;
}

std::string WithExtension(const std::string& path, std::string_view extension)
{
    const PathParts parts = SplitPath(path);
    return parts.directory + parts.name + std::string(extension);
}

// The file names of the run. Lines 5-8 are whole paths (CR and
// trailing blanks stripped). When they are missing, the three names are
// asked on the console, but only when it is a terminal.
bool ReadHandOffFile(Uses<const RunSetup, HandOff> run)
{
    const RunSetup& setup = run;
    const Console& console = setup.console;
    HandOff& s = run;
    std::string text;
    std::string why;
    const bool opened = LoadInputFile(std::string(HandOffFileName), text, why);
    ListReader names(std::move(text));

    std::string unused;
    names.ReadLine(s.ProgramVersion);
    s.ProgramVersion.resize(12, ' ');
    names.ReadLine(unused);
    names.ReadLine(unused);
    int reserved = 0; // line 4; blank lines before it are passed over
    bool complete = opened && names.Read({reserved});
    if (!complete && opened && !names.AtEnd())
        why = "is not readable (" + names.Error() + "; line 4 holds a reserved integer)";

    for (std::string* path : {&s.InputFilePath, &s.ReportFilePath, &s.PlotFilePath, &s.CptFilePath}) {
        if (!complete || !names.ReadLine(*path)) {
            complete = false;
            break;
        }
        *path = TrimRight(*path);
    }
    if (complete)
        return true;

    if (!console.input_is_terminal) {
        console.Error("KORVA: names.dat in the current folder " +
                        (why.empty() ? std::string("does not name the project, report and plot data files") : why) +
                        "; standard input is no terminal to ask for the file names. The analysis did not run.");
        return false;
    }
    static constexpr std::array<std::pair<std::string_view, std::string HandOff::*>, 3> prompts{{
        {"(/,/,7X,'ENTER A FILE NAME FOR YOUR INPUT FILE.',/,' ENTER >')", &HandOff::InputFilePath},
        {"(/,/,7X,'ENTER A FILE NAME FOR YOUR OUTPUT FILE.',/,' ENTER >')", &HandOff::ReportFilePath},
        {"(/,/,7X,'ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.',/,' ENTER >')", &HandOff::PlotFilePath},
    }};
    for (const auto& [layout, member] : prompts) {
        console.Write(FormatRecord(layout));
        if (!ReadConsoleLine(console, s.*member)) {
            console.Error("KORVA: no file name was entered. The analysis did not run.");
            return false;
        }
    }
    // Not asked for: the CPT point file lies beside the project file.
    if (s.CptFilePath.empty())
        s.CptFilePath = WithExtension(s.InputFilePath, ".cpt");
    return true;
}

// The same file under two names: writing one would destroy the other.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string ClashWithInput(const HandOff& s, const std::string& output)
{
    if (SameFile(output, s.InputFilePath))
        return "is the project file itself";
    if (SameFile(output, s.CptFilePath))
        return "is the CPT point file itself";
    return {};
}

// The plot data file of a run that leaves no results of its own: an older
// one must not be taken for them. Never an input file under another name.
void RemovePlotFile(const HandOff& s)
{
    if (ClashWithInput(s, s.PlotFilePath).empty() && !SameFile(s.PlotFilePath, s.ReportFilePath))
        RemoveOutput(s.PlotFilePath);
}

std::string Banner(const HandOff& s)
{
    return FormatRecord(
        "(5X,73('='),/,/,20X,'  KORVA for Windows, Version ',A12,/,/,"
        "20X,'   A Program for Analyzing the Axial Capacity ',/,"
        "20X,'   and Short-term Settlement of Driven Piles ',/,"
        "20X,'             under Axial Loading. ',/,/,5X,73('='),/,/)",
        {s.ProgramVersion});
}

void WriteFileNames(Uses<const HandOff, RunOutputs> run)
{
    const HandOff& s = run;
    RunOutputs& out = run;
    const PathParts input = SplitPath(s.InputFilePath);
    const PathParts report = SplitPath(s.ReportFilePath);
    const PathParts plot = SplitPath(s.PlotFilePath);
    out.report.Write(FormatRecord(
        "(5X,'Path to file locations      : ',A,/,5X,'Name of input data file     : ',A,A,/,"
        "5X,'Name of output file         : ',A,A,/,5X,'Name of plot output file    : ',A,A,/)",
        {input.directory, input.name, input.extension, report.name, report.extension, plot.name,
         plot.extension}));
}

void WriteFileProblem(RunOutputs& out, int& status, std::string_view path, std::string_view record,
                      std::string_view reason)
{
    const std::string file = "FILE   : " + std::string(path);
    const std::string because = "REASON : " + std::string(reason);
    if (record.empty()) {
        StopRun(out, status, {"COMPUTATION DOES NOT PROCEED BECAUSE A FILE CANNOT BE USED", file, because});
        return;
    }
    const std::string where = "RECORD : " + std::string(record);
    StopRun(out, status, {"COMPUTATION DOES NOT PROCEED BECAUSE OF AN ERROR IN AN INPUT FILE", file, where, because});
}

void WriteInputProblem(RunOutputs& out, int& status, const std::string& path, const InputProblem& problem)
{
    WriteFileProblem(out, status, path, problem.record, problem.reason);
}

// The project file, the plot data file and the CPT point file, then the two
// readers, and what the analysis derives from the input. False when the run
// stops; its message is in the report then.
bool ReadInputFiles(RunState& s, int& status)
{
    AnalysisInput& input = s;
    std::string project_text, cpt_text, project_why, cpt_why, plot_why;
    const bool project_loaded = LoadInputFile(s.InputFilePath, project_text, project_why);
    // The plot data file is started even when the run stops here: the stop
    // leaves it empty, so that no results of an earlier run can be taken
    // for this one's.
    plot_why = ClashWithInput(s, s.PlotFilePath);
    if (plot_why.empty() && SameFile(s.PlotFilePath, s.ReportFilePath))
        plot_why = "is the report file itself";
    if (plot_why.empty() && !s.plot.Open(s.PlotFilePath))
        plot_why = "cannot be written: " + std::generic_category().message(errno);
    const bool cpt_loaded = LoadInputFile(s.CptFilePath, cpt_text, cpt_why);

    if (!project_loaded) {
        WriteFileProblem(s, status, s.InputFilePath, {}, "the project file " + project_why);
        return false;
    }
    if (!plot_why.empty()) {
        WriteFileProblem(s, status, s.PlotFilePath, {}, "the plot data file " + plot_why);
        return false;
    }
    if (!cpt_loaded) {
        WriteFileProblem(s, status, s.CptFilePath, {}, "the CPT point file " + cpt_why);
        return false;
    }

    ListReader project(std::move(project_text));
    if (const auto problem = ReadProjectFile(input, project)) {
        WriteInputProblem(s, status, s.InputFilePath, *problem);
        return false;
    }
    ListReader cpt(std::move(cpt_text));
    if (const auto problem = ReadCptPointFile(input, cpt)) {
        WriteInputProblem(s, status, s.CptFilePath, *problem);
        return false;
    }
    DeriveAnalysisInput(input);
    return true;
}

// The soil profile as read must reach the embedded length plus two
// pile diameters.
bool CheckSoilDepth(Uses<const RunSetup, const AnalysisInput, RunOutputs> run, int& status)
{
    const RunSetup& setup = run;
    const AnalysisInput& analysis = run;
    const ProjectInput& s = analysis; // the soil points as read
    RunOutputs& out = run;
    const double diameters =
        s.Units == 1 ? 2.0f * s.OuterDiameter / InchesPerFoot : 2.0f * s.OuterDiameter / MillimetresPerMetre;
    const double required = analysis.PileLength + diameters;
    const double last_depth = s.SoilColumns[s.SoilPointCount - 1][Soil::Depth];
    if (last_depth < required)
        setup.console.Write(FormatRecord(
            "(/,/,/,10X,'COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL',' INFORMATION',/,10X,"
            "'WAS PROVIDED AT THE DEPTH ',F10.2,1X,A3,/,10X,'PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE ',"
            "/,10X,' PILE LENGTH PLUS TWO PILE DIAMETERS')",
            {required, analysis.labels.length}));
    if (s.SoilProfileBottom < required) {
        out.report.Write(FormatRecord(
            "(/,/,10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE ','DEEPEST SOIL PROFILE ',F7.2,1X,A3,/,10X,"
            "'IS LESS THAN PILE ','EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER ',F10.2,1X,A3)",
            {s.SoilProfileBottom, analysis.labels.length, required, analysis.labels.length}));
        status = 1;
        return false;
    }
    return true;
}

void RunOpenedReport(RunState& s, int& status, const std::string& banner)
{
    s.report.Write(banner);
    WriteFileNames(s);
    WriteAnalysisDateTime(s);
    if (!ReadInputFiles(s, status) || !CheckSoilDepth(s, status))
        return;
    s.console.Write(FormatRecord("(/,/,9X,'COMPUTATION IS PROCEEDING........')"));
    WriteInputEcho(s);
    RunMethodLoop(s, status);
}

} // namespace

PathParts SplitPath(std::string_view path)
{
    PathParts parts;
    const std::size_t slash = path.rfind('/');
    const std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
    parts.directory = TrimRight(path.substr(0, name_start));
    const std::string_view file = path.substr(name_start);
    const std::size_t dot = file.rfind('.');
    parts.name = TrimRight(file.substr(0, dot));
    if (dot != std::string_view::npos)
        parts.extension = TrimRight(file.substr(dot));
    return parts;
}

UnitLabels SelectUnitLabels(int units)
{
    if (units == 1)
        return {"FT.", "IN.", "KIP", "KSF", "LB/CF", "IN2"};
    return {"M. ", "MM.", "KN.", "KPA", "KN/CM", "M2 "};
}

void WriteAnalysisDateTime(Uses<const RunSetup, RunOutputs> run)
{
    const RunSetup& setup = run;
    RunOutputs& out = run;
    static constexpr std::array<std::string_view, 12> months{
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const AnalysisTime now = setup.clock();
    out.report.Write(FormatRecord("(5X,73('-'),/,26X,'Time and Date of Analysis',/,5X,73('-'),/)"));
    if (now.month < 1 || now.month > 12)
        return;
    const std::string layout = "(15X,'Date:  " + std::string(months[now.month - 1]) +
                               " ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2)";
    out.report.Write(FormatRecord(layout, {now.day, now.year, now.hour, now.minute, now.second}));
}

void StopRun(RunOutputs& out, int& status, std::initializer_list<std::string_view> lines)
{
    std::string text = "\n\n";
    for (std::string_view line : lines)
        text += FormatRecord("(10X,A)", {line});
    out.report.Write(text);
    status = 1;
}

void RunPileAnalysis(RunState& s, int& status)
{
    if (!ReadHandOffFile(s)) {
        status = 1;
        return;
    }

    // The banner goes to the console before the report is opened.
    const std::string banner = Banner(s);
    s.console.Write(banner);
    // Never overwrite an input with the report.
    if (const std::string clash = ClashWithInput(s, s.ReportFilePath); !clash.empty()) {
        s.console.Error("KORVA: the report file " + s.ReportFilePath + " " + clash +
                        ". The analysis did not run.");
        RemovePlotFile(s);
        status = 1;
        return;
    }
    if (!s.report.Open(s.ReportFilePath)) {
        s.console.Error("KORVA: the report file " + s.ReportFilePath + " cannot be written: " +
                        std::generic_category().message(errno) + ". The analysis did not run.");
        RemovePlotFile(s);
        status = 1;
        return;
    }

    RunOpenedReport(s, status, banner);
    FinishRun(s, status);
}

void FinishRun(Uses<const RunSetup, const HandOff, RunOutputs> run, int& status, bool keep_plot)
{
    const RunSetup& setup = run;
    const HandOff& files = run;
    RunOutputs& out = run;
    // The plot data file first, so that a failure there still goes
    // into the report; a file that could not be written completely must not
    // pass for a finished run, nor leave an earlier run's results behind.
    bool plot_kept = false;
    if (keep_plot && out.plot.IsOpen()) {
        plot_kept = out.plot.Commit();
        if (!plot_kept)
            StopRun(out, status,
                    {"THE RUN FAILED BECAUSE A FILE CANNOT BE WRITTEN", "FILE   : " + files.PlotFilePath,
                     "REASON : the plot data file cannot be written: " +
                         std::generic_category().message(out.plot.Error())});
    }
    out.plot.Discard();
    if (!plot_kept)
        RemovePlotFile(files);

    if (!out.report.Commit()) {
        setup.console.Error("KORVA: the report file " + files.ReportFilePath + " cannot be written: " +
                            std::generic_category().message(out.report.Error()) +
                            ". The results of the run are not kept.");
        if (plot_kept)
            RemovePlotFile(files);
        status = 1;
    }
}

} // namespace korva::engine
