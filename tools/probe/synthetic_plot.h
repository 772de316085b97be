#pragma once
// The synthetic plot of the plot verbs: N lines of 20 points (line k, from
// 1: depth 0..19 down the vertical axis, x = k + depth / 4) over M soil
// layers of equal thickness, alternately sand and clay, shown in a plot
// window of a multiple-document area at a given size.
#include <memory>
#include <string>

#include <QMdiArea>

#include "graph_plot.h"
#include "plot_form.h"
#include "probe.h"

namespace korva::probe {

struct TSyntheticPlotOptions {
    int Lines = 12;
    int Layers = 3;
    int Width = 800;  // of the drawing surface, in pixels
    int Height = 600;
    int Hide = 0;     // line made not Visible, counted from 1; 0 none
    int Inactive = 0; // line made not Active once the window is open, counted from 1; 0 none
};

// The options every plot verb takes: --lines N --layers M --size WxH
// --hide K --inactive K. Further value options of the verb are passed in
// `more`, its flags in `flags`; the parsed arguments come back for the
// verb's own use.
TProbeArgs ParseSyntheticPlotArgs(const std::vector<std::string>& words, TSyntheticPlotOptions& options,
                                  const std::set<std::string>& more = {}, const std::set<std::string>& flags = {});
// True when any of the synthetic plot's own options was given.
bool HasSyntheticPlotOptions(const TProbeArgs& args);

// A plot window showing the synthetic plot, sized and painted.
class TSyntheticPlotWindow {
public:
    explicit TSyntheticPlotWindow(const TSyntheticPlotOptions& options);
    ~TSyntheticPlotWindow();
    components::TGraphPlot& Plot() { return plot_; }
    widgets::TPlotForm& Form();

private:
    QMdiArea area_;
    widgets::TMdiPlotHost host_{area_};
    components::TGraphPlot plot_;
};

} // namespace korva::probe
