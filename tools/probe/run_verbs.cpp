// Verbs of the Computation menu: the analysis run and the checks before it,
// on the program's main window.
#include <optional>
#include <filesystem>

#include "file_text.h"
#include "main_window/main_form.h"
#include "probe.h"

namespace korva::probe {

namespace {

namespace fs = std::filesystem;

bool Run(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::unique_ptr<app_widgets::TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    // The files of the project that a run writes (the save, the engine, the
    // wave-equation file), with their times before it. They are those of the
    // file given: a project that could not be read completely is untitled,
    // and its run asks for a name (the probe's chooser cancels) instead of
    // writing over them.
    const std::string project = fs::absolute(args.Positional(0)).lexically_normal().string();
    const std::vector<std::string> files{project, app::ChangeFileExt(project, ".cpt"),
                                         app::ChangeFileExt(project, ".kv7o"), app::ChangeFileExt(project, ".kv7p"),
                                         app::ChangeFileExt(project, ".gwi")};
    const auto writeTime = [](const std::string& file) -> std::optional<fs::file_time_type> {
        std::error_code ec;
        const fs::file_time_type time = fs::last_write_time(file, ec);
        return ec ? std::nullopt : std::optional(time);
    };
    std::vector<std::optional<fs::file_time_type>> before;
    for (const std::string& file : files)
        before.push_back(writeTime(file));
    form->CompRunClick();
    QJsonArray written;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (const auto after = writeTime(files[i]); after && after != before[i])
            written.append(QString::fromStdString(files[i]));
    context.Result["files"] = written;
    // The project file the run saved to, or the new project's name when it
    // has none.
    context.Result["project"] = QString::fromStdString(form->Project().FileName);
    const std::optional<int> status = form->LastRunStatus();
    context.Result["status"] = status ? QJsonValue(*status) : QJsonValue();
    return status.has_value();
}

bool Validate(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::unique_ptr<app_widgets::TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    const std::size_t opened = context.Services.Messages.Shown.size();
    const bool valid = form->ValidateInput();
    std::vector<std::string> warnings;
    for (std::size_t i = opened; i < context.Services.Messages.Shown.size(); ++i)
        warnings.push_back(context.Services.Messages.Shown[i].Text);
    context.Result["warnings"] = JsonStrings(warnings);
    context.Result["valid"] = valid;
    return opened == 0;
}

const TVerbRegistration runVerb{{"run", "PROJECT", &Run}};
const TVerbRegistration validateVerb{{"validate", "PROJECT", &Validate}};

} // namespace

} // namespace korva::probe
