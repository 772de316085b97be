#pragma once
// TPlotForm: the window of one plot, a child window of the main window's
// multiple-document area. When made it builds its ranges and legend from
// the plot's lines as they are then (OpenPlotView); every paint draws the
// current points through PaintPlot, and every resize lays the plot out
// again. The plot owns the window from TGraphPlot::Show on; a window closed
// by the user frees itself and lets the plot know.
//
// TMdiPlotHost makes these windows in a multiple-document area: the main
// window gives one to each of its plots (TGraphPlot::SetHost).
#include <memory>
#include <vector>

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "graph_plot.h"
#include "plot_renderer.h"
#include "plot_view.h"

namespace korva::widgets {

// The legend list over the plot: one entry per Active line, drawn in the
// colour of its curve, " *" after the entry of a Visible line.
class TPlotLegend : public QListWidget {
    Q_OBJECT
public:
    TPlotLegend(class TPlotForm& form, QWidget* parent);
    // The entry's text as shown: " *" added when its line exists and is Visible.
    QString EntryText(int row) const;

private:
    TPlotForm& form_;
};

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ReleasePlot();
    void KeepLegendInside();

    components::TGraphPlot* plot_;
    components::TPlotView view_;
    TPlotPaint lastPaint_;
    QWidget* canvas_ = nullptr;
    TPlotLegend* legend_ = nullptr;
    bool shown_ = false;
    // The legend goes to the plot box's corner at each resize until the
    // first paint: the window's size is known only once it is shown.
    bool anchorLegend_ = true;
};

class TMdiPlotHost : public components::TPlotHost {
public:
    explicit TMdiPlotHost(QMdiArea& area) : area_(&area) {}
    std::unique_ptr<components::TPlotWindow> CreatePlotWindow(components::TGraphPlot& plot) override;

private:
    QPointer<QMdiArea> area_;
};

} // namespace korva::widgets
