#include "cpt_point_file.h"

#include "file_text.h"
#include "program_data.h"
#include "word_reader.h"

namespace korva::app {

using components::FormatInteger;

std::string CptPointFileText(int units, const TCptPoints& points)
{
    components::ScopedDecimalSeparator dot('.');
    const int count = points.PointCount();
    std::string text = " " + FormatInteger(units) + " " + FormatInteger(count) + kLineEnd;
    for (int i = 0; i < count; ++i) {
        const TCptPoint& point = points.Point(i);
        RequireFinite(point.Y, "The depth of CPT point " + FormatInteger(i + 1));
        RequireFinite(point.X, "The cone resistance of CPT point " + FormatInteger(i + 1));
        text += "  " + FloatStrExp2(point.Y) + "  " + FloatStrExp2(point.X) + kLineEnd;
    }
    return text;
}

void ReadCptPointFile(const std::string& path, TCptPoints& points)
{
    points.Clear();
    components::TWordReader reader(path);
    reader.ReadInteger(); // the unit system: the points are in the project's units
    const int count = reader.ReadInteger();
    for (int i = 0; i < count; ++i) {
        const Extended depth = reader.ReadFloat();
        const Extended coneResistance = reader.ReadFloat();
        points.Add(coneResistance, depth);
    }
}

} // namespace korva::app
