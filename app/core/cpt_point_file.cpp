#include "cpt_point_file.h"

#include "file_text.h"
#include "program_data.h"
#include "word_reader.h"

namespace korva::app {

using components::FormatInteger;

namespace {

// A depth or cone resistance as the engine will read it: the double nearest
// to the value, with the digits that give that double back (at least three).
std::string CptValue(Extended value, const std::string& what)
{
    const double number = static_cast<double>(value);
    RequireFinite(number, what);
    return components::FormatExponentShortest(number, 3, 2);
}

} // namespace

std::string CptPointFileText(int units, const TCptPoints& points)
{
    components::ScopedDecimalSeparator dot('.');
    const int count = points.PointCount();
    std::string text = " " + FormatInteger(units) + " " + FormatInteger(count) + kLineEnd;
    for (int i = 0; i < count; ++i) {
        const TCptPoint& point = points.Point(i);
        const std::string depth = CptValue(point.Y, "The depth of CPT point " + FormatInteger(i + 1));
        text += "  " + depth + "  " +
                CptValue(point.X, "The cone resistance of CPT point " + FormatInteger(i + 1)) + kLineEnd;
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
        const double depth = reader.ReadDouble();
        const double coneResistance = reader.ReadDouble();
        points.Add(coneResistance, depth);
    }
}

} // namespace korva::app
