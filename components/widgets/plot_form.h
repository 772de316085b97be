#pragma once
// TPlotForm: the window of one plot, a child window of the main window's
// multiple-document area. When made it builds its ranges and legend from
// the plot's lines as they are then (OpenPlotView); every paint draws the
// current points through PaintPlot, and every resize lays the plot out
// again. The plot owns the window from TGraphPlot::Show on; a window closed
// by the user frees itself and lets the plot know.
//
// The window's own "&Plot" menu (on a menu bar over the plot, Ctrl+Z
// opens it) toggles the legend, the layer column and the wall, sets markers,
// font size and line width, runs the four plot dialogs, prints, sets the
// page margins, saves a bitmap and lists one item per legend entry. With the
// mouse: a left drag over the plot zooms in, a right click zooms out, the
// caption reads the value under the pointer, and the legend can be dragged
// and its entries double-clicked to hide or show a curve.
//
// TMdiPlotHost makes these windows in a multiple-document area: the main
// window gives one to each of its plots (TGraphPlot::SetHost).
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "graph_plot.h"
#include "page_setup_dialog.h"
#include "plot_interaction.h"
#include "plot_renderer.h"
#include "plot_view.h"

class QAction;
class QMenu;
class QMenuBar;
class QMouseEvent;
class QRubberBand;

namespace korva::widgets {

// The legend list over the plot: one entry per Active line, drawn in the
// colour of its curve, " *" after the entry of a Visible line.
class TPlotLegend : public QListWidget {
    Q_OBJECT
public:
    TPlotLegend(class TPlotForm& form, QWidget* parent);
    // The entry's text as shown: " *" added when its line exists and is Visible.
    QString EntryText(int row) const;
    // Pixels of one entry (16 at first; the font size menu changes it).
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) { itemHeight_ = height; }
    bool Dragging() const { return dragging_; }

protected:
    // A button down starts moving the legend, a double click on an entry
    // hides or shows its curve.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The box is as tall as its entries: it never scrolls (keys, the wheel),
    // so no entry leaves it while its curve is drawn.
    void updateGeometries() override;

private:
    QPoint InLegend(const QMouseEvent* event) const;

    TPlotForm& form_;
    int itemHeight_ = 16;
    bool dragging_ = false;
    QPoint grab_;
};

// What a print did.
struct TPlotPrint {
    bool Printed = false;
    int Pages = 0;
    components::TPlotLayout Layout; // of the page, in pixels of the printable area
    components::TPixelPoint PrintableOrigin; // the printable area's top-left on the paper, in pixels
    TPlotPaint Paint;
};

// What a bitmap export did.
struct TPlotBitmap {
    bool Saved = false;
    std::string FileName;
    int Width = 0;
    int Height = 0;
    components::TPlotLayout Layout;
    TPlotPaint Paint;
};

// The folder a window's file chooser starts in (the open project's).
using TDocumentFolder = std::function<std::string()>;

class TPlotForm : public QMdiSubWindow, public components::TPlotWindow {
    Q_OBJECT
public:
    explicit TPlotForm(components::TGraphPlot& plot, QWidget* parent = nullptr);
    ~TPlotForm() override;

    // Shown maximized the first time; later brought forward, and restored
    // when minimized.
    void ShowWindow() override;

    // The plot, or nullptr once the window has let it go (closing).
    components::TGraphPlot* Plot() const { return plot_; }
    components::TPlotView& View() { return view_; }
    const components::TPlotView& View() const { return view_; }
    // What the last paint of the window drew.
    const TPlotPaint& LastPaint() const { return lastPaint_; }
    QWidget* Canvas() const { return canvas_; }
    TPlotLegend* Legend() const { return legend_; }

    // Lays the plot out for the canvas's size again (printing and bitmap
    // flags cleared) and repaints. With anchorLegend the legend's bottom-right
    // corner goes to the plot box's bottom-right corner first; either way the
    // legend is then pushed back inside the canvas.
    void Relayout(bool anchorLegend);
    // Puts these entries in the legend (view and list) and fits the list.
    void SetLegendEntries(std::vector<components::TLegendEntry> entries);
    // Fits the legend list to its entries: 16 pixels an entry, as wide as the
    // widest entry with " *" and a quarter inch.
    void SizeLegend();
    // Sizes the window so that its drawing surface is width x height pixels.
    void SetClientSize(int width, int height);

    // Paints the plot on the canvas (called by the canvas).
    void PaintCanvas(class QPainter& painter);

    // The mouse over the canvas: zoom and read-out (called by the canvas).
    void CanvasMousePress(QMouseEvent* event);
    void CanvasMouseMove(QMouseEvent* event);
    void CanvasMouseRelease(QMouseEvent* event);
    const components::TPlotZoom& Zoom() const { return zoom_; }
    // Puts the legend there (canvas pixels) and keeps its place for the
    // legend box of paper and bitmap.
    void MoveLegend(components::TPixelPoint at);
    // Repaints the curves and the legend after a line's flags changed.
    void LinesChanged();

    // The "&Plot" menu: the 14 fixed items, then one item per legend entry.
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenu* PlotMenu() const { return plotMenu_; }
    QAction* MenuAction(components::TPlotMenuItem item) const { return fixedItems_[item]; }
    const std::vector<QAction*>& LineItems() const { return lineItems_; }
    // Checks, shows and enables the items as the plot stands (when the menu
    // opens).
    void UpdatePlotMenu();

    // The menu's items.
    void ShowLegendClick();
    void ShowLayersClick();
    void ShowWallClick();
    void MarkersClick(int tag);
    void FontSizeClick(int tag);
    void LineWidthClick(int tag);
    void GraphTitleClick();
    void EditLegendClick();
    void ActiveCurvesClick();
    TPlotPrint PrintClick();
    bool PageSetupClick();
    TPlotBitmap SaveToDiskClick();
    // Where "&Save To Disk..." starts choosing (its host sets it; unset, the
    // chooser's own default).
    TDocumentFolder DocumentFolder;
    // A line item: its line (the item's tag) shown or hidden.
    void LineMenuClick(int lineIndex);

    // The legend list's font and entry height for a font factor, and its size.
    void SetupLegend(int factor);
    TPageSetupDialog& PageSetup() { return pageSetup_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ReleasePlot();
    void KeepLegendInside();
    void BuildMenu();
    void RebuildLineItems();
    void ShowBitmapFailure(const std::string& text);

    components::TGraphPlot* plot_;
    components::TPlotView view_;
    TPlotPaint lastPaint_;
    QWidget* canvas_ = nullptr;
    TPlotLegend* legend_ = nullptr;
    bool shown_ = false;
    // The legend goes to the plot box's corner at each resize until the
    // first paint: the window's size is known only once it is shown.
    bool anchorLegend_ = true;

    components::TPlotZoom zoom_;
    QRubberBand* band_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* plotMenu_ = nullptr;
    std::array<QAction*, components::kPlotMenuFixedItems> fixedItems_{};
    std::vector<QAction*> markerItems_;
    std::vector<QAction*> lineItems_;
    TPageSetupDialog pageSetup_;
};

class TMdiPlotHost : public components::TPlotHost {
public:
    explicit TMdiPlotHost(QMdiArea& area, TDocumentFolder documentFolder = {})
        : area_(&area), documentFolder_(std::move(documentFolder))
    {
    }
    std::unique_ptr<components::TPlotWindow> CreatePlotWindow(components::TGraphPlot& plot) override;

private:
    QPointer<QMdiArea> area_;
    TDocumentFolder documentFolder_;
};

} // namespace korva::widgets
