#include "skin_rows.h"

#include <algorithm>

#include "constants.h"
#include "segment_rows.h"

namespace korva::engine {

SkinRowPolicy ApiRowPolicy()
{
    return {emApi, pmApi, SkinRowPolicy::Uplift::AllRows, SkinRowPolicy::Limits::Reported, true};
}

SkinRowPolicy UsaceRowPolicy()
{
    return {emUsace, pmUsace, SkinRowPolicy::Uplift::FromRowOne, SkinRowPolicy::Limits::InPlace, false};
}

SkinRowPolicy FhwaRowPolicy()
{
    return {emFhwa, pmFhwa, SkinRowPolicy::Uplift::FromRowOne, SkinRowPolicy::Limits::InPlace, false};
}

SkinRowPolicy ConeRowPolicy(int engine_method)
{
    return {engine_method, PileMethodOf(engine_method), SkinRowPolicy::Uplift::None, SkinRowPolicy::Limits::None,
            false};
}

double StraightPilePerimeter(const AnalysisInput& input)
{
    return input.Units == 1 ? PiTo5Places * input.OuterDiameter / InchesPerFoot
                            : PiTo5Places * input.OuterDiameter / MillimetresPerMetre;
}

RowArray ConstantPerimeterRows(const AnalysisInput& input)
{
    RowArray rows;
    rows.fill(StraightPilePerimeter(input));
    return rows;
}

bool TakesClayRules(const AnalysisInput& input, const SoilPoint& soil)
{
    const double above_sand = soil[Soil::SoilType] - 1.0f;
    return input.Units == 1 ? above_sand > 0.0 : above_sand > 1.0e-6f;
}

void InterpolateSideFrictionRows(Uses<const AnalysisInput, const PileSegments, const PenetrationRows> run,
                                 const PointArray& point_friction, RowArray& rows)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const PenetrationRows& penetration = run;
    const int n = LastRow(input);
    SegmentWalker walker(segments);
    for (int k = 0; k <= n; ++k) {
        const double z = penetration.PenetrationDepths[k];
        rows[k] = z - input.ZeroFrictionLength > -DepthTolerance ? walker.PointValueAtDepth(point_friction, z) : 0.0;
    }
}

namespace {

// The API sand limits at 20, 25, 30, 35 and 40 degrees and the rise of each
// 5-degree band between them.
struct ApiSandLimitTable {
    double at[5];
    double rise[4];
};

constexpr ApiSandLimitTable ApiSandLimitKsf{{1.0f, 1.4f, 1.7f, 2.0f, 2.4f}, {0.4f, 0.3f, 0.3f, 0.4f}};
// API RP 2A's own SI values of the five limits (the English ones converted
// and rounded), straight lines between them.
constexpr ApiSandLimitTable ApiSandLimitKpa{{47.8f, 67.0f, 81.3f, 95.7f, 114.8f}, {19.2f, 14.3f, 14.4f, 19.1f}};

} // namespace

double ApiSandLimit(int units, double phi)
{
    const ApiSandLimitTable& table = units == 1 ? ApiSandLimitKsf : ApiSandLimitKpa;
    if (phi <= 20.0f)
        return table.at[0];
    for (int band = 0; band < 4; ++band) {
        const double start = 20.0f + 5.0f * band;
        if (phi <= start + 5.0f)
            return table.at[band] + (phi - start) * table.rise[band] / 5.0f;
    }
    return table.at[4];
}

bool IsApiLimitCode(int units, double max_side_friction)
{
    // Compared as the reader converted it.
    const double code = units == 1 ? 9999.0 / PoundsPerKip : 9999.0;
    return max_side_friction == code;
}

double SideFrictionLimit(const AnalysisInput& input, const SoilPoint& soil)
{
    const double limit = soil[Soil::MaxSideFriction];
    return IsApiLimitCode(input.Units, limit) ? NoLimit : limit;
}

