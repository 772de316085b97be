#pragma once
// The side-friction row skeleton: how a method turns its unit side friction
// at the segment points into rows, limits, increments and cumulative sums.
// API RP-2A defines it; USACE, FHWA and the cone-based methods reuse it with
// the differences their policy states.
//
// A method routine on the skeleton:
//   1. computes its point unit side friction (two points per segment) and
//      its row of PointPlugSideFriction;
//   2. calls BuildSkinFrictionRows with its policy and the perimeter of
//      each row (ConstantPerimeterRows unless the pile tapers).
// That fills RowUnitSideFriction, RowMaxSideFriction,
// ReportUnitSideFriction, RowSkinIncrement, FactoredSkinRows,
// TransferSkinRows (the factored sum at the end), MethodSkinRows of the
// policy's PileMethod, and MethodRows[engine method].UnitSideFriction (the
// printed unit side friction) and .SkinFriction (the printed, factored
// cumulative skin friction) for rows 0 .. LastRow.
#include "run_state.h"

namespace korva::engine {

struct SkinRowPolicy {
    int engine_method = 0;  // EngineMethod: whose MethodRows are filled
    int project_method = 0; // PileMethod: whose MethodSkinRows are filled

    // Where TensionReduction multiplies the row unit side friction (in
    // uplift only).
    enum class Uplift {
        None,       // cone-based methods: uplift enters through their own rules
        AllRows,    // API: rows 0 .. n
        FromRowOne, // USACE, FHWA: row 0 keeps its value
    } uplift = Uplift::None;

    // How the row limits (MaxSideFriction of the segment that starts at the
    // row) apply, and so which array is printed.
    enum class Limits {
        None,      // unlimited increments; printed: RowUnitSideFriction
        Reported,  // API: printed min(row, limit); increments capped by the limit increment
        InPlace,   // USACE, FHWA: rows 1 .. n cut to the limit after their increment; printed: the cut rows
    } limits = Limits::None;

    // API: a MaxSideFriction of 9999 (the API code) in sand takes the API
    // sand limit of the friction angle, written back into the segment.
    bool api_sand_limits = false;

    // The cumulative sum handed to the t-z curves (MethodSkinRows): the plain
    // sum when ReducedTzFactors is 0, the factored sum when it is 1 (other
    // values leave MethodSkinRows as it is). Every method on the skeleton
    // uses this rule; it is stated here so a table of policies reads whole.
};

SkinRowPolicy ApiRowPolicy();
SkinRowPolicy UsaceRowPolicy();
SkinRowPolicy FhwaRowPolicy();
// NGI, ICP/MTD, FUGRO and UWA (engine_method emNgi .. emUwa).
SkinRowPolicy ConeRowPolicy(int engine_method);

// The perimeter of a straight pile, 3.14159 x OuterDiameter / 12 (ft) or
// / 1000 (m), in this order of operations.
double StraightPilePerimeter(const AnalysisInput& input);
// The same perimeter at every row.
RowArray ConstantPerimeterRows(const AnalysisInput& input);

// A segment takes the clay rules of API RP-2A, USACE and the cone-based
// methods (clay and silt): SoilType - 1 above 0, in SI above 1e-6.
bool TakesClayRules(const AnalysisInput& input, const SoilPoint& soil);

// Row unit side friction from point values: linear in depth within the
// segment that holds the row; 0 for rows above ZeroFrictionLength.
void InterpolateSideFrictionRows(Uses<const AnalysisInput, const PileSegments, const PenetrationRows> run,
                                 const PointArray& point_friction, RowArray& rows);

// The code that asks API RP-2A for its sand limits: a MaxSideFriction of
// 9999 in the project file, psf or kPa (English stresses are in ksf once
// read, so the code is 9.999 there).
bool IsApiLimitCode(int units, double max_side_friction);

// The side-friction limit a segment's soil sets for every rule but API's
// sand limits: its MaxSideFriction, and no limit (NoLimit) for the API
// code, in both unit systems and whichever methods are selected.
double SideFrictionLimit(const AnalysisInput& input, const SoilPoint& soil);

// The limit of each row: the SideFrictionLimit of the segment that starts
// at the row; with api_sand_limits, the API sand table for the code in sand
// (written back into the segment's MaxSideFriction for the later steps of
// the pass).
void ComputeRowLimits(Uses<const AnalysisInput, PileSegments> run, bool api_sand_limits, RowArray& limits);

// The API sand limit (ksf / kPa) of a friction angle in degrees: 1.0, 1.4,
// 1.7, 2.0 and 2.4 ksf, or 47.8, 67.0, 81.3, 95.7 and 114.8 kPa, at 20, 25,
// 30, 35 and 40 degrees, linear between them and held beyond them.
double ApiSandLimit(int units, double friction_angle);

// The whole skeleton: rows, limits, increments, sums and hand-over. It
// writes the segments only under the API policy (its sand limits).
using SkinRowsRun = Uses<const AnalysisInput, PileSegments, const PenetrationRows, SideFrictionRows, MethodResults>;
void BuildSkinFrictionRows(SkinRowsRun run, const SkinRowPolicy& policy, const PointArray& point_friction,
                           const RowArray& perimeter);

} // namespace korva::engine
