#include "cpt_points.h"

#include "object_list.h"

namespace korva::app {

void TCptPoints::SetPointCount(int count)
{
    points_.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
}

void TCptPoints::Scale(Extended xFactor, Extended yFactor)
{
    for (TCptPoint& point : points_) {
        point.X *= xFactor;
        point.Y *= yFactor;
    }
}

std::size_t TCptPoints::Checked(int index) const
{
    if (index < 0 || index >= PointCount())
        components::RaiseListIndexError(index);
    return static_cast<std::size_t>(index);
}

const TCptPoint& TCptPoints::Point(int index) const
{
    return points_[Checked(index)];
}

void TCptPoints::SetPoint(int index, Extended x, Extended y)
{
    points_[Checked(index)] = {x, y};
}

} // namespace korva::app
