#pragma once
// The run sequence of the analysis engine, shared by the program and the
// command-line tools: the hand-off file names.dat written into a private run
// folder that is made the current folder for the call, the engine library
// loaded by absolute path with its entry point, and on every path out the
// library freed, the previous current folder restored and the run folder
// removed with names.dat.
#include <array>
#include <csignal>
#include <functional>
#include <string>

namespace korva::app {

inline constexpr const char* kEngineLibraryName = "KORVA2015_DLL.so";
inline constexpr const char* kEngineEntryName = "_IKORVA";
inline constexpr const char* kHandOffFileName = "names.dat";
// The value the entry point is called with.
inline constexpr int kEngineCallValue = 5;

// The four files a run names in names.dat, in its order.
struct THandOffFiles {
    std::string Project;
    std::string Report;
    std::string PlotData;
    std::string CptPoints;
};

// The report (.kv7o), plot data (.kv7p) and CPT point (.cpt) files beside a
// project file.
THandOffFiles HandOffFilesOf(const std::string& project);

// Why names.dat cannot carry this path, or empty: the engine reads each of
// its lines whole and drops the blanks at the end of it.
std::string HandOffProblem(const std::string& path);

// The text of names.dat: the version, two reserved lines, the reserved
// integer 0, then the four paths.
std::string HandOffText(const THandOffFiles& files);

// The folder of the running program, where the engine library lies; "."
// when it cannot be found.
std::string ProgramFolder();
// The engine library beside the running program.
std::string EngineLibraryPath();

// The current folder; empty, with errno set, when it cannot be read (it was
// removed, or a folder above it cannot be searched).
std::string CurrentFolder();

// The path as it is when absolute, else taken from folder.
std::string AbsolutePath(const std::string& path, const std::string& folder);

// A new private folder $TMPDIR/prefix.XXXXXX (/tmp without TMPDIR) for
// names.dat and whatever a run leaves there, or for a file made whole
// before it replaces the user's (a workbook). It is removed with everything
// in it when the object goes, and also when a signal ends the process while
// it lives (kTerminatingSignals: an interrupt, a termination, a hang-up, a
// quit, or a write to a pipe whose reader is gone, as `korva-run p.kv7d |
// head -1` gives); the signal then ends the process as it would have. A
// signal the process ignores or handles itself is left so. One lives at a
// time.
class TRunFolder {
public:
    explicit TRunFolder(const std::string& prefix);
    ~TRunFolder();
    TRunFolder(const TRunFolder&) = delete;
    TRunFolder& operator=(const TRunFolder&) = delete;

    // Empty when the folder could not be made (errno set).
    const std::string& Path() const { return path_; }

    static constexpr std::array<int, 5> kTerminatingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

private:
    std::string path_;
    std::array<struct sigaction, kTerminatingSignals.size()> saved_{};
};

using TEngineEntry = int (*)(int);

// Why the engine was not called.
enum class TEngineRunFailure {
    None,             // the entry point was called
    PathRefused,      // names.dat cannot carry a path
    NoCurrentFolder,  // the current folder cannot be read (relative paths, or the way back)
    NoRunFolder,      // the private run folder cannot be made or entered
    HandOffNotWritten,
    LibraryNotLoaded, // missing, or failing to load
    NoEntryPoint,     // loaded, but without _IKORVA
};

// What the report path holds after the call. The engine keeps the report
// of an earlier run when it cannot write the new one whole (a full disk, a
// file-size limit).
enum class TReportState {
    Written,        // put in place by this run
    FromEarlierRun, // the same file as before the call
    Missing,        // none after the call (whatever was there before)
};

struct TEngineRunResult {
    TEngineRunFailure Failure = TEngineRunFailure::None;
    std::string Problem; // what kept the engine from being called, for the tools
    TReportState Report = TReportState::Missing; // when called
    bool Called() const { return Failure == TEngineRunFailure::None; }
};

// What a run whose report was not written tells the user, naming the
// report file; empty when it was written.
std::string ReportNotWrittenMessage(const std::string& report, TReportState state);

struct TEngineRunOptions {
    std::string LibraryPath = EngineLibraryPath();
    std::string FolderPrefix = "korva-run"; // of the private run folder
    // The report and the plot data file are written into the run folder
    // under their names and go with it (a benchmark keeps nothing).
    bool OutputsInRunFolder = false;
};

// Runs the engine: names.dat for files (made absolute from the current
// folder) in a private run folder, that folder made current, the library
// loaded and `call` given its entry point (the caller calls it, once or many
// times). The result tells whether the report was put in place by the call,
// from the report file's identity before and after it. Afterwards, on every
// path, the library is freed, the previous current folder restored and the
// run folder removed with names.dat.
TEngineRunResult RunEngine(const THandOffFiles& files, const TEngineRunOptions& options,
                           const std::function<void(TEngineEntry)>& call);

} // namespace korva::app
