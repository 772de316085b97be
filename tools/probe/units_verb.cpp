// The unit switch of the Options menu on a project, saved as Save As saves it.
#include <filesystem>

#include <QAction>

#include "main_window/main_form.h"
#include "probe.h"

namespace korva::probe {

namespace {

// units PROJECT 1|2 OUT.kv7d: the project opened from the File menu, the
// unit system chosen in Options, Units (1 English, 2 SI), the project saved
// as OUT. "units" is the project's system afterwards, "modified" whether the
// switch counted as an edit.
bool Units(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const int units = args.Integer(args.Positional(1));
    if (units != 1 && units != 2)
        throw EProbeUsage("the unit system is 1 (English) or 2 (SI)");
    // Before the project's folder becomes the current one.
    const std::string out = std::filesystem::absolute(args.Positional(2)).string();
    if (!SparesInputs(ProjectInputs(std::filesystem::absolute(args.Positional(0)).string()), ProjectOutputs(out)))
        return false;
    const std::unique_ptr<app_widgets::TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;

    form->OptionsMenuClick();
    form->UnitsMenuClick();
    (units == 1 ? form->Actions().EnglishUnits : form->Actions().SiUnits)->trigger();
    Settle();
    context.Result["units"] = form->Project().Units;
    context.Result["modified"] = form->IsModified();

    context.Services.Files.Answers.push_back(widgets::TFileDialogResult{out, 1});
    const bool saved = form->FileSaveAsClick();
    context.Result["saved"] = saved;
    if (saved)
        context.Result["file"] = QString::fromStdString(out);
    return saved && form->Project().Units == units;
}

const TVerbRegistration unitsVerb{{"units", "PROJECT 1|2 OUT.kv7d", &Units}};

} // namespace

} // namespace korva::probe