void ComputeRowLimits(Uses<const AnalysisInput, PileSegments> run, bool api_sand_limits, RowArray& limits)
{
    const AnalysisInput& input = run;
    PileSegments& segments = run;
    const int n = LastRow(input);
    for (int k = 0; k <= n; ++k) {
        SoilPoint& soil = segments.SegmentSoil[SegmentStartingAtRow(segments, k)];
        double limit = SideFrictionLimit(input, soil);
        if (api_sand_limits && IsApiLimitCode(input.Units, soil[Soil::MaxSideFriction]) &&
            soil[Soil::SoilType] == 1.0) {
            limit = ApiSandLimit(input.Units, soil[Soil::FrictionAngle]);
            soil[Soil::MaxSideFriction] = limit; // later steps of the pass see the API limit
        }
        limits[k] = limit;
    }
}

namespace {

// Increments between rows and their plain and factored sums.
void SumSkinFrictionRows(Uses<const AnalysisInput, const PileSegments, SideFrictionRows, MethodResults> run,
                         const SkinRowPolicy& policy, const RowArray& perimeter)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    SideFrictionRows& side = run;
    MethodResults& results = run;
    using Limits = SkinRowPolicy::Limits;
    const int n = LastRow(input);
    const bool uplift = input.LoadDirection == 1;
    RowArray& row = side.RowUnitSideFriction;
    const RowArray& limit = side.RowMaxSideFriction;
    RowArray& tz_rows = results.MethodSkinRows[policy.project_method];

    side.RowSkinIncrement[0] = 0.0;
    results.TransferSkinRows[0] = 0.0;
    if (uplift && policy.uplift == SkinRowPolicy::Uplift::AllRows)
        row[0] = input.TensionReduction * row[0];
    side.ReportUnitSideFriction[0] = policy.limits == Limits::Reported ? std::min(row[0], limit[0]) : row[0];

    double factored = 0.0;
    for (int k = 1; k <= n; ++k) {
        if (uplift && policy.uplift != SkinRowPolicy::Uplift::None)
            row[k] = input.TensionReduction * row[k];
        if (policy.limits != Limits::InPlace)
            side.ReportUnitSideFriction[k] = policy.limits == Limits::Reported ? std::min(row[k], limit[k]) : row[k];
        const double p = perimeter[k];
        double increment = (row[k - 1] + row[k]) * 0.5f * p * input.IncrementLength;
        if (policy.limits != Limits::None) {
            const double limit_increment = (limit[k - 1] + limit[k]) * 0.5f * p * input.IncrementLength;
            // Cut after its increment, so the next row's increment uses the cut value.
            if (policy.limits == Limits::InPlace)
                row[k] = std::min(row[k], limit[k]);
            if (increment - limit_increment > 1.0e-6f)
                increment = limit_increment;
        }
        side.RowSkinIncrement[k] = increment;
        results.TransferSkinRows[k] = results.TransferSkinRows[k - 1] + increment;
        factored = factored + increment * segments.SegmentSideFrictionFactor[SegmentStartingAtRow(segments, k)];
        side.FactoredSkinRows[k] = factored;
        if (input.ReducedTzFactors == 0)
            tz_rows[k] = results.TransferSkinRows[k];
        else if (input.ReducedTzFactors == 1)
            tz_rows[k] = factored;
    }
    // The factored sum is what the table prints and adds to the end bearing.
    for (int k = 1; k <= n; ++k)
        results.TransferSkinRows[k] = side.FactoredSkinRows[k];
}

} // namespace

void BuildSkinFrictionRows(SkinRowsRun run, const SkinRowPolicy& policy, const PointArray& point_friction,
                           const RowArray& perimeter)
{
    const AnalysisInput& input = run;
    SideFrictionRows& side = run;
    MethodResults& results = run;
    InterpolateSideFrictionRows(run, point_friction, side.RowUnitSideFriction);
    ComputeRowLimits(run, policy.api_sand_limits, side.RowMaxSideFriction);
    SumSkinFrictionRows(run, policy, perimeter);

    MethodResultRows& result = results.MethodRows[policy.engine_method];
    const RowArray& printed =
        policy.limits == SkinRowPolicy::Limits::InPlace ? side.RowUnitSideFriction : side.ReportUnitSideFriction;
    const int n = LastRow(input);
    for (int k = 0; k <= n; ++k) {
        result.UnitSideFriction[k] = printed[k];
        result.SkinFriction[k] = results.TransferSkinRows[k];
    }
}

} // namespace korva::engine
