// FHWA side friction: Nordlund's rule in sand, Tomlinson's adhesion in clay
// and silt; rows on the side-friction skeleton with the perimeter of a
// tapered pile shrinking with depth.
#include <cmath>

#include "capacity_steps.h"
#include "constants.h"
#include "fhwa_charts.h"
#include "land_methods.h"
#include "skin_rows.h"

namespace korva::engine {

namespace {

// Outside diameter (ft / m) at depth z below the ground: a tapered pile
// narrows from its head, StickupLength above the ground.
double DiameterAtDepth(const AnalysisInput& input, double diameter, double z)
{
    return diameter - 2.0f * std::tan(input.TaperAngle * RadiansPerDegree) * (input.StickupLength + z);
}

// What the clay rule carries from one segment to the next within a call.
struct AdhesionState {
    int graph = 0;         // adhesion graph in use, 1-3; 0 before any is chosen
    double factor = 0.0;   // adhesion factor of the last evaluation
    bool choose = true;    // the next clay segment is the first after sand (or the start)
    int layer = -1;        // soil-point pair that holds the last clay segment
    double layer_top = 0.0;
    double layer_bottom = 0.0;
    double completed_clay = 0.0; // thickness of the clay layers passed
};

// The layer (pair of consecutive soil points) that holds the segment bottom;
// the thickness of a clay layer counts once, for the clay below it.
void FindClayLayer(const AnalysisInput& input, double segment_bottom, AdhesionState& a)
{
    for (int i = 0; i + 1 < input.SoilPointCount; ++i) {
        const double d1 = input.SoilColumns[i][Soil::Depth];
        const double d2 = input.SoilColumns[i + 1][Soil::Depth];
        if (d1 < segment_bottom - DepthTolerance && segment_bottom <= d2 + DepthTolerance) {
            if (a.layer >= 0 && i != a.layer)
                a.completed_clay = a.completed_clay + (a.layer_bottom - a.layer_top);
            a.layer = i;
            a.layer_top = d1;
            a.layer_bottom = d2;
            return;
        }
    }
    // Below the last soil point: the layer found last stays.
}

// The graph of a clay that starts below the given segment soil: clay below
// sand graph 1, below soft clay (Su under 0.8 ksf) graph 2, else graph 3.
int GraphBelow(const AnalysisInput& input, const SoilPoint& above)
{
    if (above[Soil::SoilType] - 1.0f < 1.0e-10f)
        return 1;
    const double su =
        input.Units == 1 ? above[Soil::UndrainedShearStrength] : above[Soil::UndrainedShearStrength] / FhwaKpaPerKsf;
    return su < 0.8f ? 2 : 3;
}

void ClaySegment(FhwaMethodRun run, int seg, double diameter, AdhesionState& a)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    SideFrictionRows& side = run;
    const SoilPoint& soil = segments.SegmentSoil[seg];
    FindClayLayer(input, segments.SegmentBottom[seg], a);
    const double top = a.layer_top;
    const double bottom = a.layer_bottom < input.PileLength ? a.layer_bottom : input.PileLength;
    const double ratio = (bottom + a.completed_clay - top) /
                         ((DiameterAtDepth(input, diameter, bottom) + DiameterAtDepth(input, diameter, top)) * 0.5f);

    if (a.choose) {
        // A profile that starts in clay takes the graph of its own strength.
        if (seg == 0)
            a.graph = GraphBelow(input, soil);
        else if (segments.SegmentCount > 2)
            a.graph = GraphBelow(input, segments.SegmentSoil[seg - 1]);
        a.choose = false;
    }
    // A pile of one or two segments chooses no graph by the layering: the
    // clay then takes the graph of its own strength, as a profile starting in
    // clay does, instead of an adhesion factor of 0.
    if (a.graph == 0)
        a.graph = GraphBelow(input, soil);
    // A layer's AdhesionMethod 1-3 forces that graph from here on; other
    // values leave the choice by the layering.
    if (soil[Soil::AdhesionMethod] > 1.0e-6f) {
        const double forced = std::trunc(soil[Soil::AdhesionMethod]);
        if (forced >= 1.0 && forced <= 3.0)
            a.graph = static_cast<int>(forced);
    }

