#include "wave_equation_file.h"

#include <algorithm>
#include <cstdio>

#include "atomic_file.h"
#include "file_text.h"
#include "guards.h"
#include "project_tables.h"

namespace korva::app {

using components::Extended;
using components::TGridTable;

namespace {

constexpr int kTitleWidth = 40;

// The title in exactly 40 bytes: GRLWEAP reads fixed columns, so a longer
// title is cut (never inside a UTF-8 character) and a shorter one padded.
std::string TitleField(const std::string& title)
{
    std::string text = SingleLine(title);
    if (text.size() > static_cast<std::size_t>(kTitleWidth)) {
        std::size_t cut = kTitleWidth;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut; // text[cut] continues a character that began before it
        text.resize(cut);
    }
    text.append(kTitleWidth - text.size(), ' ');
    return text;
}

std::string E1(Extended value, const char* what)
{
    RequireFinite(value, what);
    return FloatStrExp1(value);
}

std::string E2(Extended value, const char* what)
{
    RequireFinite(value, what);
    return FloatStrExp2(value);
}

// Cross-section area of the pile, in^2 (English) or cm^2 (SI). A
// non-circular section (an H-pile) has no diameters: its area is the
// constant section area when given, else the tip area.
Extended SectionAreaOf(const TProgramData& p)
{
    const bool si = p.Units == 2;
    if (p.CircularSection == 1) {
        const Extended area = (p.OuterDiameter * p.OuterDiameter - p.InnerDiameter * p.InnerDiameter) * 0.7854L;
        return si ? area / 100 : area; // mm^2 to cm^2
    }
    const Extended area = p.SectionArea > 1e-5L ? p.SectionArea : p.TipArea;
    return si ? area * 10000 : area; // m^2 to cm^2
}

Extended UnitWeightOf(const TProgramData& p)
{
    const bool si = p.Units == 2;
    switch (p.PileType) {
    case ptPrecastConcrete:
        return si ? 23.56L : 150.0L;
    case ptTimber:
        return si ? 7.9L : 50.0L;
    default:
        return si ? 77.28L : 492.0L;
    }
}

// Perimeter in ft (English) or m (SI); a circular section's from its
// outside diameter. The project's own Perimeter field is not changed.
Extended PerimeterOf(const TProgramData& p)
{
    const Extended perimeter = p.CircularSection == 1 ? p.OuterDiameter * 3.1416L : p.Perimeter;
    return p.Units == 2 ? perimeter / 1000 : perimeter / 12;
}

// The soil layer of each resistance row: a running index over the rows of
// D that moves on by one layer when a point lies below the bottom of the
// current one, and stays at the last layer.
class LayerWalk {
public:
    explicit LayerWalk(const TGridTable& layers) : layers_(layers) {}

    void Advance(Extended depth)
    {
        if (layer_ + 1 < layers_.RowCount() && depth > Bottom(layer_))
            ++layer_;
    }
    bool Sand() const
    {
        return layers_.RowCount() > 0 &&
               layers_.Cell(layer_col::SoilType, layer_).GetAsInteger() == kSand;
    }

private:
    // The bottom depth as the table shows it (the cell's text).
    Extended Bottom(int layer) const
    {
        Extended value = 0;
        const std::string text = layers_.Cell(layer_col::LayerBottom, layer).GetAsString();
        return components::TryParseNumber(text, value) ? value
                                                       : layers_.Cell(layer_col::LayerBottom, layer).GetAsFloat();
    }

    const TGridTable& layers_;
    int layer_ = 0;
};

} // namespace

std::vector<int> WaveEquationRows(int pointCount)
{
    std::vector<int> rows;
    if (pointCount <= 0)
        return rows;
    const int step = pointCount < 100 ? 1 : pointCount / 100 + 1;
    for (int k = 0; k < pointCount / step; ++k)
        rows.push_back(k * step);
    return rows;
}

std::string WaveEquationFileText(const TProgramData& p, const TGridTable& layers)
{
    const int n = std::min(p.ResultPointCount, kResultPoints);
    components::Check(n > 0, "The project has no result points");
    const bool si = p.Units == 2;
    std::string text;
    const auto line = [&text](const std::string& s) { text += s + kLineEnd; };

    line(TitleField(p.ProjectTitle) + "  VER. 2000" + (si ? " 0 0" : " 1 0"));
    line("-100   0   1   0   1   0   0   0   0   3   0   0   0   0   0   0   0   0     0.000");
    line(si ? "    9.8100    9.8100" : "   32.1700   32.1700");
    line("      0.00      0.00      0.00    0.0000    0.0000    0.0100      0.00");
    line("   3600.00    207.00    0.0000    0.5000    3.0000         0");

    const Extended penetration = p.ResultDepths[n - 1];
    line("  " + E2(penetration, "The penetration") + "  " + E2(SectionAreaOf(p), "The section area") + "  " +
         E2(p.ElasticModulus / 1000, "The modulus of elasticity") + "  " + E2(UnitWeightOf(p), "The unit weight") +
         "  " + E2(PerimeterOf(p), "The perimeter") + "     4.000     1.000     0.010");
    for (int i = 0; i < 2; ++i)
        line("     0.000     0.000       0.0    0.0000    0.0000     0.000     0.000     0.000");
    for (int i = 0; i < 2; ++i)
        line("    0.0000    0.0000    0.0000    0.0000");

    const auto resistanceRow = [&](int k, bool sand) {
        // Quake and damping factors of the soil: sand, or any other soil.
        const Extended quakeA = sand ? (si ? 0.16L : 0.05L) : (si ? 0.65L : 0.2L);
        const Extended quakeB = sand ? 1.2L : 2.0L;
        line(" " + E1(p.ResultDepths[k], "A result depth") + " " +
             E1(p.ResultUnitSkinFriction[k], "A unit skin friction") + " " +
             E1(p.ResultTipResistance[k], "A tip resistance") + (si ? "   2.540   2.500   " : "   0.100   0.100   ") +
             FloatStrExp1(quakeA) + "   0.150   " + FloatStrExp1(quakeB) + (si ? "    1.50    1.00" : "    6.56    1.00"));
    };
    LayerWalk walk(layers);
    const std::vector<int> rows = WaveEquationRows(n);
    for (const int k : rows) {
        walk.Advance(p.ResultDepths[k]);
        resistanceRow(k, walk.Sand());
    }
    if (rows.back() != n - 1)
        resistanceRow(n - 1, walk.Sand());

    line("  1.0000  0.9000  0.8000  0.7000  0.6000  0.5000  0.0000  0.0000  0.0000  0.0000");
    line("  1.0000  1.0000  1.0000  1.0000  1.0000  0.0000  0.0000  0.0000  0.0000  0.0000");
    for (const Extended f : {0.25L, 0.5L, 0.75L, 1.0L})
        line("  " + E2(penetration * f, "The penetration") +
             "      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
    line("      0.00      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
    return text;
}

bool TProgramData::WriteWaveEquationFile()
{
    if (ResultPointCount <= 0 || !host_->Tables) {
        // The file of an earlier run would pass for this run's.
        RemoveWaveEquationFile();
        return false;
    }
    components::ScopedDecimalSeparator point('.');
    const std::string text = WaveEquationFileText(*this, host_->Tables->D);
    const std::string path = ChangeFileExt(FileName, ".gwi");
    components::ReplaceFile(path, text);
    WaveFileName = path;
    return true;
}

void TProgramData::RemoveWaveEquationFile()
{
    std::remove(ChangeFileExt(FileName, ".gwi").c_str());
    WaveFileName.clear();
}

} // namespace korva::app
