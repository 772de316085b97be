#include "skin_rows.h"

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

// Placeholders until the skeleton is built.
RowArray ConstantPerimeterRows(const RunState&)
{
    return {};
}
void InterpolateSideFrictionRows(RunState&, const PointArray&, RowArray&) {}
void ComputeRowLimits(RunState&, bool, RowArray&) {}
double ApiSandLimit(int, double)
{
    return 0.0;
}
void BuildSkinFrictionRows(RunState&, const SkinRowPolicy&, const PointArray&, const RowArray&) {}

} // namespace korva::engine