    const double su = soil[Soil::UndrainedShearStrength];
    if (a.graph != 0)
        a.factor = FhwaAdhesionFactor(a.graph, input.Units == 1 ? su : su / FhwaKpaPerKsf, ratio);
    const int t = TopPoint(seg);
    const int b = BottomPoint(seg);
    side.PointUnitSideFriction[t] = a.factor * su;
    side.PointUnitSideFriction[b] = a.factor * su;
    side.PointPlugSideFriction[emFhwa][t] = a.factor * PlugWallStrength(soil);
    side.PointPlugSideFriction[emFhwa][b] = a.factor * su;
}

// Volume displaced per unit of pile length, ft^3/ft, at segment seg.
double DisplacedVolume(const AnalysisInput& input, const PileSegments& segments, const TipRows& tips, int seg,
                       double diameter)
{
    const bool english = input.Units == 1;
    const double area_unit = english ? SquareInchesPerSquareFoot : SquareMillimetresPerSquareMetre;
    const double od = input.OuterDiameter;
    double volume = 0.25f * PiTo5Places * (od * od - input.InnerDiameter * input.InnerDiameter) / area_unit;
    if (input.TipArea > 1.0e-6f)
        volume = input.TipArea;
    // The tip row of the last FHWA capacity steps was plugged: the gross
    // area. Compression's plug state in uplift too, where the tip value is
    // the self weight: the displaced volume does not depend on the load.
    if (tips.CompressionTipFlags[emFhwa][seg] == 1)
        volume = 0.25f * PiTo5Places * (od * od) / area_unit;
    if (input.EndSectionLength > 0.001f && EndInnerDiameter(input) < DiameterTolerance) {
        volume = 0.25f * PiTo4Places * (od * od) / area_unit;
        if (input.TaperAngle > 0.0) {
            const double dz = DiameterAtDepth(input, diameter, segments.SegmentBottom[seg]);
            volume = 0.25f * PiTo5Places * (dz * dz);
        }
    }
    if (input.PileType == 6 && input.TipArea > 1.0e-6f)
        volume = input.TipArea;
    // SI: m^2 per m to ft^2 per ft by the method's own factor, 0.0929 (not
    // 0.09290304), as its ksf charts are read through 47.88.
    return english ? volume : volume / 0.0929f;
}

void SandSegment(FhwaMethodRun run, int seg, double diameter)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    const TipRows& tips = run;
    SideFrictionRows& side = run;
    const SoilPoint& soil = segments.SegmentSoil[seg];
    const double phi = soil[Soil::FrictionAngle];
    const double omega = input.TaperAngle;
    const double volume = DisplacedVolume(input, segments, tips, seg, diameter);
    const double delta_over_phi = LookupPileTypeChart(volume, input.PileType);
    const double delta = delta_over_phi * phi;
    const double cf = FhwaCorrectionFactors(delta_over_phi, phi);
    const double k = NordlundEarthPressure(phi, omega, volume);
    for (const int p : {TopPoint(seg), BottomPoint(seg)}) {
        const double f = k * cf * effective.PointEffectiveStress[p] * std::sin((delta + omega) / DegreesPerRadian) /
                         std::cos(omega / DegreesPerRadian);
        side.PointUnitSideFriction[p] = f;
        side.PointPlugSideFriction[emFhwa][p] = f;
    }
}

} // namespace

void ComputeCapacityFhwa(FhwaMethodRun run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    MethodLoop& loop = run;
    const SideFrictionRows& side = run;
    loop.MethodIndex = emFhwa;
    const double diameter = DiameterInLengthUnits(input);

    AdhesionState adhesion;
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        if (segments.SegmentSoil[seg][Soil::SoilType] - 1.0f > 0.0) {
            ClaySegment(run, seg, diameter, adhesion);
        } else {
            SandSegment(run, seg, diameter);
            adhesion.choose = true;
        }
    }

    RowArray perimeter;
    for (int k = 0; k < RowSlots; ++k)
        perimeter[k] = input.TaperAngle > 0.0
                           ? PiTo5Places * DiameterAtDepth(input, diameter, k * input.IncrementLength)
                           : PiTo5Places * diameter;
    BuildSkinFrictionRows(run, FhwaRowPolicy(), side.PointUnitSideFriction, perimeter);
}

} // namespace korva::engine
