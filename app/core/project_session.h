#pragma once
// The open project as the main window holds it: the grid tables (in a
// registry of their own), the CPT points, the result plots, the host that lends them to the
// project object, the project object itself and the modified state. The
// main window owns one; the probe and the tests make their own. The window
// layer connects its events (child windows, unit refresh, messages).
#include <memory>
#include <string>

#include "cpt_points.h"
#include "grid_table.h"
#include "program_data.h"
#include "project_tables.h"
#include "result_plots.h"

namespace korva::app {

class TProjectSession {
public:
    // Starts with a new project. `events.SetModified` is wrapped: the session
    // keeps the state (Modified()) and then calls the given handler.
    explicit TProjectSession(TProjectEvents events = {});
    TProjectSession(const TProjectSession&) = delete;
    TProjectSession& operator=(const TProjectSession&) = delete;

    TProgramData& Project() { return *project_; }
    TProjectTables& Tables() { return tables_; }
    TCptPoints& CptPoints() { return cpt_; }
    // The result plots of the last plot data file read.
    TResultPlots& ResultPlots() { return resultPlots_; }
    TProjectHost& Host() { return host_; }

    // A new, empty project in place of the open one.
    void NewProject();
    // The project of a file in the layout `version` (a TProjectFileVersion);
    // input errors are shown through ShowInformation and what was read stays,
    // untitled (TProgramData::CreateFromFile).
    void OpenProject(const std::string& fileName, int version);

    bool Modified() const { return modified_; }
    // Every edit sets it; load, new and save clear it (the tables' changed
    // flags too).
    void SetModified(bool value);

private:
    TGridRegistry registry_; // first: it outlives the tables
    TProjectTables tables_{registry_};
    TCptPoints cpt_;
    TResultPlots resultPlots_;
    TProjectHost host_;
    std::function<void(bool)> onModified_;
    bool modified_ = false;
    std::unique_ptr<TProgramData> project_;
};

} // namespace korva::app
