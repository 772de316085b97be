#include "tz_output.h"

#include <algorithm>

#include "fixed_format.h"
#include "load_transfer_curves.h"

namespace korva::engine {

namespace {

constexpr std::string_view TzCurveHeaderLayout = "(8X,I5,I11,E16.4)";

// A line that goes to the report and then, as written there, to the plot
// data file.
void WriteBoth(RunState& s, std::string_view descriptors, std::initializer_list<FormatValue> values)
{
    s.plot.Write(s.report.WriteRecord(descriptors, values));
}

} // namespace

void WriteTzSectionHeading(RunState& s)
{
    const bool english = s.Units == 1;
    s.report.Write(FormatRecord("(8X,\"T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD \",\"TRANSFER   PILE MOVEMENT\")"));
    s.report.Write(FormatRecord("(11X,\"NO.\",6X,\"POINTS\",8X,A3,14X,A3,13X,A3,/)",
                                {english ? "FT." : "M. ", english ? "PSI" : "KPA", english ? "IN." : "M. "}));
}

void WritePlotCount(RunState& s, int count)
{
    // List-directed: the reader splits the line into words.
    s.plot.Write(FormatRecord("(I12)", {count}));
}

void WriteTzCurveRecord(RunState& s, int number, double depth_below_ground, const TzCurve& curve)
{
    WriteBoth(s, TzCurveHeaderLayout, {number, curve.TzPointCount, depth_below_ground});
    for (int p = 0; p < TzPointsPerCurve; ++p)
        WriteBoth(s, "(40X,E17.4,E16.4)", {curve.LoadTransfer[p], curve.Movement[p]});
}

void WriteTzVerificationSection(RunState& s)
{
    s.report.Write(FormatRecord("(/,/,16X,\"*************************************************\",/,16X,"
                                "\"* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *\",/,16X,"
                                "\"* (t-z) CURVES FOR VERIFICATION                 *\",/,16X,"
                                "\"*************************************************\",/,/)"));
    WriteTzCurves(s, 1);
}

void WriteTzCurves(RunState& s, int print)
{
    const int count = std::min(s.TzDepthCount, MaxTzDepths);
    const double deepest = s.SoilPointCount > 0 ? s.SoilColumns[s.SoilPointCount - 1][Soil::Depth] : 0.0;
    auto in_range = [&](int i) { return s.TzDepth[i] >= 0.0 && s.TzDepth[i] <= deepest; };

    int in_range_count = 0;
    for (int i = 0; i < count; ++i) {
        if (!in_range(i))
            continue;
        ++in_range_count;
        const TzSoilAtDepth soil = TzSoilAt(s, s.TzDepth[i]);
        TzCurve& curve = s.ExtraTzCurves[i];
        curve.TzSoilCode = soil.soil_code;
        curve.TzFrictionAngle = soil.friction_angle;
        curve.TzCurveDepth = TransferLength(s, s.TzDepth[i]);
        BuildTzCurve(s, curve, i + 1, UnitLoadTransferAt(s, curve.TzCurveDepth));
    }
    if (print != 1)
        return;

    WriteTzSectionHeading(s);
    WritePlotCount(s, in_range_count);
    for (int i = 0; i < count; ++i) {
        const TzCurve& curve = s.ExtraTzCurves[i];
        if (in_range(i)) {
            WriteTzCurveRecord(s, i + 1, s.TzDepth[i], curve);
        } else {
            s.report.Write(FormatRecord(TzCurveHeaderLayout, {i + 1, TzPointsPerCurve, s.TzDepth[i]}));
            s.report.Write(FormatRecord("(15X,\"CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE\")"));
        }
    }
}

} // namespace korva::engine
