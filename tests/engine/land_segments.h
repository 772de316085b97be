#pragma once
// Hand-built segment tables for the side-friction methods: layers of one soil
// each, cut into segments of one increment, with the effective stress summed
// down from the surface (held stress equal to it). What the method loop and
// the effective-stress step would lay out, without running them.
#include <memory>
#include <vector>

#include "run_state.h"

namespace korva::test {

struct TestLayer {
    double bottom = 0.0; // the layer reaches from the bottom of the one above
    int type = 1;        // 1 sand, 2 clay, 3 silt
    double su = 0.0;     // ksf / kPa
    double phi = 0.0;
    double k = 1.0;
    double unit_weight = 120.0; // effective, lb/ft^3 / kN/m^3
    double remolded = 0.0;
    double max_side_friction = 9999999.0;
    double adhesion_method = 0.0;
    double user_skin = 0.0; // as the segments hold them: ksf / kPa
    double user_end = 0.0;
    double side_factor = 1.0;
};

struct TestPile {
    int units = 1;
    double outer_diameter = 24.0; // in / mm
    double inner_diameter = 0.0;
    double length = 10.0; // embedded, ft / m
    double increment = 1.0;
    int pile_type = 1;
};

inline std::unique_ptr<engine::RunState> BuildSegments(const TestPile& pile, const std::vector<TestLayer>& layers)
{
    using namespace engine;
    auto state = std::make_unique<RunState>();
    RunState& s = *state;
    s.Units = pile.units;
    s.OuterDiameter = pile.outer_diameter;
    s.InnerDiameter = pile.inner_diameter;
    s.EndSectionInnerDiameter = pile.inner_diameter;
    s.PileLength = pile.length;
    s.EndSectionLength = pile.length - 1.0e-7f;
    s.IncrementLength = pile.increment;
    s.PileType = pile.pile_type;
    s.ElasticModulus = pile.units == 1 ? 29000.0 : 200000.0;

    double top = 0.0;
    s.SoilPointCount = 0;
    for (const TestLayer& layer : layers) {
        for (const double depth : {top, layer.bottom}) {
            SoilPoint& p = s.SoilColumns[s.SoilPointCount++];
            p[Soil::Depth] = depth;
            p[Soil::SoilType] = layer.type;
        }
        top = layer.bottom;
    }
    s.SoilProfileBottom = top;

    const int segments = static_cast<int>(top / pile.increment + 1e-6);
    s.SegmentCount = segments;
    double stress = 0.0;
    for (int j = 0; j < segments; ++j) {
        const double seg_top = j * pile.increment;
        const double mid = seg_top + pile.increment / 2;
        const TestLayer* layer = &layers.back();
        for (const TestLayer& l : layers)
            if (mid < l.bottom) {
                layer = &l;
                break;
            }
        s.SegmentTop[j] = seg_top;
        s.SegmentBottom[j] = seg_top + pile.increment;
        s.SegmentLength[j] = pile.increment;
        SoilPoint& soil = s.SegmentSoil[j];
        soil[Soil::Depth] = seg_top;
        soil[Soil::SoilType] = layer->type;
        soil[Soil::EarthPressureCoefficient] = layer->k;
        soil[Soil::EffectiveUnitWeight] = layer->unit_weight;
        soil[Soil::FrictionAngle] = layer->phi;
        soil[Soil::MaxSideFriction] = layer->max_side_friction;
        soil[Soil::MaxEndBearing] = 9999999.0;
        soil[Soil::UndrainedShearStrength] = layer->su;
        soil[Soil::RemoldedStrengthOrBlowCount] = layer->remolded;
        soil[Soil::UserUnitSkinFriction] = layer->user_skin;
        soil[Soil::UserUnitEndBearing] = layer->user_end;
        soil[Soil::SideFrictionFactor] = layer->side_factor;
        soil[Soil::EndBearingFactor] = 1.0;
        soil[Soil::AdhesionMethod] = layer->adhesion_method;
        s.SegmentSideFrictionFactor[j] = layer->side_factor;
        s.SegmentEndBearingFactor[j] = 1.0;

        s.PointEffectiveStress[TopPoint(j)] = stress;
        stress += pile.increment * layer->unit_weight / (pile.units == 1 ? 1000.0 : 1.0);
        s.PointEffectiveStress[BottomPoint(j)] = stress;
    }
    s.PointLimitedEffectiveStress = s.PointEffectiveStress;
    for (int k = 0; k < engine::RowSlots; ++k)
        s.PenetrationDepths[k] = k * pile.increment;
    s.PenetrationRowCount = static_cast<int>(pile.length / pile.increment + 1e-6) + 1;
    return state;
}

} // namespace korva::test
