#include "tz_output.h"

#include <algorithm>

#include "fixed_format.h"
#include "load_transfer_curves.h"

namespace korva::engine {

namespace {

constexpr std::string_view TzCurveHeaderLayout = "(8X,I5,I11,E16.4)";

// A line that goes to the report and then, as written there, to the plot
// data file.
void WriteBoth(RunOutputs& out, std::string_view descriptors, std::initializer_list<FormatValue> values)
{
    out.plot.Write(out.report.WriteRecord(descriptors, values));
}

} // namespace

void WriteTzSectionHeading(Uses<const AnalysisInput, RunOutputs> run)
{
    const AnalysisInput& input = run;
    RunOutputs& out = run;
    const bool english = input.Units == 1;
    out.report.Write(FormatRecord("(8X,\"T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD \",\"TRANSFER   PILE MOVEMENT\")"));
    out.report.Write(FormatRecord("(11X,\"NO.\",6X,\"POINTS\",8X,A3,14X,A3,13X,A3,/)",
                                  {english ? "FT." : "M. ", english ? "PSI" : "KPA", english ? "IN." : "M. "}));
}

void WritePlotCount(RunOutputs& out, int count)
{
    // List-directed: the reader splits the line into words.
    out.plot.Write(FormatRecord("(I12)", {count}));
}

void WriteTzCurveRecord(RunOutputs& out, int number, double depth_below_ground, const TzCurve& curve)
{
    WriteBoth(out, TzCurveHeaderLayout, {number, curve.TzPointCount, depth_below_ground});
    for (int p = 0; p < TzPointsPerCurve; ++p)
        WriteBoth(out, "(40X,E17.4,E16.4)", {curve.LoadTransfer[p], curve.Movement[p]});
}

void WriteTzVerificationSection(LoadSettlementRun run)
{
    RunOutputs& out = run;
    out.report.Write(FormatRecord("(/,/,16X,\"*************************************************\",/,16X,"
                                  "\"* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *\",/,16X,"
                                  "\"* (t-z) CURVES FOR VERIFICATION                 *\",/,16X,"
                                  "\"*************************************************\",/,/)"));
    WriteTzCurves(run, 1);
}

void WriteTzCurves(LoadSettlementRun run, int print)
{
    const AnalysisInput& input = run;
    LoadTransfer& transfer = run;
    RunOutputs& out = run;
    const int count = std::min(input.TzDepthCount, MaxTzDepths);
    const double deepest = input.SoilPointCount > 0 ? input.SoilColumns[input.SoilPointCount - 1][Soil::Depth] : 0.0;
    auto in_range = [&](int i) { return input.TzDepth[i] >= 0.0 && input.TzDepth[i] <= deepest; };

    int in_range_count = 0;
    for (int i = 0; i < count; ++i) {
        if (!in_range(i))
            continue;
        ++in_range_count;
        const TzSoilAtDepth soil = TzSoilAt(input, input.TzDepth[i]);
        TzCurve& curve = transfer.ExtraTzCurves[i];
        curve.TzSoilCode = soil.soil_code;
        curve.TzFrictionAngle = soil.friction_angle;
        curve.TzCurveDepth = TransferLength(input, input.TzDepth[i]);
        BuildTzCurve(input, curve, i + 1, UnitLoadTransferAt(run, curve.TzCurveDepth));
    }
    if (print != 1)
        return;

    WriteTzSectionHeading(run);
    WritePlotCount(out, in_range_count);
    for (int i = 0; i < count; ++i) {
        const TzCurve& curve = transfer.ExtraTzCurves[i];
        if (in_range(i)) {
            WriteTzCurveRecord(out, i + 1, input.TzDepth[i], curve);
        } else {
            out.report.Write(FormatRecord(TzCurveHeaderLayout, {i + 1, TzPointsPerCurve, input.TzDepth[i]}));
            out.report.Write(FormatRecord("(15X,\"CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE\")"));
        }
    }
}

} // namespace korva::engine
