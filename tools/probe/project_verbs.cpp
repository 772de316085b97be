// Verbs on whole projects: open and save as the File menu does.
#include <filesystem>

#include "probe.h"
#include "project_session.h"

namespace korva::probe {

std::unique_ptr<app::TProjectSession> MakeProbeSession()
{
    app::TProjectEvents events;
    events.ShowInformation = [](const std::string& text) { widgets::Ui().Messages->Information(text); };
    return std::make_unique<app::TProjectSession>(std::move(events));
}

namespace {

bool Open(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::unique_ptr<app::TProjectSession> session = MakeProbeSession();
    app::TProjectSession& s = *session;
    s.OpenProject(args.Positional(0), app::pfvAnyFile);
    const app::TProgramData& p = s.Project();
    context.Result["title"] = QString::fromStdString(p.ProjectTitle);
    context.Result["units"] = p.Units;
    context.Result["layers"] = s.Tables().D.RowCount();
    context.Result["cpt_points"] = s.CptPoints().PointCount();
    context.Result["modified"] = s.Modified();
    return context.Services.Messages.Shown.empty();
}

bool Save(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::string out = std::filesystem::absolute(args.Positional(1)).string();
    if (!SparesInputs(ProjectInputs(std::filesystem::absolute(args.Positional(0)).string()), ProjectOutputs(out)))
        return false;
    const std::unique_ptr<app::TProjectSession> session = MakeProbeSession();
    app::TProjectSession& s = *session;
    s.OpenProject(args.Positional(0), app::pfvAnyFile);
    const std::size_t opened = context.Services.Messages.Shown.size();
    s.Project().FileName = out;
    s.Project().SaveToFile();
    QJsonArray files;
    for (const std::string& file : {s.Project().FileName, s.Project().CptPointFileName})
        if (!file.empty() && std::filesystem::exists(file))
            files.append(QString::fromStdString(file));
    context.Result["files"] = files;
    return opened == 0;
}

const TVerbRegistration openVerb{{"open", "PROJECT", &Open}};
const TVerbRegistration saveVerb{{"save", "PROJECT OUT", &Save}};

} // namespace

} // namespace korva::probe
