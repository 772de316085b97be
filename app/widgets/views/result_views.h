#pragma once
// The result plots and the CPT profile of the main window, shown: each plot
// of the session opens its window (TPlotForm) in the main window's
// multiple-document area; the main window's result seams read the plot data
// file into the plots, write the wave-equation file, show a plot by its
// Graphics menu number and open the export of the plots to a workbook.
#include "plot_form.h"

namespace korva::app_widgets {

class TMainForm;

class TResultViews {
public:
    // Gives every plot of the main window's session (the ten result plots
    // and MotionInput) a window host, and fills the main window's seams.
    explicit TResultViews(TMainForm& main);
    ~TResultViews();
    TResultViews(const TResultViews&) = delete;
    TResultViews& operator=(const TResultViews&) = delete;

    // The plot of number 1..10 (app::TResultPlot) in its window; a failure
    // is shown as a message.
    void ShowPlot(int number);
    // The CPT points (MotionInput) in their window.
    void ShowCPTProfile();
    // The export dialog, modal.
    void ExportPlots();

private:
    void Show(components::TGraphPlot& plot);

    TMainForm& main_;
    widgets::TMdiPlotHost host_;
};

} // namespace korva::app_widgets
