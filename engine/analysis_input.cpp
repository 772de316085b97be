#include "analysis_input.h"

#include "constants.h"
#include "run_driver.h"

namespace korva::engine {

namespace {

// Thin layers: a layer thinner than half an increment vanishes, one thinner
// than an increment grows to one. A layer of just half an increment (or of
// one increment) counts as that thick within the depth tolerance, so that
// the rounding of depths converted from the other unit system never tips
// it.
void SnapThinLayers(std::array<SoilPoint, MaxSoilPoints>& soil, int count, double increment)
{
    const double half = increment / 2.0f;
    for (int i = 0; i + 1 < count; ++i) {
        double& next = soil[i + 1][Soil::Depth];
        const double depth = soil[i][Soil::Depth];
        const double gap = next - depth;
        if (gap < half - DepthTolerance)
            next = depth;
        else if (gap < increment - DepthTolerance)
            next = depth + increment;
    }
}

} // namespace

void DeriveAnalysisInput(AnalysisInput& analysis)
{
    const ProjectInput& input = analysis;
    analysis.PileLength = input.PileLength - input.StickupLength;
    analysis.labels = SelectUnitLabels(input.Units);

    // In English units the reader put the user unit values (/ 1000) where
    // the plasticity index and the cone resistance go; the offshore edition,
    // whose rules read those two, takes them back as read.
    analysis.SoilColumns = input.SoilColumns;
    if (input.OffshoreEdition > 0) {
        for (int i = 0; i < input.SoilPointCount; ++i) {
            analysis.SoilColumns[i][Soil::PlasticityIndex] = input.PlasticityIndexAsRead[i];
            analysis.SoilColumns[i][Soil::ConeResistance] = input.ConeResistanceAsRead[i];
        }
    }
    SnapThinLayers(analysis.SoilColumns, input.SoilPointCount, input.IncrementLength);
}

} // namespace korva::engine
