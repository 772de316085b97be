#pragma once
// The shared capacity steps that the method loop runs for one method at a
// time, with RunState::MethodIndex set: unit end bearing, end bearing on the
// base, soil-plug friction, tip resistance, capacity by penetration and the
// tip value of every row (self weight in uplift). The effective stress runs
// once per pass before them.
//
// The steps keep run-wide values in the run state (LastChartFrictionAngle,
// CurrentCriticalDepth, EndBearingLimit, H33, H36, LastConeResistance) and
// change some inputs in place for the steps after them (friction angle and
// undrained strength of the segments, the floor of PointEffectiveStress at
// clay bottom points): see run_state.h.
#include "run_state.h"

namespace korva::engine {

// The pile's outside diameter in ft (English, / 12) or m (SI, / 1000).
double DiameterInLengthUnits(const RunState& state);

// The strength that the inside wall of an open pile meets in clay or silt:
// the remolded strength of clay; silt has none and takes its undrained
// strength.
double PlugWallStrength(const SoilPoint& soil);

// The inside diameter of the pile's end as the end-bearing, plug and
// cone-based rules take it (in / mm): the end-section inner diameter, and 0
// for a pile closed at its tip (ClosedEnded = 1) whatever its wall.
double EndInnerDiameter(const RunState& state);

// Vertical effective stress at every point, the friction angle and
// undrained strength fill of the segments, the critical depth and the
// profile held below it.
void ComputeEffectiveStress(RunState& state);

// Mode 1 of the critical depth (where the effective stress first exceeds 3.5
// ksf / 167.58 kPa) when the stress never gets there: the pass has no
// critical depth, and nothing is held (the held profile is the plain one, the
// USACE end bearing takes no held stress).
bool CriticalDepthNotReached(const RunState& state);

void ComputeUnitEndBearing(RunState& state);
void ComputeEndBearing(RunState& state);
void ComputePlugFriction(RunState& state);
void ComputeTipResistance(RunState& state);
void TabulateCapacityByPenetration(RunState& state);
// Stores the tip value of every row in TransferTipRows (and FhwaTipRows,
// UsaceTipRows, UserTipRows by method) and sets RowTipFlags.
void ComputeSelfWeight(RunState& state);

} // namespace korva::engine
