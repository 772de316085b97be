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

double StraightPilePerimeter(const RunState& s)
{
    return s.Units == 1 ? PiTo5Places * s.OuterDiameter / InchesPerFoot
                         : PiTo5Places * s.OuterDiameter / MillimetresPerMetre;
}

RowArray ConstantPerimeterRows(const RunState& s)
{
    RowArray rows;
    rows.fill(StraightPilePerimeter(s));
    return rows;
}

bool TakesClayRules(const RunState& s, const SoilPoint& soil)
{
    const double above_sand = soil[Soil::SoilType] - 1.0f;
    return s.Units == 1 ? above_sand > 0.0 : above_sand > 1.0e-6f;
}

void InterpolateSideFrictionRows(RunState& s, const PointArray& point_friction, RowArray& rows)
{
    const int n = LastRow(s);
    SegmentWalker segments(s);
    for (int k = 0; k <= n; ++k) {
        const double z = s.PenetrationDepths[k];
        rows[k] = z - s.ZeroFrictionLength > -DepthTolerance ? segments.PointValueAtDepth(point_friction, z) : 0.0;
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

double SideFrictionLimit(const RunState& s, const SoilPoint& soil)
{
    const double limit = soil[Soil::MaxSideFriction];
    return IsApiLimitCode(s.Units, limit) ? NoLimit : limit;
}

void ComputeRowLimits(RunState& s, bool api_sand_limits, RowArray& limits)
{
    const int n = LastRow(s);
    for (int k = 0; k <= n; ++k) {
        SoilPoint& soil = s.SegmentSoil[SegmentStartingAtRow(s, k)];
        double limit = SideFrictionLimit(s, soil);
        if (api_sand_limits && IsApiLimitCode(s.Units, soil[Soil::MaxSideFriction]) &&
            soil[Soil::SoilType] == 1.0) {
            limit = ApiSandLimit(s.Units, soil[Soil::FrictionAngle]);
            soil[Soil::MaxSideFriction] = limit; // later steps of the pass see the API limit
        }
        limits[k] = limit;
    }
}

namespace {

// Increments between rows and their plain and factored sums.
void SumSkinFrictionRows(RunState& s, const SkinRowPolicy& policy, const RowArray& perimeter)
{
    using Limits = SkinRowPolicy::Limits;
    const int n = LastRow(s);
    const bool uplift = s.LoadDirection == 1;
    RowArray& row = s.RowUnitSideFriction;
    const RowArray& limit = s.RowMaxSideFriction;
    RowArray& tz_rows = s.MethodSkinRows[policy.project_method];

    s.RowSkinIncrement[0] = 0.0;
    s.TransferSkinRows[0] = 0.0;
    if (uplift && policy.uplift == SkinRowPolicy::Uplift::AllRows)
        row[0] = s.TensionReduction * row[0];
    s.ReportUnitSideFriction[0] = policy.limits == Limits::Reported ? std::min(row[0], limit[0]) : row[0];

    double factored = 0.0;
    for (int k = 1; k <= n; ++k) {
        if (uplift && policy.uplift != SkinRowPolicy::Uplift::None)
            row[k] = s.TensionReduction * row[k];
        if (policy.limits != Limits::InPlace)
            s.ReportUnitSideFriction[k] = policy.limits == Limits::Reported ? std::min(row[k], limit[k]) : row[k];
        const double p = perimeter[k];
        double increment = (row[k - 1] + row[k]) * 0.5f * p * s.IncrementLength;
        if (policy.limits != Limits::None) {
            const double limit_increment = (limit[k - 1] + limit[k]) * 0.5f * p * s.IncrementLength;
            // Cut after its increment, so the next row's increment uses the cut value.
            if (policy.limits == Limits::InPlace)
                row[k] = std::min(row[k], limit[k]);
            if (increment - limit_increment > 1.0e-6f)
                increment = limit_increment;
        }
        s.RowSkinIncrement[k] = increment;
        s.TransferSkinRows[k] = s.TransferSkinRows[k - 1] + increment;
        factored = factored + increment * s.SegmentSideFrictionFactor[SegmentStartingAtRow(s, k)];
        s.FactoredSkinRows[k] = factored;
        if (s.ReducedTzFactors == 0)
            tz_rows[k] = s.TransferSkinRows[k];
        else if (s.ReducedTzFactors == 1)
            tz_rows[k] = factored;
    }
    // The factored sum is what the table prints and adds to the end bearing.
    for (int k = 1; k <= n; ++k)
        s.TransferSkinRows[k] = s.FactoredSkinRows[k];
}

} // namespace

void BuildSkinFrictionRows(RunState& s, const SkinRowPolicy& policy, const PointArray& point_friction,
                           const RowArray& perimeter)
{
    InterpolateSideFrictionRows(s, point_friction, s.RowUnitSideFriction);
    ComputeRowLimits(s, policy.api_sand_limits, s.RowMaxSideFriction);
    SumSkinFrictionRows(s, policy, perimeter);

    MethodResultRows& result = s.MethodRows[policy.engine_method];
    const RowArray& printed =
        policy.limits == SkinRowPolicy::Limits::InPlace ? s.RowUnitSideFriction : s.ReportUnitSideFriction;
    const int n = LastRow(s);
    for (int k = 0; k <= n; ++k) {
        result.UnitSideFriction[k] = printed[k];
        result.SkinFriction[k] = s.TransferSkinRows[k];
    }
}

} // namespace korva::engine
