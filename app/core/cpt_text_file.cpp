#include "cpt_text_file.h"

#include <cmath>
#include <limits>
#include <utility>

#include "exceptions.h"
#include "program_data.h"
#include "word_reader.h"

namespace korva::app {

using namespace components;

namespace {

// A value the CPT point file and the analysis can carry (a double).
bool Representable(Extended value)
{
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<double>::max();
}

} // namespace

std::string CptFileMissingMessage(const std::string& fileName)
{
    return "File " + fileName + " does not exists";
}

TCptReadResult ReadCptTextFile(const std::string& fileName, const TCptTextLayout& layout)
{
    TCptReadResult result;
    if (layout.DataLines > kMaxCptPoints) {
        result.Message = "The CPT file can have at most " + FormatInteger(kMaxCptPoints) +
                         " data lines: the analysis reads no more CPT points than that.";
        return result;
    }
    if (layout.Columns < 2) {
        result.Message = kCptReadError;
        return result;
    }
    std::vector<TCptPoint> points;
    try {
        TWordReader reader(fileName);
        for (int h = 0; h < layout.HeaderLines; ++h)
            reader.ReadLine();
        for (int i = 0; i < layout.DataLines; ++i) {
            TCptPoint point;
            int line = -1;
            for (int j = 1; j <= layout.Columns; ++j) {
                const Extended v = reader.ReadFloat();
                // The words of one point come from one line: a short line
                // would otherwise take its last values from the next one.
                if (j == 1)
                    line = reader.CurrentLine();
                else if (reader.CurrentLine() != line)
                    throw EInOutError(kCptReadError);
                if (j == 1)
                    point.Y = v;
                else if (j == 2)
                    point.X = layout.StressFactor * v;
            }
            if (!Representable(point.X) || !Representable(point.Y))
                throw EInOutError(kCptReadError);
            reader.ReadLine(); // the rest of the line is not read
            points.push_back(point);
        }
    } catch (const EInOutError&) {
        result.Message = kCptReadError;
        return result;
    }
    result.Ok = true;
    result.Points = std::move(points);
    return result;
}

void AcceptCptProfile(TProgramData& project, TCptPoints& profile, std::vector<TCptPoint> points)
{
    profile.Clear();
    for (const TCptPoint& p : points)
        profile.Add(p.X, p.Y);
    SetCptViewCaptions(profile.MotionInput(), TCptView::ConeResistance, project.Units);
    if (project.Host().Events.SetModified)
        project.Host().Events.SetModified(true);
}

TCptViewTexts CptViewTexts(TCptView view, int units)
{
    const bool english = units == 1;
    const std::string depth = english ? "Depth, ft" : "Depth, m";
    switch (view) {
    case TCptView::Spt:
        return {"Converted SPT from CPT Data", "SPT, N", depth, "Converted SPT"};
    case TCptView::UndrainedStrength:
        return {"Converted Undrained Shear Strength Su from CPT Data",
                english ? "Undrained Shear Strength Su, k/ft^2" : "Undrained Shear Strength Su, kPa", depth,
                "Converted Su"};
    default:
        return {"CPT Profile", english ? "Qc, ksf" : "Qc, kPa", depth, "CPT Data"};
    }
}

Extended CptViewValue(TCptView view, int units, Extended coneResistance)
{
    switch (view) {
    case TCptView::Spt:
        return units == 1 ? coneResistance * 47.875L / 280 : coneResistance / 280;
    case TCptView::UndrainedStrength:
        return coneResistance / 15;
    default:
        return coneResistance;
    }
}

std::vector<TCptPoint> CptViewPoints(TCptView view, int units, const TCptPoints& profile)
{
    std::vector<TCptPoint> points;
    points.reserve(profile.Points().size());
    for (const TCptPoint& p : profile.Points())
        points.push_back({CptViewValue(view, units, p.X), p.Y});
    return points;
}

void SetCptViewCaptions(components::TGraphPlot& plot, TCptView view, int units)
{
    const TCptViewTexts texts = CptViewTexts(view, units);
    plot.Caption = texts.Caption;
    plot.XCaption = texts.XCaption;
    plot.YCaption = texts.YCaption;
    if (plot.LineCount() == 0)
        plot.SetLineCount(1);
    plot.Line(0)->Name = texts.LineName;
}

void FillCptViewPlot(components::TGraphPlot& plot, TCptView view, int units, const TCptPoints& profile)
{
    plot.XOnTop = true;
    plot.Markers = 1;
    plot.SetLineCount(1);
    SetCptViewCaptions(plot, view, units);
    plot.Line(0)->Points = CptViewPoints(view, units, profile);
}

} // namespace korva::app
