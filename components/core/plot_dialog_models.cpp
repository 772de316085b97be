#include "plot_dialog_models.h"

#include <algorithm>
#include <cmath>

#include "int_utils.h"

namespace korva::components {

namespace {

// Top of the first label of both list dialogs.
constexpr int kFirstLabelTop = 8;

bool InList(int row, std::size_t count)
{
    return row >= 0 && static_cast<std::size_t>(row) < count;
}

// Round(value) as a bitmap side, or nothing outside 1..kMaxBitmapSide.
std::optional<int> BitmapSide(Extended value)
{
    if (!std::isfinite(value) || value >= kMaxBitmapSide + 1 || value < 0)
        return std::nullopt;
    const std::int64_t side = RoundToInt(value);
    if (side < 1 || side > kMaxBitmapSide)
        return std::nullopt;
    return static_cast<int>(side);
}

TPixelRect At(int left, int top, TPixelSize size)
{
    return {left, top, left + size.Width, top + size.Height};
}

} // namespace

std::vector<std::string> LineNameList(const TGraphPlot& plot)
{
    std::vector<std::string> names;
    for (int i = 0; i < plot.LineCount(); ++i)
        names.push_back(plot.Line(i)->GetName());
    return names;
}

TActiveCurvesList::TActiveCurvesList(const TGraphPlot& plot) : names_(LineNameList(plot))
{
    for (int i = 0; i < plot.LineCount(); ++i)
        flags_.emplace_back(plot.Line(i)->Active ? kActiveFlag : kInactiveFlag);
}

std::string TActiveCurvesList::RowText(int row) const
{
    if (!InList(row, flags_.size()))
        return {};
    const auto i = static_cast<std::size_t>(row);
    return flags_[i] + "   " + names_[i];
}

bool TActiveCurvesList::IsActive(int row) const
{
    return InList(row, flags_.size()) && flags_[static_cast<std::size_t>(row)] == kActiveFlag;
}

void TActiveCurvesList::Toggle(int row)
{
    if (InList(row, flags_.size()))
        flags_[static_cast<std::size_t>(row)] = IsActive(row) ? kInactiveFlag : kActiveFlag;
}

void TActiveCurvesList::ToggleSelected(const std::vector<int>& selected, int focused)
{
    if (selected.size() == 1) {
        Toggle(focused);
        return;
    }
    for (const int row : selected)
        Toggle(row);
}

void TActiveCurvesList::SetAll(bool active)
{
    for (std::string& flag : flags_)
        flag = active ? kActiveFlag : kInactiveFlag;
}

void ApplyActiveCurves(TGraphPlot& plot, TPlotView& view, const TActiveCurvesList& list)
{
    // The lines cannot change while the dialog is open; the bound keeps a
    // list of another length from reaching past either.
    const int count = std::min(plot.LineCount(), list.Count());
    std::vector<TLegendEntry> legend;
    for (int i = 0; i < count; ++i) {
        TLine* line = plot.Line(i);
        line->Active = list.IsActive(i);
        if (line->Active)
            legend.push_back({i, list.Names()[static_cast<std::size_t>(i)]});
    }
    for (int i = count; i < plot.LineCount(); ++i)
        if (plot.Line(i)->Active)
            legend.push_back({i, plot.Line(i)->GetName()});
    view.Legend = std::move(legend);
}

TLegendNamesList::TLegendNamesList(const TGraphPlot& plot) : names_(LineNameList(plot))
{
    selected_ = names_.empty() ? -1 : 0;
}

void TLegendNamesList::Select(int row)
{
    if (InList(row, names_.size()))
        selected_ = row;
}

std::string TLegendNamesList::SelectedName() const
{
    return InList(selected_, names_.size()) ? names_[static_cast<std::size_t>(selected_)] : std::string();
}

std::uint32_t TLegendNamesList::SelectedColor() const
{
    return PlotColor(std::max(selected_, 0));
}

TLegendNamesList::TCommit TLegendNamesList::Commit(const std::string& text)
{
    if (text.empty())
        return {kLineNameMissing, SelectedName()};
    if (InList(selected_, names_.size()))
        names_[static_cast<std::size_t>(selected_)] = text;
    return {{}, text};
}

void ApplyLegendNames(TGraphPlot& plot, TPlotView& view, const std::vector<std::string>& names)
{
    const int count = std::min(plot.LineCount(), static_cast<int>(names.size()));
    for (int i = 0; i < count; ++i) {
        const std::string& name = names[static_cast<std::size_t>(i)];
        plot.Line(i)->Name = name;
        // The entry of this line, wherever earlier inactive lines put it.
        for (TLegendEntry& entry : view.Legend)
            if (entry.LineIndex == i)
                entry.Text = name;
    }
}

void ApplyGraphCaption(TGraphPlot& plot, const std::string& text, bool onTop)
{
    plot.GraphTitle = text;
    plot.TitleOnTop = onTop;
}

std::optional<TBitmapSize> BitmapSize(const TBitmapAttributes& attributes)
{
    const Extended ppi = attributes.PixelsPerInch;
    if (!std::isfinite(ppi) || ppi < 0 || ppi > 2147483647.0L)
        return std::nullopt;
    const auto width = BitmapSide(ppi * attributes.WidthInches);
    const auto height = BitmapSide(ppi * attributes.HeightInches);
    if (!width || !height)
        return std::nullopt;
    const std::int64_t bytes = static_cast<std::int64_t>(*width) * *height * kBitmapBytesPerPixel;
    if (bytes > kMaxBitmapBytes)
        return std::nullopt;
    return TBitmapSize{*width, *height, static_cast<int>(RoundToInt(ppi))};
}

TLegendDialogLayout LegendDialogLayout(TPixelSize client, const TLegendDialogControls& c)
{
    TLegendDialogLayout layout;
    client.Width = std::max(client.Width, kLegendDialogMinimum.Width);
    client.Height = std::max(client.Height, kLegendDialogMinimum.Height);
    layout.Client = client;
    const int width = client.Width - 20;
    layout.Label = At(10, kFirstLabelTop, {width, c.LabelHeight});
    const int listHeight = client.Height - c.LabelHeight - c.FieldLabelHeight - c.FieldHeight - c.Button.Height - 40;
    layout.List = At(10, layout.Label.Bottom + 5, {width, std::max(listHeight, 0)});
    layout.FieldLabel = At(10, layout.List.Bottom + 5, {width, c.FieldLabelHeight});
    layout.Field = At(10, layout.FieldLabel.Bottom + 5, {width, c.FieldHeight});
    layout.Ok = At(20, layout.Field.Bottom + 5, c.Button);
    layout.Cancel = At(client.Width - 20 - c.Button.Width, layout.Ok.Top, c.Button);
    return layout;
}

TActiveCurvesLayout ActiveCurvesLayout(TPixelSize client, const TActiveCurvesControls& c)
{
    TActiveCurvesLayout layout;
    client.Width = std::max(client.Width, kActiveCurvesMinimum.Width);
    client.Height = std::max(client.Height, kActiveCurvesMinimum.Height);
    layout.Client = client;
    const int width = client.Width - 20;
    layout.Label = At(10, kFirstLabelTop, {width, c.LabelHeight});
    // The column titles stand over the flags and the names of the rows.
    layout.Active = At(10, layout.Label.Bottom + 5, c.Active);
    layout.Curve = At(layout.Active.Right + 10, layout.Label.Bottom + 5, c.Curve);
    const int listHeight = client.Height - kFirstLabelTop - c.LabelHeight - c.Curve.Height - c.ActivateAll.Height -
                           c.ToggleSelected.Height - c.Button.Height - 50;
    layout.List = At(10, layout.Label.Bottom + c.Curve.Height + 10, {width, std::max(listHeight, 0)});
    layout.ToggleSelected = At(15, layout.List.Bottom + 10, c.ToggleSelected);
    layout.ActivateAll = At(10, layout.ToggleSelected.Bottom + 10, c.ActivateAll);
    layout.DeactivateAll = At(client.Width - 10 - c.DeactivateAll.Width, layout.ActivateAll.Top, c.DeactivateAll);
    layout.Ok = At(20, layout.ActivateAll.Bottom + 10, c.Button);
    layout.Cancel = At(client.Width - 20 - c.Button.Width, layout.Ok.Top, c.Button);
    return layout;
}

} // namespace korva::components
