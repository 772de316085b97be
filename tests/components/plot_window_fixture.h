#pragma once
// The plot of the plot window's tests: lines k = 1..n of 20 points, depth d
// down the y axis and x = k + d / 4, over soil layers of equal thickness,
// sand and clay in turn; and a window showing it in a multiple-document
// area.
#include <functional>

#include <QImage>
#include <QMdiArea>
#include <QPixmap>

#include "gui_test.h"
#include "plot_form.h"
#include "plot_geometry.h"

namespace korva::test {

using namespace components;
using widgets::TPlotForm;

inline constexpr int kPoints = 20;

// Lines k = 1..n of 20 points: depth d down the y axis, x = k + d / 4; over
// `layers` soil layers of equal thickness, sand and clay in turn.
inline void FillPlot(TGraphPlot& plot, int lines, int layers)
{
    plot.XCaption = "Total Capacity ";
    plot.XUnits = "F1";
    plot.YCaption = "Depth ";
    plot.YUnits = "L2";
    plot.SetLineCount(lines);
    plot.SetPointCount(kPoints);
    for (int k = 1; k <= lines; ++k)
        for (int d = 0; d < kPoints; ++d)
            plot.Point(k - 1, d) = {k + d / 4.0L, static_cast<Extended>(d)};
    plot.ShowLayers = layers > 0;
    plot.SetLayerCount(layers);
    plot.SetLayerPointCount(1);
    for (int i = 0; i < layers; ++i) {
        plot.Layer(i)->Name = i % 2 == 0 ? " SAND " : " CLAY ";
        plot.LayerPoint(i, 0) = {i % 2 == 0 ? 7.0L : 1.0L, 19.0L * (i + 1) / layers};
    }
}

inline QRgb Rgb(std::uint32_t colour)
{
    return qRgb((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// A plot window in an area, sized so that the drawing surface is
// width x height.
struct PlotWindow {
    PlotWindow(int lines, int layers, int width, int height)
        : PlotWindow([&](TGraphPlot& p) { FillPlot(p, lines, layers); }, width, height)
    {
    }
    // A plot filled by `fill` before its window opens.
    PlotWindow(const std::function<void(TGraphPlot&)>& fill, int width, int height)
    {
        area.resize(width + 200, height + 200);
        area.show();
        fill(plot);
        plot.SetHost(&host);
        plot.Show();
        Form().SetClientSize(width, height);
        ProcessEvents();
    }
    TPlotForm& Form() { return *static_cast<TPlotForm*>(plot.Window()); }
    QImage Grab()
    {
        Form().Canvas()->update();
        return Form().Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Pixel of point d of line k (0-based) in the window's layout.
    QPoint PixelOf(int line, int d)
    {
        const TPixelPoint p =
            ValueToPixel(Form().View().CurrentRange[0], Form().View().Layout.Plot, plot.XOnTop, plot.Point(line, d));
        return {p.X, p.Y};
    }

    QMdiArea area;
    widgets::TMdiPlotHost host{area};
    TGraphPlot plot;
};

} // namespace korva::test
