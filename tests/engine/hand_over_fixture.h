#pragma once
// A run state as the method loop leaves it for the load-transfer part: the
// pile, its soil points and the hand-over rows of the load-transfer method,
// built by hand (uniform unit skin friction along the embedded length, one
// tip capacity), and the load-settlement output read back.
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "engine_run.h"
#include "load_settlement.h"
#include "run_state.h"
#include "tz_output.h"

namespace korva::test {

struct SoilPointSpec {
    double depth = 0.0;
    int type = 1;
    double friction_angle = 30.0;
};

// Defaults: the closed-form pile, English: 12 x 11 in pipe, E = 29e6 psi,
// 50 ft embedded, no stickup, sand to 100 ft, 1 ksf unit skin friction
// (1000 psf) and 100 ksf unit end bearing on the full 1 ft diameter.
struct HandOverPile {
    int units = 1;
    double outer_diameter = 12.0; // in / mm
    double inner_diameter = 11.0;
    double modulus = 29.0e6; // psi / kPa
    double embedded = 50.0;  // ft / m
    double stickup = 0.0;
    double increment = 1.0;
    int print_every = 1;
    int method = 5;
    double unit_skin = 1.0;                                      // ksf / kPa
    double tip_capacity = 100.0 * std::numbers::pi / 4.0;        // kips / kN
    std::vector<SoilPointSpec> soil = {{0.0, 1, 30.0}, {100.0, 1, 30.0}};
    std::vector<double> extra_depths = {};
};

// The same pile in SI units.
inline HandOverPile InSi(HandOverPile p)
{
    constexpr double kPaPerPsi = 6.894757;
    constexpr double kNPerKip = 4.4482216;
    constexpr double kPaPerKsf = 47.880259;
    p.units = 2;
    p.outer_diameter *= 25.4;
    p.inner_diameter *= 25.4;
    p.modulus *= kPaPerPsi;
    p.embedded *= 0.3048;
    p.stickup *= 0.3048;
    p.increment *= 0.3048;
    p.unit_skin *= kPaPerKsf;
    p.tip_capacity *= kNPerKip;
    for (SoilPointSpec& point : p.soil)
        point.depth *= 0.3048;
    for (double& depth : p.extra_depths)
        depth *= 0.3048;
    return p;
}

inline std::unique_ptr<engine::RunState> HandOverState(const HandOverPile& p)
{
    namespace Soil = engine::Soil;
    auto state = std::make_unique<engine::RunState>();
    engine::RunState& s = *state;
    s.Units = p.units;
    s.PrintEvery = p.print_every;
    s.OuterDiameter = p.outer_diameter;
    s.InnerDiameter = p.inner_diameter;
    s.ElasticModulus = p.modulus;
    s.PileLength = p.embedded; // embedded length, as after the input echo
    s.StickupLength = p.stickup;
    s.IncrementLength = p.increment;
    s.LoadTransferMethod = p.method;
    s.SoilPointCount = static_cast<int>(p.soil.size());
    for (std::size_t i = 0; i < p.soil.size(); ++i) {
        s.SoilColumns[i][Soil::Depth] = p.soil[i].depth;
        s.SoilColumns[i][Soil::SoilType] = p.soil[i].type;
        s.SoilColumns[i][Soil::FrictionAngle] = p.soil[i].friction_angle;
    }
    s.TzDepthCount = static_cast<int>(p.extra_depths.size());
    s.ExtraTZDepths = s.TzDepthCount > 0 ? 1 : 0;
    for (std::size_t i = 0; i < p.extra_depths.size(); ++i)
        s.TzDepth[i] = p.extra_depths[i];

    const int rows = static_cast<int>(std::trunc(p.embedded / p.increment + 1.0e-6)) + 1;
    const double perimeter = std::numbers::pi * p.outer_diameter / (p.units == 1 ? 12.0 : 1000.0);
    s.PenetrationRowCount = rows;
    for (int k = 0; k < rows; ++k) {
        s.PenetrationDepths[k] = k * p.increment;
        s.TransferSkinRows[k] = p.unit_skin * perimeter * s.PenetrationDepths[k];
        s.TransferTipRows[k] = p.tip_capacity;
    }
    const int printed = (rows + p.print_every - 1) / p.print_every;
    s.RowsPerCurve = printed + (1 + (printed - 1) * p.print_every < rows ? 1 : 0);
    return state;
}

// The closed form of the default pile on linear springs (Winkler): skin
// springs of the t-z curves' first slope, t_max / 0.1 in, and the tip spring
// of the tip curve's first slope, 0.0625 Q / (0.0005 D). Head load in kips
// for a tip movement in inches.
inline double WinklerHeadLoad(double tip_movement, double tip_capacity_kips = 100.0 * std::numbers::pi / 4.0)
{
    constexpr double pi = std::numbers::pi;
    const double diameter = 12.0, inner = 11.0, modulus = 29.0e6, length = 600.0; // in, psi
    const double t_max = 1000.0 / 144.0;                                           // psi
    const double q = tip_capacity_kips * 1000.0;                                   // lb
    const double skin_spring = pi * diameter * t_max / 0.1;                        // lb/in per in
    const double tip_spring = 0.0625 * q / (0.0005 * diameter);                    // lb/in
    const double ea = modulus * pi / 4.0 * (diameter * diameter - inner * inner);
    const double lambda = std::sqrt(skin_spring / ea);
    return tip_movement * (ea * lambda * std::sinh(lambda * length) + tip_spring * std::cosh(lambda * length)) /
           1000.0;
}

struct SectionOutput {
    int status = 0;
    std::string report;
    std::string plot;
};

// WriteLoadSettlementSection, then WriteTzVerificationSection when the pile
// lists extra depths, as the method loop calls them, into files of folder.
inline SectionOutput RunLoadTransfer(engine::RunState& s, const RunFolder& folder)
{
    SectionOutput out;
    s.report.Open(folder.Path("section.kv7o"));
    s.plot.Open(folder.Path("section.kv7p"));
    engine::WriteLoadSettlementSection(s, out.status);
    if (out.status == 0 && s.TzDepthCount > 0)
        engine::WriteTzVerificationSection(s);
    s.report.Commit();
    s.plot.Commit();
    out.report = folder.Read("section.kv7o");
    out.plot = folder.Read("section.kv7p");
    return out;
}

} // namespace korva::test
