#pragma once
// The shared capacity steps that the method loop runs for one method at a
// time, with MethodLoop::MethodIndex set: unit end bearing, end bearing on
// the base, soil-plug friction, tip resistance, capacity by penetration and
// the tip value of every row (self weight in uplift). The effective stress
// runs once per pass before them.
//
// Besides their own groups the steps write the run's carried values
// (CarriedValues: the last chart friction angle, the critical depth, the
// end-bearing limit, H33, H36, the last cone resistance), and change in
// place what later steps of the pass read: the friction angle and undrained
// strength of the segments (effective stress), the floor of
// PointEffectiveStress at clay bottom points (plug friction).
#include "run_state.h"

namespace korva::engine {

// The pile's outside diameter in ft (English, / 12) or m (SI, / 1000).
double DiameterInLengthUnits(const AnalysisInput& input);

// The strength that the inside wall of an open pile meets in clay or silt:
// the remolded strength of clay; silt has none and takes its undrained
// strength.
double PlugWallStrength(const SoilPoint& soil);

// The inside diameter of the pile's end as the end-bearing, plug and
// cone-based rules take it (in / mm): the end-section inner diameter, and 0
// for a pile closed at its tip (ClosedEnded = 1) whatever its wall.
double EndInnerDiameter(const AnalysisInput& input);

// Vertical effective stress at every point, the friction angle and
// undrained strength fill of the segments, the critical depth and the
// profile held below it.
void ComputeEffectiveStress(Uses<const AnalysisInput, PileSegments, EffectiveStress, CarriedValues> run);

// Mode 1 of the critical depth (where the effective stress first exceeds 3.5
// ksf / 167.58 kPa) when the stress never gets there: the pass has no
// critical depth, and nothing is held (the held profile is the plain one, the
// USACE end bearing takes no held stress).
bool CriticalDepthNotReached(Uses<const AnalysisInput, const CarriedValues> run);

using UnitEndBearingRun = Uses<const AnalysisInput, const PileSegments, const EffectiveStress, const MethodLoop,
                               EndBearingPoints, CarriedValues>;
void ComputeUnitEndBearing(UnitEndBearingRun run);
void ComputeEndBearing(
    Uses<const AnalysisInput, const PileSegments, const MethodLoop, EndBearingPoints, CarriedValues> run);
// Raises a clay bottom stress below 1e-10 to 1e-10 for the rest of the pass.
using PlugFrictionRun = Uses<const AnalysisInput, const PileSegments, const MethodLoop, const SideFrictionRows,
                             EffectiveStress, EndBearingPoints>;
void ComputePlugFriction(PlugFrictionRun run);
void ComputeTipResistance(Uses<const AnalysisInput, const PileSegments, EndBearingPoints> run);
void TabulateCapacityByPenetration(Uses<const AnalysisInput, const PileSegments, const EndBearingPoints, TipRows> run);
// Stores the tip value of every row in TransferTipRows (and FhwaTipRows,
// UsaceTipRows, UserTipRows by method) and sets RowTipFlags.
void ComputeSelfWeight(
    Uses<const AnalysisInput, const PileSegments, const EndBearingPoints, const MethodLoop, TipRows, MethodResults>
        run);

} // namespace korva::engine
