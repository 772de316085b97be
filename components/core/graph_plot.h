#pragma once
// TGraphPlot: the x-y plot of the program (result plots, the CPT profile).
// It holds curves as lines of points, the titles and unit templates of its
// axes and its display options, and opens its own plot window on request
// (Show) through a host that the main window provides. The plot draws
// nothing itself: the window's renderer reads it at every paint, so the
// application fills the points and then calls Show.
//
// Four lists of lines, each owning its lines and their points:
//   Lines   curves of the single plot, or of panel 1 in three-panel mode
//   Layers  soil-layer lines of the layer column: one point per layer, X the
//           fill pattern code of the band (1..12), Y the depth of its bottom
//   Lines2, Lines3  curves of panels 2 and 3
// All indexes are 0-based; an index outside a list raises EListError
// "List index out of bounds (<index>)".
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "number_format.h"
#include "object_list.h"
#include "unit_codes.h"

namespace korva::components {

class TGraphPlot;

// One point of a curve, in extended precision; (0,0) when created.
struct TFloatPoint {
    Extended X = 0;
    Extended Y = 0;
};

// One curve.
class TLine {
public:
    // A new line of the plot: as many (0,0) points as the plot's first main
    // line has now, Visible and Active, Number = the plot's line count + 1.
    explicit TLine(TGraphPlot* plot);
    TLine(const TLine&) = delete;
    TLine& operator=(const TLine&) = delete;

    int PointCount() const { return static_cast<int>(Points.size()); }
    TFloatPoint& Point(int index);
    const TFloatPoint& Point(int index) const;
    // Below 0 counts as 0; drops points from the end, then appends (0,0) points.
    void SetPointCount(int count);

    // Name when not empty; else the plot's LineNames entry at this line's
    // index in Lines, when there is one; else CurveName followed by Number
    // in the shortest general form ("Curve #3").
    std::string GetName() const;

    std::vector<TFloatPoint> Points; // in drawing order
    Extended Number = 0;
    std::string Name;     // empty: the default name above
    bool Visible = true;  // drawn; its legend entry carries " *"
    bool Active = true;   // listed in the legend and in the window's line items
    TGraphPlot* Plot = nullptr; // the owning plot (not owned)
};

// The plot window of one plot, as the plot sees it. The widget layer
// implements it. The plot owns it from Show on and frees it when the plot is
// destroyed first; a window closed by the user frees itself and tells the
// plot (TGraphPlot::WindowClosed).
class TPlotWindow {
public:
    virtual ~TPlotWindow() = default;
    // Shows the window, brings it forward, and restores it when minimized.
    virtual void ShowWindow() = 0;
};

// Makes the plot windows: the main window's multiple-document area, or a
// test double.
class TPlotHost {
public:
    virtual ~TPlotHost() = default;
    // A new window for the plot; it builds its ranges and legend from the
    // lines as they are now.
    virtual std::unique_ptr<TPlotWindow> CreatePlotWindow(TGraphPlot& plot) = 0;
};

// May rewrite the legend entry of a line (line index, entry text) when the
// window is created.
using TGetCaptionEvent = std::function<void(int lineIndex, std::string& text)>;

class TGraphPlot {
public:
    TGraphPlot();
    ~TGraphPlot();
    TGraphPlot(const TGraphPlot&) = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    // Options (the constructor's values).
    std::string CurveName = "Curve #"; // prefix of a line's default name
    std::string Caption;               // window caption, read-out prefix, print job title
    bool ShowLegend = true;
    bool ShowLayers = false;           // soil-layer column at the right of the plot
    bool ShowWall = false;             // wall geometry inside the layer column
    bool ShowThree = false;            // three panels side by side
    bool ShowFontWidth = true;         // font size and line width submenus shown
    int WallLineCount = 0;             // index of the wall line among the layer lines; 0 none
    int Markers = 1;                   // a marker every N-th point; 0 none
    int SizeFont = 10;                 // text size factor in tenths
    int LegendFont = 11;               // base point size of the legend list
    int WidthLine = 1;                 // curve pen width factor
    std::string XCaption, XUnits;      // single plot or panel 1
    bool XOnTop = true;                // x axis on top, y growing downward (depth plots)
    std::string YCaption, YUnits;
    std::string XCaption2, XUnits2, YCaption2, YUnits2;
    std::string XCaption3, XUnits3, YCaption3, YUnits3;
    TGetCaptionEvent onGetCaption;

