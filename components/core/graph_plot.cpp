#include "graph_plot.h"

#include <algorithm>

#include "guards.h"

namespace korva::components {

TLine::TLine(TGraphPlot* plot) : Plot(plot)
{
    if (plot) {
        Points.resize(static_cast<std::size_t>(plot->PointCount()));
        Number = plot->LineCount() + 1;
    }
}

TFloatPoint& TLine::Point(int index)
{
    if (index < 0 || index >= PointCount())
        RaiseListIndexError(index);
    return Points[static_cast<std::size_t>(index)];
}

const TFloatPoint& TLine::Point(int index) const
{
    return const_cast<TLine*>(this)->Point(index);
}

void TLine::SetPointCount(int count)
{
    Points.resize(static_cast<std::size_t>(std::max(count, 0)));
}

std::string TLine::GetName() const
{
    if (!Name.empty())
        return Name;
    if (Plot) {
        const int index = Plot->Lines().IndexOf(this);
        if (index >= 0 && index < static_cast<int>(Plot->LineNames.size()))
            return Plot->LineNames[static_cast<std::size_t>(index)];
    }
    const std::string prefix = Plot ? Plot->CurveName : std::string();
    return prefix + FormatGeneral(Number, kShortestPrecision);
}

TGraphPlot::TGraphPlot() = default;

TGraphPlot::~TGraphPlot() = default;

void TGraphPlot::SetUnits(int units)
{
    units_ = std::clamp(units, kUnitsEnglish, kUnitsPlaceholders);
}

TLine* TGraphPlot::FindLine(int index) const
{
    return index >= 0 && index < lines_.Count() ? lines_.Items(index) : nullptr;
}

int TGraphPlot::FirstPointCount(const TObjectList<TLine>& list)
{
    return list.Count() > 0 ? list.Items(0)->PointCount() : 0;
}

void TGraphPlot::SetCount(TObjectList<TLine>& list, int count)
{
    count = std::max(count, 0);
    while (list.Count() > count)
        list.Delete(list.Count() - 1);
    while (list.Count() < count)
        list.Add(new TLine(this));
}

void TGraphPlot::SetLineCount(int count)
{
    SetCount(lines_, count);
}

void TGraphPlot::SetLayerCount(int count)
{
    SetCount(layers_, count);
}

void TGraphPlot::SetPointCount(int count)
{
    for (int i = 0; i < lines_.Count(); ++i)
        lines_.Items(i)->SetPointCount(count);
}

void TGraphPlot::SetLayerPointCount(int count)
{
    for (int i = 0; i < layers_.Count(); ++i)
        layers_.Items(i)->SetPointCount(count);
}

void TGraphPlot::Show()
{
    Require(host_ != nullptr, "The plot has no window to show it in");
    if (!window_)
        window_ = host_->CreatePlotWindow(*this);
    Require(window_ != nullptr, "The plot window could not be created");
    window_->ShowWindow();
}

void TGraphPlot::WindowClosed(TPlotWindow* window)
{
    if (window != nullptr && window == window_.get())
        (void)window_.release(); // the closing window frees itself
}

std::string ExpandUnits(std::string_view unitTemplate, int units)
{
    if (units != kUnitsEnglish && units != kUnitsSI)
        return std::string(unitTemplate);
    return ExpandPlaceholder(ExpandPlaceholder(unitTemplate, {"F2", "F1"}, "F", units), {"L2", "L1"}, "L", units);
}

std::string AxisTitle(std::string_view caption, std::string_view unitTemplate, int units)
{
    std::string title(caption);
    if (!unitTemplate.empty())
        title += " (" + ExpandUnits(unitTemplate, units) + ")";
    return title;
}

} // namespace korva::components
