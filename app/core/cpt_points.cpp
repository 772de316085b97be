#include "cpt_points.h"

#include "object_list.h"
#include "unit_codes.h"

namespace korva::app {

namespace {

// The unit codes of the points: kips per square foot or kPa, feet or metres.
constexpr const char* kCptResistanceUnits = "F1/L2^2";
constexpr const char* kCptDepthUnits = "L2";

} // namespace

TCptPoints::TCptPoints()
{
    plot_.Caption = "CPT Data";
    plot_.XCaption = "Qu";
    plot_.YCaption = "Depth";
    plot_.XOnTop = true;
    plot_.Markers = 1;
    plot_.SetLineCount(1);
}

components::TLine& TCptPoints::Line()
{
    if (plot_.LineCount() == 0)
        plot_.SetLineCount(1);
    return *plot_.Line(0);
}

const std::vector<TCptPoint>& TCptPoints::Points() const
{
    static const std::vector<TCptPoint> none;
    return plot_.LineCount() > 0 ? plot_.Line(0)->Points : none;
}

int TCptPoints::PointCount() const
{
    return static_cast<int>(Points().size());
}

void TCptPoints::SetPointCount(int count)
{
    Line().SetPointCount(count);
}

void TCptPoints::Add(Extended x, Extended y)
{
    Line().Points.push_back({x, y});
}

void TCptPoints::ConvertUnits(int fromUnits, int toUnits)
{
    for (TCptPoint& point : Line().Points) {
        point.X = components::ConvertUnits(point.X, fromUnits, toUnits, kCptResistanceUnits);
        point.Y = components::ConvertUnits(point.Y, fromUnits, toUnits, kCptDepthUnits);
    }
}

const TCptPoint& TCptPoints::Point(int index) const
{
    if (index < 0 || index >= PointCount())
        components::RaiseListIndexError(index);
    return Points()[static_cast<std::size_t>(index)];
}

void TCptPoints::SetPoint(int index, Extended x, Extended y)
{
    Line().Point(index) = {x, y};
}

} // namespace korva::app