    bool LimitActiveCurves = true;     // a new window keeps only lines 0..19 Active
    std::vector<std::string> LineNames; // default names of main lines by index
    std::string GraphTitle;            // the extra title of the graph caption dialog
    bool TitleOnTop = false;           // GraphTitle above (true) or below the plot
    Extended LayerTop = 0;             // depth at which the layer column starts

    // Unit system of the templates: 1 English, 2 SI, 3 templates as written.
    int Units() const { return units_; }
    // Clamps to 1..3.
    void SetUnits(int units);

    // The four lists.
    TObjectList<TLine>& Lines() { return lines_; }
    const TObjectList<TLine>& Lines() const { return lines_; }
    TObjectList<TLine>& Layers() { return layers_; }
    const TObjectList<TLine>& Layers() const { return layers_; }
    TObjectList<TLine>& Lines2() { return lines2_; }
    const TObjectList<TLine>& Lines2() const { return lines2_; }
    TObjectList<TLine>& Lines3() { return lines3_; }
    const TObjectList<TLine>& Lines3() const { return lines3_; }

    int LineCount() const { return lines_.Count(); }
    int LayerCount() const { return layers_.Count(); }
    int LineCount2() const { return lines2_.Count(); }
    int LineCount3() const { return lines3_.Count(); }

    TLine* Line(int index) const { return lines_.Items(index); }
    TLine* Layer(int index) const { return layers_.Items(index); }
    TLine* Line2(int index) const { return lines2_.Items(index); }
    TLine* Line3(int index) const { return lines3_.Items(index); }
    // The main line at index, or nullptr outside the list: for indexes kept
    // by a window (legend entries, menu items) while the lines may change.
    TLine* FindLine(int index) const;

    // Points of line 0 of each list; 0 when the list is empty.
    int PointCount() const { return FirstPointCount(lines_); }
    int LayerPointCount() const { return FirstPointCount(layers_); }
    int PointCount2() const { return FirstPointCount(lines2_); }
    int PointCount3() const { return FirstPointCount(lines3_); }

    TFloatPoint& Point(int line, int point) const { return Line(line)->Point(point); }
    TFloatPoint& LayerPoint(int line, int point) const { return Layer(line)->Point(point); }
    TFloatPoint& Point2(int line, int point) const { return Line2(line)->Point(point); }
    TFloatPoint& Point3(int line, int point) const { return Line3(line)->Point(point); }

    // Below 0 counts as 0; frees lines from the end, then appends new lines.
    void SetLineCount(int count);
    void SetLayerCount(int count);
    // TLine::SetPointCount on every line of the list.
    void SetPointCount(int count);
    void SetLayerPointCount(int count);

    // The window host; Show needs one.
    void SetHost(TPlotHost* host) { host_ = host; }
    TPlotHost* Host() const { return host_; }

    // Opens the plot window: made by the host on the first call (or after
    // the window closed), then shown and brought forward. Raises
    // EAssertionFailed when the plot has no host.
    void Show();
    // The plot window exists.
    bool FormCreated() const { return window_ != nullptr; }
    TPlotWindow* Window() const { return window_.get(); }
    // Called by a window that is closing and frees itself: the plot forgets
    // it without freeing it, and the next Show builds a new window from the
    // lines as they are then. A window that is not the plot's is ignored.
    void WindowClosed(TPlotWindow* window);

private:
    static int FirstPointCount(const TObjectList<TLine>& list);
    void SetCount(TObjectList<TLine>& list, int count);

    int units_ = kUnitsEnglish;
    TObjectList<TLine> lines_;
    TObjectList<TLine> layers_;
    TObjectList<TLine> lines2_;
    TObjectList<TLine> lines3_;
    TPlotHost* host_ = nullptr;
    std::unique_ptr<TPlotWindow> window_;
};

// The unit text of a unit template in an axis title. With units 1 or 2: one
// kind of force placeholder is replaced (every "F2" when there is one, else
// every "F1", else every "F"), then one kind of length placeholder ("L2",
// else "L1", else "L"); any other characters stay ("F1/L2^2" is "kips/ft^2").
// Any other unit system returns the template unchanged.
std::string ExpandUnits(std::string_view unitTemplate, int units);

// An axis title: the caption, followed by " (<units>)" when the template is
// not empty.
std::string AxisTitle(std::string_view caption, std::string_view unitTemplate, int units);

} // namespace korva::components
