#include "project_session.h"

namespace korva::app {

TProjectSession::TProjectSession(TProjectEvents events) : onModified_(std::move(events.SetModified))
{
    host_.Tables = &tables_;
    host_.MotionInput = &cpt_;
    host_.Events = std::move(events);
    host_.Events.SetModified = [this](bool value) { SetModified(value); };
    project_ = std::make_unique<TProgramData>(host_);
}

void TProjectSession::SetModified(bool value)
{
    modified_ = value;
    if (!value)
        tables_.ResetChanged();
    if (onModified_)
        onModified_(value);
}

void TProjectSession::NewProject()
{
    // The new object is made before the old one goes: the old one is never
    // seen half-reset.
    auto next = std::make_unique<TProgramData>(host_);
    project_ = std::move(next);
}

void TProjectSession::OpenProject(const std::string& fileName, int version)
{
    auto next = TProgramData::CreateFromFile(host_, fileName, version);
    project_ = std::move(next);
}

} // namespace korva::app
