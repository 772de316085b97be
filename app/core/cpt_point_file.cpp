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
    return components::FormatExponentKeeping(number, 3, 2);
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
    const int countLine = reader.CurrentLine();
    const int countItem = reader.CurrentWord();
    // A count the file cannot hold gives way to the points that follow it:
    // they are the profile, and the next save writes them with their count.
    const bool countFits = count >= 0 && count <= kMaxCptPoints;
    const int wanted = countFits ? count : kMaxCptPoints;
    while (points.PointCount() < wanted && reader.SeekWord()) {
        const double depth = reader.ReadDouble();
        if (!reader.SeekWord())
            break; // half a point at the end
        const double coneResistance = reader.ReadDouble();
        points.Add(coneResistance, depth);
    }
    const std::string held = FormatInteger(points.PointCount());
    const std::string read = points.PointCount() == 1 ? " point was read." : " points were read.";
    if (!countFits)
        components::TWordReader::InputErrorAt(countLine, countItem,
                                              "The number of CPT points (" + FormatInteger(count) +
                                                  ") must be between 0 and " + FormatInteger(kMaxCptPoints) +
                                                  "; " + held + read);
    if (points.PointCount() < count)
        components::TWordReader::InputErrorAt(countLine, countItem,
                                              "The number of CPT points (" + FormatInteger(count) +
                                                  ") is more than the file holds (" + held + ").");
}

} // namespace korva::app
