#pragma once
// The elevation view of pile and soil as numbers: the pile outline and the
// soil layers in world coordinates (x from the pile axis, y the depth below
// the ground, positive downwards, in ft or m), the world extent, its stretch
// to a window's aspect, the mapping to and from pixels, everything the
// window draws, and the simplified profile printed on a landscape page. The
// window only draws what these functions computed.
#include <optional>
#include <string>
#include <vector>

#include "grid_table.h"
#include "program_data.h"

namespace korva::app {

struct TWorldPoint {
    Extended X = 0;
    Extended Y = 0;
};

// The pile: P0 top left, P1 top right, P2 bottom left, P3 bottom right.
struct TPileOutline {
    TWorldPoint P0, P1, P2, P3;
};

struct TWorldRange {
    Extended XMin = 0;
    Extended XMax = 0;
    Extended YMin = 0;
    Extended YMax = 0;
};

struct TElevationLayer {
    int SoilType = 0;   // 1 sand, 2 clay, 3 silt (4 strong rock, 5 gravel, 6 weak rock)
    Extended Top = 0;    // depth of the layer's top (the bottom of the layer above)
    Extended Bottom = 0; // depth of its bottom
};

// What the view reads from the project when it is activated.
struct TElevationProfile {
    std::vector<TElevationLayer> Layers;
    TPileOutline Pile;
    Extended PileWidth = 0;  // ft or m
    Extended PileLength = 0; // total length
    Extended Stickup = 0;    // above the ground
    TWorldRange Bounds;      // the drawing's extent with 5 % on every side
};

// The pile and the layers of D (column 0 the soil type, column 1 the depth
// at each layer's bottom). The width is the outside diameter, or a quarter
// of the perimeter when there is none, in ft or m; the taper narrows the toe
// by TL x tan(angle) on each side. A profile without layers holds the pile.
TElevationProfile BuildElevationProfile(const TProgramData& project, const components::TGridTable& layers);

// The screen text of a layer, and whether it stands one text height below
// the layer's top ("depth= 0 - 10; Sand"; the rock words at the top itself).
// Empty for a soil type without a label.
std::string LayerScreenLabel(const TElevationLayer& layer);
bool ScreenLabelBelowTop(int soilType);
// The label on paper: "depth= top - bottom" and the soil's suffix.
std::string LayerPrintLabel(const TElevationLayer& layer);

// The mapping between world and client pixels of a window.
class TElevationMapping {
public:
    // The bounds stretched about 0 to the window's aspect ratio. A window
    // without area keeps the bounds and maps nothing until it has one.
    TElevationMapping(const TWorldRange& bounds, int clientWidth, int clientHeight);

    const TWorldRange& View() const { return view_; }
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    // Depths can be mapped (the window has area and the view a depth range).
    bool MapsDepths() const;
    // Both coordinates can be mapped (the outline can be drawn).
    bool MapsPoints() const;

    int XToPixel(Extended x) const;
    int YToPixel(Extended y) const;
    // The world depth under a pixel row.
    Extended DepthAt(int yPixel) const;

private:
    TWorldRange view_;
    int width_;
    int height_;
};

// The caption while the pointer is at a depth: "  Depth: 12.5".
std::string DepthReadout(Extended depth);

struct TPixelLine {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TPixelPoint {
    int X = 0, Y = 0;
};

// A label at (X, Top); when BelowTop it is written one text height lower.
struct TPlacedLabel {
    int X = 0;
    int Top = 0;
    bool BelowTop = false;
    std::string Text;
};

// Everything the window draws, in client pixels: the ground line and its
// hatching, the bottom line of every layer, the labels, and the pile as a
// filled polygon P0, P1, P3, P2 (none when it cannot be mapped).
struct TElevationScene {
    std::vector<TPixelLine> Lines;
    std::vector<TPlacedLabel> Labels;
    std::vector<TPixelPoint> Pile;
};

TElevationScene LayoutElevationScene(const TElevationProfile& profile, const TElevationMapping& mapping);

struct TPixelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The printed profile on a page of the given size in printer pixels: the
// frame from 10 % to 90 % of the page, the ground line with ten hatch
// strokes, each layer's bottom line and label, and the pile as a solid
// rectangle at its true proportions (the taper is not printed). The head
// stands at 10 % of the page height, the deeper of the last layer's bottom
// and the pile toe at 90 %.
struct TProfilePage {
    TPixelRect Frame;
    std::vector<TPixelLine> Lines;
    std::vector<TPlacedLabel> Labels;
    std::optional<TPixelRect> Pile;
};

TProfilePage LayoutProfilePage(const TElevationProfile& profile, int pageWidth, int pageHeight);

inline constexpr const char* kProfileJobTitle = "Soil-Pile Profile";

} // namespace korva::app
