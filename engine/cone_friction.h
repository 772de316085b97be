#pragma once
// Unit side friction of the cone-based offshore methods (NGI, ICP/MTD,
// FUGRO 2004, UWA), one segment at a time and free of the run state, so that
// every rule can be checked on its own numbers. The method routines resolve
// the cone resistance and the stresses of a segment, call these, and store
// the results (and write the messages) in the run.
// Units: stresses ksf (English) or kPa (SI); diameters, radii and the height
// h above the pile tip in inches or millimetres; angles in degrees.
// Every rule returns finite values for any finite input: the floors below
// (no negative cone resistance, stress, strength or yield stress ratio, an
// equivalent radius of at least 1e-5) only act where the formulas would
// otherwise give no number.

namespace korva::engine {

// Constants that the cone-based methods share, by unit system.
struct ConeMethodConstants {
    double pa = 0.0;                  // atmospheric pressure: 2.0885434 ksf / 100 kPa
    double length_factor = 0.0;       // ft to in (12) / m to mm (1000): h in the unit of the diameters
    double radial_displacement = 0.0; // dr of the dilation term: 0.0007874016 in / 0.02 mm
    // NGI raises a sand segment's top stress below this to it (so that the
    // rules after it see a stress at the surface): 1e-8 ksf, in SI the same
    // stress in kPa.
    double sand_top_stress_floor = 0.0;
};
ConeMethodConstants ConeConstants(int units);

struct PointPair {
    double top = 0.0;
    double bottom = 0.0;
};

// The pile as the cone-based rules see it.
struct ConePile {
    int units = 2;                           // 1 English, 2 SI
    int load_direction = 0;                  // 1 uplift
    int pile_type = 1;                       // 2 timber, 3 precast concrete, ...
    double outer_diameter = 0.0;             // in / mm
    double end_section_inner_diameter = 0.0; // in / mm; 0 for a closed end
};

// One sand segment with its resolved cone resistance.
struct ConeSandSegment {
    double qc = 0.0; // ksf / kPa
    double sigma_top = 0.0;
    double sigma_bottom = 0.0;
    double friction_angle = 0.0; // degrees
    double h = 0.0;              // the segment top's height above the pile tip, in / mm (negative below it)
};

// A finite input that no real soil has (a negative stress, strength or cone
// resistance) taken as 0, so that powers and roots stay defined.
inline double NotNegative(double value) { return value > 0.0 ? value : 0.0; }

// tan of an angle in degrees, converted as the engine does everywhere (/ 57.2958).
double TanDegrees(double degrees);
// tan of the sand's interface angle, the friction angle less 5 degrees. An
// angle below 5 degrees gives 0, not a negative friction.
double SandInterfaceTangent(double friction_angle);

// Interface friction angle of clay (degrees) by plasticity index (percent):
// the 17-point table, linear between its points, its end values beyond them.
double InterfaceFrictionAngle(double plasticity_index);

// Equivalent radius R* = sqrt(0.25 (OD^2 - EID^2)) of the ICP/MTD rules and
// of the clay rule that FUGRO and UWA share; at least 1e-5.
double EquivalentRadius(const ConePile& pile);
// FUGRO's form of it in sand, 0.5 OD sqrt(1 - (EID / OD)^2); at least 1e-5.
double FugroEquivalentRadius(const ConePile& pile);

// --- NGI ---
struct NgiSandFactors {
    double tip = 1.0;      // 1.6 with a closed end, 1.0 with an end-section inner diameter
    double load = 1.0;     // 1.3 in compression, 1.0 in uplift
    double material = 1.0; // 1.2 for timber and precast concrete
};
NgiSandFactors NgiSandFactorsFor(const ConePile& pile);

// Relative density at a point from the cone resistance and the effective
// stress, at least 0.200001 (English) or 0.20001 (SI). In SI a qc below
// A = 22 sqrt(sigma pa) is first raised to 1.01 A; the raised value stays
// for the segment's other point. With A = 0 the previous value is kept.
double NgiRelativeDensity(double& qc, double sigma, double pa, int units, double previous);

// NGI sand friction of one segment: bottom point first, then the top point,
// whose relative density is computed again from its own stress except for
// the first segment of an English pile. depth_ratio is the segment depth
// over the embedded pile length. relative_density carries Dr from point to
// point and segment to segment within one call of the method.
PointPair NgiSandUnitFriction(const ConeSandSegment& segment, double depth_ratio, bool first_segment,
                              const ConePile& pile, double pa, double& relative_density);

// NGI clay friction from psi = su / sigma_b (sigma_b already raised to 1e-10
// by the caller): the side friction that both points take, and the plug
// friction of the top point (alpha on the remolded strength; below psi 0.25,
// where the rule has no alpha, the side friction).
struct NgiClayFriction {
    double side = 0.0;
    double plug_top = 0.0;
};
NgiClayFriction NgiClayUnitFriction(double su, double remolded_strength, double sigma_bottom,
                                    double plasticity_index, const ConePile& pile);

// --- ICP/MTD, FUGRO 2004, UWA in sand ---
PointPair IcpSandUnitFriction(const ConeSandSegment& segment, const ConePile& pile, const ConeMethodConstants& c);
PointPair FugroSandUnitFriction(const ConeSandSegment& segment, const ConePile& pile, const ConeMethodConstants& c);
// UWA's effective area ratio Ar = 1 - IFR (EID / OD)^2, with the filling
// ratio IFR = (Di / 1.5 m)^0.2, at most 1.
double UwaEffectiveAreaRatio(const ConePile& pile);
PointPair UwaSandUnitFriction(const ConeSandSegment& segment, const ConePile& pile, const ConeMethodConstants& c);

// --- The MTD clay rule of ICP/MTD, FUGRO 2004 and UWA ---
struct ClaySegment {
    double su = 0.0;
    double remolded_strength = 0.0;
    double yield_stress_ratio = 0.0;
    double plasticity_index = 0.0; // below 0: not given
    double sigma_top = 0.0;
    double sigma_bottom = 0.0;
    double h = 0.0; // as ConeSandSegment::h
};
struct ClayRuleFriction {
    PointPair friction;
    bool plasticity_index_missing = false; // the "NO DATA FOUND FOR PLASTIC INDEX" case
    bool ratio_below_eight = false;        // the "h/R SHOULD BE GREATER THAN 8" case
};
// Sensitivity su / remolded strength; 1 where a strength is not positive.
double ClaySensitivity(double su, double remolded_strength);
// Kc = (2 - 0.625 log10 St) YSR^0.42 ratio^-0.2, never below 0.
double ClayRadialStressFactor(double sensitivity, double yield_stress_ratio, double ratio);
ClayRuleFriction MtdClayUnitFriction(const ClaySegment& segment, const ConePile& pile);

} // namespace korva::engine
