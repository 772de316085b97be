#pragma once
// korva-gui-probe: runs one verb of the program headless (offscreen, every
// message box and chooser answered by the recording doubles) and prints one
// JSON object as the last line of its output: "ok", "messages" (every text
// shown to the user, in order) and the verb's own keys. A verb calls what the
// menu entry or button calls; it never computes a second answer of its own.
//
// A verb is a function in a file of this folder, registered with
//   static const TVerbRegistration registered{{"name", "ARGS...", &Function}};
// It returns true when it did its work; an unknown verb or bad arguments
// (EProbeUsage) exit with status 2.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonObject>

#include "recording_services.h"

namespace korva::app {
class TProjectSession;
}
class QWidget;

namespace korva::app_widgets {
class TMainForm;
enum class TChildKind;
}
namespace korva::widgets {
class TPlotForm;
}

namespace korva::probe {

class EProbeUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The words after the verb: positionals, options with a value ("--rows 5",
// repeatable) and flags ("--integer"). Unknown options are usage errors.
class TProbeArgs {
public:
    TProbeArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flags = {});

    std::size_t PositionalCount() const { return positional_.size(); }
    // The n-th positional (from 0); a usage error when missing.
    const std::string& Positional(std::size_t n) const;
    std::optional<std::string> Option(const std::string& name) const; // last given
    std::vector<std::string> Options(const std::string& name) const;  // all given, in order
    bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
    // Numbers in the C locale; a usage error when not a number.
    double Number(const std::string& text) const;
    int Integer(const std::string& text) const;

private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::string> options_;
    std::vector<std::pair<std::string, std::string>> ordered_;
    std::set<std::string> flags_;
};

struct TProbeContext {
    std::vector<std::string> Words; // after the verb
    widgets::TRecordingServices& Services;
    QJsonObject Result; // the verb's keys ("ok" and "messages" are added)
};

using TVerbFunction = bool (*)(TProbeContext&);

struct TVerb {
    const char* Name;
    const char* Usage; // the arguments, for the usage text
    TVerbFunction Run;
};

struct TVerbRegistration {
    explicit TVerbRegistration(const TVerb& verb);
};

const std::vector<TVerb>& Verbs();

// A project session whose messages go where the program's go.
std::unique_ptr<app::TProjectSession> MakeProbeSession();

// The program's main window as it starts, shown, with the project opened
// from the File menu (the file chooser answered with it, the layout its
// extension names, else the oldest); nothing, with a message, when there is
// no such file. The program makes the project's folder current; the folder
// the probe was started in is made current again, so that every verb names
// its files (OUT.png, --save OUT.kv7d) from it, relative or not.
std::unique_ptr<app_widgets::TMainForm> OpenMainWindow(TProbeContext& context, const std::string& project);

// The child window of a Data, Options or Computation menu entry, opened by
// choosing the entry; nullptr, with a message naming the menu and the entry
// ("The Data menu entry "Noncircular-Section Pile" is disabled."), when the
// entry is disabled for the project, as the menu refuses it.
QWidget* OpenFromMenu(app_widgets::TMainForm& form, app_widgets::TChildKind kind);

// Result plot PLOT (1-10, the Graphics menu's order) of the project in the
// main window, opened from its Graphics entry; nullptr when the entry cannot
// be chosen. Sets "enabled" (the ten plot entries), "lines" (the curve names
// in order) and "caption".
widgets::TPlotForm* ShowResultPlot(TProbeContext& context, app_widgets::TMainForm& form, int number);
// PLOT as the command line gives it: a usage error unless 1 to 10.
int ResultPlotNumber(const TProbeArgs& args, const std::string& text);

// No verb writes over a file it reads. The files opening a project reads:
// the project, its CPT point file and its plot data file.
std::vector<std::string> ProjectInputs(const std::string& project);
// The files saving a project as OUT writes: OUT and its CPT point file.
std::vector<std::string> ProjectOutputs(const std::string& out);
// True when no output is an input (the same file by any path or link);
// else a message names both and the verb is to write nothing. Checked
// before the verb opens anything, while relative paths mean what the
// caller meant.
bool SparesInputs(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs);

// Runs the event loop until no posted event is left (deferred focus moves,
// deleteLater, queued signals).
void Settle();

// The parts of an argument between the separators ("1,,3" gives "1", ""
// and "3"; no separator, the argument itself).
std::vector<std::string> Split(const std::string& text, char separator);

// JSON helpers.
QJsonArray JsonStrings(const std::vector<std::string>& texts);

} // namespace korva::probe
