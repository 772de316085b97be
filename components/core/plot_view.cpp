#include "plot_view.h"

namespace korva::components {

TPlotView OpenPlotView(TGraphPlot& plot)
{
    TPlotView view;
    view.CurrentRange = {ComputeRange(plot.Lines()), ComputeRange(plot.Lines2()), ComputeRange(plot.Lines3())};
    view.FullRange = view.CurrentRange;

    const bool limit = plot.LimitActiveCurves && plot.LineCount() > kMaxActiveCurvesOnOpen;
    for (int i = 0; i < plot.LineCount(); ++i)
        plot.Line(i)->Active = !limit || i < kMaxActiveCurvesOnOpen;

    view.Legend = LegendEntries(plot, true);
    return view;
}

std::vector<TLegendEntry> LegendEntries(const TGraphPlot& plot, bool askCaption)
{
    std::vector<TLegendEntry> entries;
    for (int i = 0; i < plot.LineCount(); ++i) {
        if (!plot.Line(i)->Active)
            continue;
        std::string text = plot.Line(i)->GetName();
        if (askCaption && plot.onGetCaption)
            plot.onGetCaption(i, text);
        entries.push_back({i, std::move(text)});
    }
    return entries;
}

std::vector<TVisibleLegendEntry> VisibleLegendEntries(const TGraphPlot& plot, const TPlotView& view)
{
    std::vector<TVisibleLegendEntry> entries;
    for (std::size_t i = 0; i < view.Legend.size(); ++i) {
        const TLine* line = plot.FindLine(view.Legend[i].LineIndex);
        if (line && line->Visible)
            entries.push_back({static_cast<int>(i), view.Legend[i].LineIndex, &view.Legend[i].Text});
    }
    return entries;
}

} // namespace korva::components
