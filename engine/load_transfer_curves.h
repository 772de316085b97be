#pragma once
// t-z curves of the pile shaft and the load-movement curve of its tip, built
// from the hand-over rows of the load-transfer method. Inside the
// load-transfer part lengths are inches and loads pounds in English units,
// metres and kN in SI.
#include "design_charts.h"
#include "run_state.h"

namespace korva::engine {

// Lengths into the load-transfer part: feet to inches in English units,
// metres as they are; and back to feet or metres.
double TransferLength(const AnalysisInput& input, double feet_or_metres);
double FeetOrMetres(const AnalysisInput& input, double transfer_length);

// A fixed length of the load-transfer part, stated in inches, in the unit of
// the run (in / m): the same physical length in both unit systems. The value
// is the single-precision literal the English runs use; in SI it is
// converted at 0.0254 m per inch (MetresPerInch, constants.h).
double FixedInches(const AnalysisInput& input, float inches);

// A pair of consecutive soil points (ft / m) carries t-z curves when the
// points lie at least 0.11 ft (0.033528 m) apart; this also passes over the
// zero-length pair between one layer's bottom point and the next layer's top
// point.
bool PairCarriesTzCurves(const AnalysisInput& input, const SoilPoint& upper, const SoilPoint& lower);

// The pile diameters as the load-transfer part uses them: inches in English
// units, metres in SI (OuterDiameter itself stays in millimetres).
double LoadTransferDiameter(const AnalysisInput& input);
double LoadTransferInnerDiameter(const AnalysisInput& input);

// t_max (psi / kPa) at a depth below ground (in / m): the slope of the
// cumulative skin friction rows there, spread over the pile perimeter. A
// depth within 1e-6 (ft / m) of a row counts as at the row.
double UnitLoadTransferAt(Uses<const AnalysisInput, const PenetrationRows, const MethodResults> run, double depth);

// Fill the ten points of curve from its TzMaxTransfer (and TzFrictionAngle
// for the USACE sand curve); the USACE family when LoadTransferMethod is 2.
void BuildTzCurveSand(const AnalysisInput& input, TzCurve& curve);
void BuildTzCurveClay(const AnalysisInput& input, TzCurve& curve);

// Sets t_max, the curve number and the point count, then builds the curve of
// its soil: the clay curve for TzSoilCode 2, the sand curve otherwise.
void BuildTzCurve(const AnalysisInput& input, TzCurve& curve, int number, double max_transfer);

// The tip curve from the tip capacity (lb / kN), the soil type at the tip and,
// for the USACE sand tip, the friction angle at the tip.
TipLoadCurve BuildTipCurve(const AnalysisInput& input, double tip_capacity, int tip_soil_type,
                           double tip_friction_angle);

// The soil of a depth below ground (ft / m) as the t-z curves see it: the
// first pair of soil points that carries t-z curves whose lower point lies at
// or below the depth (within 1e-6). soil_code is 1 when both points are sand,
// else 2.
struct TzSoilAtDepth {
    int soil_code = 1;
    double friction_angle = 0.0; // interpolated between the two points
};
TzSoilAtDepth TzSoilAt(const AnalysisInput& input, double depth);

// Unit load transfer of a curve at a movement: linear between its points,
// flat beyond its last point.
inline double CurveLoadTransferAt(const TzCurve& curve, double movement)
{
    return LookupTable({curve.Movement, curve.LoadTransfer}, movement);
}
// Tip load at a tip movement: linear between the points, the last load held
// beyond the last point.
double TipLoadAt(const TipLoadCurve& curve, double movement);

} // namespace korva::engine
