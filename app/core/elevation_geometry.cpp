#include "elevation_geometry.h"

#include <algorithm>
#include <cmath>

#include "int_utils.h"
#include "project_tables.h"
#include "unit_codes.h"

namespace korva::app {

namespace {

using components::FormatShown;

constexpr Extended kPi = 3.1416L;
constexpr Extended kMargin = 1.05L;

// Pixels are rounded as the program rounds (halves to even); a value far
// outside any device is held at a bound instead of overflowing.
int PixelRound(Extended value)
{
    if (!std::isfinite(value))
        return 0;
    constexpr Extended kLimit = 1.0e9L;
    return static_cast<int>(components::RoundToInt(std::clamp(value, -kLimit, kLimit)));
}

bool UsableRange(Extended low, Extended high)
{
    const Extended range = high - low;
    return std::isfinite(range) && range != 0;
}

std::string DepthSpan(const TElevationLayer& layer)
{
    return "depth= " + FormatShown(layer.Top, components::kShortestPrecision, table_units::Depth) + " - " +
           FormatShown(layer.Bottom, components::kShortestPrecision, table_units::Depth);
}

} // namespace

TElevationProfile BuildElevationProfile(const TProgramData& project, const components::TGridTable& layers)
{
    TElevationProfile profile;
    Extended top = 0;
    for (int row = 0; row < layers.RowCount(); ++row) {
        const Extended bottom = layers.Cell(layer_col::LayerBottom, row).GetAsFloat();
        profile.Layers.push_back({layers.Cell(layer_col::SoilType, row).GetAsInteger(), top, bottom});
        top = bottom;
    }

    Extended width = project.OuterDiameter;
    if (width < 0.0001L)
        width = project.Perimeter / 4;
    width /= project.Units == 1 ? 12 : 1000; // in to ft, mm to m
    profile.PileWidth = width;
    profile.PileLength = project.PileLength;
    profile.Stickup = project.StickupLength;

    const Extended tl = project.PileLength;
    const Extended psl = project.StickupLength;
    const Extended narrowing = tl * std::tan(kPi * project.TaperAngle / 180);
    TPileOutline& p = profile.Pile;
    p.P0 = {-width / 2, -psl};
    p.P1 = {width / 2, -psl};
    p.P2 = {-width / 2 + narrowing, tl - psl};
    p.P3 = {width / 2 - narrowing, tl - psl};

    // The extent always holds the ground at depth 0 and the pile axis.
    TWorldRange& b = profile.Bounds;
    b.XMin = std::min({Extended{0}, p.P0.X, p.P2.X});
    b.XMax = std::max({Extended{0}, p.P1.X, p.P3.X});
    b.YMin = std::min(Extended{0}, p.P0.Y);
    b.YMax = std::max(Extended{0}, p.P2.Y);
    if (!profile.Layers.empty())
        b.YMax = std::max(b.YMax, profile.Layers.back().Bottom);
    b.XMin *= kMargin;
    b.XMax *= kMargin;
    b.YMin *= kMargin;
    b.YMax *= kMargin;
    return profile;
}

bool ScreenLabelBelowTop(int soilType)
{
    return soilType == kSand || soilType == kClay || soilType == kSilt;
}

std::string LayerScreenLabel(const TElevationLayer& layer)
{
    switch (layer.SoilType) {
    case kSand:
        return DepthSpan(layer) + "; Sand";
    case kClay:
        return DepthSpan(layer) + "; Clay";
    case kSilt:
        return DepthSpan(layer) + "; Silt";
    case 4:
        return "Strong Rock";
    case 5:
        return "Gravel";
    case 6:
        return "Weak Rock";
    default:
        return {};
    }
}

std::string LayerPrintLabel(const TElevationLayer& layer)
{
    static const char* const kSuffixes[] = {"; Sand", "; Clay", "; Silt", "; Strong Rock", "; Gravel", "; Soft Rock"};
    std::string label = DepthSpan(layer);
    if (layer.SoilType >= 1 && layer.SoilType <= 6)
        label += kSuffixes[layer.SoilType - 1];
    return label;
}

TElevationMapping::TElevationMapping(const TWorldRange& bounds, int clientWidth, int clientHeight)
    : view_(bounds), width_(clientWidth), height_(clientHeight)
{
    if (width_ <= 0 || height_ <= 0)
        return;
    Extended r = 1;
    if (UsableRange(bounds.XMin, bounds.XMax) && UsableRange(bounds.YMin, bounds.YMax))
        r = (static_cast<Extended>(width_) / height_) /
            ((bounds.XMax - bounds.XMin) / (bounds.YMax - bounds.YMin));
    if (!std::isfinite(r) || r <= 0)
        return;
    if (r >= 1) {
        view_.XMin *= r;
        view_.XMax *= r;
    } else {
        view_.YMin /= r;
        view_.YMax /= r;
    }
}

bool TElevationMapping::MapsDepths() const
{
    return width_ > 0 && height_ > 0 && UsableRange(view_.YMin, view_.YMax);
}

bool TElevationMapping::MapsPoints() const
{
    return MapsDepths() && UsableRange(view_.XMin, view_.XMax);
}

int TElevationMapping::XToPixel(Extended x) const
{
    return PixelRound(width_ * (x - view_.XMin) / (view_.XMax - view_.XMin));
}

int TElevationMapping::YToPixel(Extended y) const
{
    return PixelRound(height_ * (y - view_.YMin) / (view_.YMax - view_.YMin));
}

Extended TElevationMapping::DepthAt(int yPixel) const
{
    return static_cast<Extended>(yPixel) / height_ * (view_.YMax - view_.YMin) + view_.YMin;
}

std::string DepthReadout(Extended depth)
{
    return "  Depth: " + components::FormatFixed(depth, 1);
}

TElevationScene LayoutElevationScene(const TElevationProfile& profile, const TElevationMapping& mapping)
{
    TElevationScene scene;
    if (!mapping.MapsDepths())
        return scene;
    const int width = mapping.ClientWidth();
    const int y0 = mapping.YToPixel(0);
    // The ground line and its hatching, with or without layers below.
    scene.Lines.push_back({0, y0, width, y0});
    for (int j = 1; j <= 20; ++j)
        scene.Lines.push_back({100 + 20 * j, y0, 115 + 20 * j, y0 + 5});
    for (const TElevationLayer& layer : profile.Layers) {
        const int yb = mapping.YToPixel(layer.Bottom);
        scene.Lines.push_back({0, yb, width, yb});
        std::string text = LayerScreenLabel(layer);
        if (!text.empty())
            scene.Labels.push_back(
                {0, mapping.YToPixel(layer.Top), ScreenLabelBelowTop(layer.SoilType), std::move(text)});
    }
    if (mapping.MapsPoints()) {
        const TPileOutline& p = profile.Pile;
        for (const TWorldPoint& point : {p.P0, p.P1, p.P3, p.P2})
            scene.Pile.push_back({mapping.XToPixel(point.X), mapping.YToPixel(point.Y)});
    }
    return scene;
}

TProfilePage LayoutProfilePage(const TElevationProfile& profile, int pageWidth, int pageHeight)
{
    TProfilePage page;
    const Extended pw = pageWidth;
    const Extended ph = pageHeight;
    page.Frame = {PixelRound(0.1L * pw), PixelRound(0.1L * ph), PixelRound(0.9L * pw), PixelRound(0.9L * ph)};

    // From the pile head (never below the ground) to the deeper of the last
    // layer's bottom and the pile toe.
    const Extended yMin = std::min(Extended{0}, -profile.Stickup);
    Extended yMax = profile.PileLength - profile.Stickup;
    if (!profile.Layers.empty())
        yMax = std::max(yMax, profile.Layers.back().Bottom);
    const Extended range = yMax - yMin;
    if (!std::isfinite(range) || range <= 0)
        return page;
    const auto row = [&](Extended depth) { return PixelRound((depth - yMin) / range * 0.8L * ph + 0.1L * ph); };

    const int left = PixelRound(0.1L * pw);
    const int right = PixelRound(0.9L * pw);
    const int y0 = row(0);
    page.Lines.push_back({left, y0, right, y0});
    // The hatching is measured in page-height units.
    const int step = PixelRound(0.02L * ph);
    for (int j = 1; j <= 10; ++j)
        page.Lines.push_back(
            {PixelRound(0.35L * ph) + j * step, y0, PixelRound(0.37L * ph) + j * step, y0 + PixelRound(0.015L * ph)});
    const int labelX = PixelRound(0.15L * ph);
    for (const TElevationLayer& layer : profile.Layers) {
        const int yb = row(layer.Bottom);
        page.Lines.push_back({left, yb, right, yb});
        page.Labels.push_back({labelX, row(layer.Top), true, LayerPrintLabel(layer)});
    }

    const int halfWidth = PixelRound(profile.PileWidth / range / 2 * 0.8L * ph);
    if (halfWidth > 0) {
        const int centre = PixelRound(0.5L * pw);
        page.Pile = TPixelRect{centre - halfWidth, row(-profile.Stickup), centre + halfWidth,
                               row(profile.PileLength - profile.Stickup)};
    }
    return page;
}

} // namespace korva::app
