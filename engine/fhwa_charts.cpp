#include "fhwa_charts.h"

#include <span>

#include "design_charts.h"

namespace korva::engine {

namespace {

// --- delta/phi against the displaced volume, one curve per pile type 1-7 ---
constexpr double PileTypeVolumes[] = {0.08f, 0.1f, 0.2f, 0.3f, 0.4f, 0.52f, 0.6f,
                                      0.8f,  1.0f, 1.2f, 1.4f, 1.6f, 1.9f};
constexpr double PileTypeRatios[7][13] = {
    {0.342f, 0.342f, 0.342f, 0.342f, 0.41f, 0.476f, 0.516f, 0.593f, 0.652f, 0.697f, 0.733f, 0.763f, 0.798f},
    {0.404f, 0.404f, 0.404f, 0.404f, 0.466f, 0.527f, 0.562f, 0.637f, 0.693f, 0.734f, 0.766f, 0.793f, 0.825f},
    {0.466f, 0.466f, 0.466f, 0.466f, 0.525f, 0.59f, 0.63f, 0.708f, 0.767f, 0.813f, 0.848f, 0.877f, 0.914f},
    {0.571f, 0.571f, 0.571f, 0.571f, 0.637f, 0.699f, 0.736f, 0.814f, 0.873f, 0.917f, 0.953f, 0.985f, 1.024f},
    {0.801f, 0.801f, 0.801f, 0.801f, 0.845f, 0.895f, 0.925f, 0.994f, 1.053f, 1.11f, 1.159f, 1.207f, 1.27f},
    {0.727f, 0.747f, 0.827f, 0.8875f, 0.933f, 0.972f, 0.98f, 0.98f, 0.98f, 0.98f, 0.98f, 0.98f, 0.98f},
    {0.643f, 0.643f, 0.643f, 0.643f, 0.696f, 0.757f, 0.792f, 0.86f, 0.916f, 0.958f, 0.994f, 1.024f, 1.062f},
};

// --- Correction factor C_F against phi, one curve per delta/phi ---
constexpr double CorrectionRatios[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.2f, 1.4f};
constexpr double CorrectionAngles[] = {14.0f, 18.0f, 22.0f, 26.0f, 30.0f, 34.0f, 38.0f, 42.0f, 45.0f};
constexpr double CorrectionFactors[7][9] = {
    {0.83f, 0.77f, 0.71f, 0.64f, 0.58f, 0.5f, 0.42f, 0.32f, 0.24f},
    {0.9f, 0.85f, 0.8f, 0.74f, 0.69f, 0.63f, 0.56f, 0.49f, 0.43f},
    {0.95f, 0.92f, 0.89f, 0.85f, 0.82f, 0.77f, 0.72f, 0.66f, 0.62f},
    {0.99f, 0.98f, 0.97f, 0.95f, 0.94f, 0.92f, 0.9f, 0.87f, 0.84f},
    {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {1.01f, 1.02f, 1.02f, 1.02f, 1.03f, 1.05f, 1.07f, 1.09f, 1.12f},
    {1.02f, 1.03f, 1.03f, 1.04f, 1.06f, 1.08f, 1.1f, 1.13f, 1.16f},
};
constexpr std::span<const double> CorrectionCurves[] = {
    CorrectionFactors[0], CorrectionFactors[1], CorrectionFactors[2], CorrectionFactors[3],
    CorrectionFactors[4], CorrectionFactors[5], CorrectionFactors[6],
};
const ChartFamily CorrectionChart{CorrectionAngles, CorrectionCurves, CorrectionRatios};

// --- K-delta against the taper angle, curves for V = 0.1, 1.0 and 10 ---
constexpr double TaperVolumes[] = {0.1f, 1.0f, 10.0f};

constexpr double TaperAngles25And30[] = {0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f,
                                         0.8f, 1.0f, 1.2f, 1.4f, 1.6f, 1.8f, 1.9f};
constexpr double TaperPhi25[3][14] = {
    {0.7f, 0.739f, 0.817f, 0.922f, 1.042f, 1.194f, 1.4f, 1.808f, 2.322f, 2.917f, 3.383f, 3.733f, 3.986f, 4.072f},
    {0.85f, 0.902f, 0.992f, 1.085f, 1.206f, 1.353f, 1.536f, 1.886f, 2.337f, 2.917f, 3.383f, 3.733f, 3.986f, 4.072f},
    {1.0f, 1.05f, 1.136f, 1.237f, 1.349f, 1.478f, 1.646f, 1.944f, 2.316f, 2.917f, 3.383f, 3.733f, 3.986f, 4.072f},
};
constexpr double TaperPhi30[3][14] = {
    {0.85f, 1.043f, 1.26f, 1.551f, 2.017f, 2.56f, 3.18f, 4.332f, 5.36f, 5.934f, 6.244f, 6.399f, 6.487f, 6.494f},
    {1.15f, 1.408f, 1.629f, 1.958f, 2.435f, 2.928f, 3.444f, 4.421f, 5.36f, 5.934f, 6.244f, 6.399f, 6.487f, 6.494f},
    {1.45f, 1.745f, 1.978f, 2.339f, 2.746f, 3.18f, 3.638f, 4.499f, 5.36f, 5.934f, 6.244f, 6.399f, 6.487f, 6.494f},
};

constexpr double TaperAngles35[] = {0.0f, 0.1f, 0.2f, 0.25f, 0.3f, 0.4f, 0.5f, 0.6f, 0.75f, 0.88f, 1.0f, 1.11f, 2.0f};
constexpr double TaperPhi35[3][13] = {
    {1.15f, 1.47f, 2.0f, 2.32f, 2.9f, 4.18f, 5.42f, 6.81f, 8.55f, 9.75f, 10.18f, 10.34f, 10.34f},
    {1.75f, 2.01f, 2.59f, 2.98f, 3.56f, 4.66f, 5.65f, 6.85f, 8.55f, 9.75f, 10.18f, 10.34f, 10.34f},
    {2.35f, 2.76f, 3.37f, 3.72f, 4.26f, 5.19f, 6.08f, 7.12f, 8.55f, 9.75f, 10.18f, 10.34f, 10.34f},
};

constexpr double TaperAngles40[] = {0.0f, 0.1f, 0.15f, 0.22f, 0.3f, 0.4f, 0.43f, 0.5f, 0.56f, 2.0f};
constexpr double TaperPhi40[3][10] = {
    {1.7f, 5.12f, 7.36f, 10.56f, 13.6f, 15.84f, 16.64f, 17.28f, 17.54f, 17.54f},
    {3.0f, 6.352f, 8.0f, 10.56f, 13.6f, 15.84f, 16.64f, 17.28f, 17.54f, 17.54f},
    {4.3f, 7.04f, 8.48f, 10.56f, 13.6f, 15.84f, 16.64f, 17.28f, 17.54f, 17.54f},
};

constexpr std::span<const double> TaperCurves25[] = {TaperPhi25[0], TaperPhi25[1], TaperPhi25[2]};
constexpr std::span<const double> TaperCurves30[] = {TaperPhi30[0], TaperPhi30[1], TaperPhi30[2]};
constexpr std::span<const double> TaperCurves35[] = {TaperPhi35[0], TaperPhi35[1], TaperPhi35[2]};
constexpr std::span<const double> TaperCurves40[] = {TaperPhi40[0], TaperPhi40[1], TaperPhi40[2]};
const ChartFamily TaperCharts[] = {
    {TaperAngles25And30, TaperCurves25, TaperVolumes},
    {TaperAngles25And30, TaperCurves30, TaperVolumes},
    {TaperAngles35, TaperCurves35, TaperVolumes},
    {TaperAngles40, TaperCurves40, TaperVolumes},
};

// --- Adhesion factor against the undrained shear strength (ksf) ---
constexpr double AdhesionStrengths[] = {0.0f, 0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f, 4.5f};

// Graph 1: clay below sand; curves for the ratios 10, 20 and 40.
constexpr double Graph1Ratios[] = {10.0f, 20.0f, 40.0f};
constexpr double Graph1Factors[3][10] = {
    {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {1.0f, 1.0f, 1.0f, 1.0f, 0.95f, 0.875f, 0.75f, 0.75f, 0.75f, 0.75f},
    {1.0f, 1.0f, 0.9f, 0.815f, 0.68f, 0.5f, 0.44f, 0.4f, 0.4f, 0.4f},
};
constexpr std::span<const double> Graph1Curves[] = {Graph1Factors[0], Graph1Factors[1], Graph1Factors[2]};
const ChartFamily Graph1{AdhesionStrengths, Graph1Curves, Graph1Ratios};

// Graph 2: clay below soft clay; curves for the ratios 10 and 20.
constexpr double Graph2Ratios[] = {10.0f, 20.0f};
constexpr double Graph2Factors[2][10] = {
    {0.7f, 0.519f, 0.398f, 0.334f, 0.298f, 0.272f, 0.246f, 0.226f, 0.206f, 0.186f},
    {0.97f, 0.84f, 0.746f, 0.694f, 0.675f, 0.656f, 0.626f, 0.599f, 0.568f, 0.54f},
};
constexpr std::span<const double> Graph2Curves[] = {Graph2Factors[0], Graph2Factors[1]};
const ChartFamily Graph2{AdhesionStrengths, Graph2Curves, Graph2Ratios};

// Graph 3: no different stratum above; curves for the ratios 10 and 40.
constexpr double Graph3Ratios[] = {10.0f, 40.0f};
constexpr double Graph3Factors[2][10] = {
    {1.0f, 0.984f, 0.923f, 0.829f, 0.688f, 0.443f, 0.303f, 0.245f, 0.238f, 0.238f},
    {1.0f, 1.0f, 1.0f, 1.0f, 0.9f, 0.701f, 0.502f, 0.388f, 0.315f, 0.299f},
};
constexpr std::span<const double> Graph3Curves[] = {Graph3Factors[0], Graph3Factors[1]};
const ChartFamily Graph3{AdhesionStrengths, Graph3Curves, Graph3Ratios};

} // namespace

double LookupPileTypeChart(double displaced_volume, int pile_type)
{
    const int curve = pile_type >= 1 && pile_type <= 7 ? pile_type - 1 : 0;
    return LookupTable({PileTypeVolumes, PileTypeRatios[curve]}, displaced_volume);
}

double FhwaCorrectionFactors(double delta_over_phi, double phi)
{
    return InterpolateChartFamily(CorrectionChart, phi, delta_over_phi);
}

double FhwaTaperChart(TaperChart chart, double omega, double displaced_volume)
{
    return InterpolateChartFamily(TaperCharts[static_cast<int>(chart)], omega, displaced_volume);
}

double NordlundEarthPressure(double phi, double omega, double displaced_volume)
{
    if (!(phi >= 25.0f)) // a NaN angle reads the lowest chart
        return FhwaTaperChart(TaperChart::Phi25, omega, displaced_volume);
    if (phi >= 40.0f)
        return FhwaTaperChart(TaperChart::Phi40, omega, displaced_volume);
    const int band = phi < 30.0f ? 0 : phi < 35.0f ? 1 : 2;
    const double lower_phi = 25.0f + 5.0f * band;
    const double lower = FhwaTaperChart(static_cast<TaperChart>(band), omega, displaced_volume);
    const double upper = FhwaTaperChart(static_cast<TaperChart>(band + 1), omega, displaced_volume);
    return lower + (upper - lower) * ((phi - lower_phi) / 5.0f);
}

double FhwaChartC(double undrained_strength, double penetration_ratio)
{
    return InterpolateChartFamily(Graph1, undrained_strength, penetration_ratio);
}

double FhwaChartB(double undrained_strength, double penetration_ratio)
{
    return InterpolateChartFamily(Graph2, undrained_strength, penetration_ratio);
}

double FhwaChartA(double undrained_strength, double penetration_ratio)
{
    return InterpolateChartFamily(Graph3, undrained_strength, penetration_ratio);
}

const ChartFamily& AdhesionGraph(int graph)
{
    return graph == 1 ? Graph1 : graph == 2 ? Graph2 : Graph3;
}

double FhwaAdhesionFactor(int graph, double undrained_strength, double penetration_ratio)
{
    switch (graph) {
    case 1:
        return FhwaChartC(undrained_strength, penetration_ratio);
    case 2:
        return FhwaChartB(undrained_strength, penetration_ratio);
    default: // graph 3
        return FhwaChartA(undrained_strength, penetration_ratio);
    }
}

} // namespace korva::engine
