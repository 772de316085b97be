#pragma once
// The capacity methods of the first pass: FHWA, USACE, Revised Lambda and
// the user-specified unit load transfer. FHWA, USACE and Revised Lambda each
// fill, for their EngineMethod, MethodRows[method].UnitSideFriction (the
// printed unit side friction) and .SkinFriction (the printed cumulative skin
// friction, factored) for rows 0 .. LastRow, and MethodSkinRows of their
// PileMethod (USACE and FHWA through the row skeleton of skin_rows.h). The
// method loop then runs the capacity steps and fills the end-bearing rows.
#include "run_state.h"

namespace korva::engine {

// FHWA reads the compression tip flags its capacity steps left (TipRows)
// and sets MethodIndex to itself.
using FhwaMethodRun = Uses<const AnalysisInput, PileSegments, const PenetrationRows, const EffectiveStress,
                           const TipRows, MethodLoop, SideFrictionRows, MethodResults>;
void ComputeCapacityFhwa(FhwaMethodRun run);
// USACE searches the critical depth of mode 1 again (CarriedValues).
using UsaceMethodRun = Uses<const AnalysisInput, PileSegments, const PenetrationRows, const EffectiveStress,
                            SideFrictionRows, MethodResults, CarriedValues>;
void ComputeCapacityUsace(UsaceMethodRun run);
// Revised Lambda raises a K of 0 in the segments to 1.
using RevisedLambdaMethodRun =
    Uses<const AnalysisInput, PileSegments, const EffectiveStress, SideFrictionRows, MethodResults>;
void ComputeCapacityRevisedLambda(RevisedLambdaMethodRun run);
// Lambda of the revised rule for a pile-stiffness number and the mean
// strength and effective stress from the surface: 0.178 - 0.016 ln x below a
// strength ratio of 0.4, else 0.232 - 0.032 ln x, never below 0.14; 0 when the
// number is 0.
double RevisedLambdaFactor(double stiffness_number, double mean_strength, double mean_stress);
// Fills UserSkinRows and UserTipRows; the method loop takes its printed
// rows and MethodSkinRows from them.
using UserMethodRun = Uses<const AnalysisInput, const PileSegments, TipRows, UserMethodRows>;
void ComputeCapacityUserSpecified(UserMethodRun run);

} // namespace korva::engine
