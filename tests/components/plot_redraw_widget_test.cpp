// The benchmark plot (make bench-plot) drawn by the renderer, inside its axes
// box (grid, ticks, curves and markers; no text, so the fonts of a machine
// do not enter), compared pixel for pixel with golden pictures of how it was
// drawn before each marker's vertices came from offsets computed once per
// paint: drawn on a picture and in the window on the screen, and at a
// printer's resolution, where the markers and pens are larger.
#include <string>

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "benchmark_plot.h"
#include "golden.h"
#include "plot_window_fixture.h"
#include "plot_renderer.h"
#include "plot_view.h"

namespace korva::test {
namespace {

using namespace components;

// The picture of the axes box, frame included.
QImage DrawnBox(const TGraphPlot& plot, TPlotView view)
{
    QImage image(view.Layout.Client.Right, view.Layout.Client.Bottom, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        EXPECT_TRUE(widgets::PaintPlot(painter, plot, view).Painted);
    }
    const TPixelRect& box = view.Layout.Plot;
    return image.copy(box.Left, box.Top, box.Right - box.Left + 1, box.Bottom - box.Top + 1);
}

void ExpectSamePicture(const QImage& drawn, const std::string& relative)
{
    const QString path = QString::fromStdString(DataPath(relative));
    if (UpdatingGoldens()) {
        ASSERT_TRUE(drawn.save(path, "PNG")) << "cannot write " << relative;
        return;
    }
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << "no golden picture " << relative << " (run with KORVA_UPDATE_GOLDEN=1)";
    ASSERT_EQ(drawn.size(), golden.size()) << relative;
    int differing = 0;
    QPoint first;
    for (int y = 0; y < golden.height(); ++y)
        for (int x = 0; x < golden.width(); ++x)
            if (drawn.pixel(x, y) != golden.pixel(x, y) && differing++ == 0)
                first = {x, y};
    EXPECT_EQ(differing, 0) << relative << ", first at " << first.x() << "," << first.y();
}

TEST(PlotRedraw, TheBenchmarkPlotDrawsAsBefore)
{
    TGraphPlot plot;
    tools::FillBenchmarkPlot(plot);
    TPlotView view = OpenPlotView(plot);
    view.Layout = ScreenLayout(plot, tools::kBenchmarkWidth, tools::kBenchmarkHeight, 96, 96, 14);
    ExpectSamePicture(DrawnBox(plot, view), "components/benchmark-plot-screen.png");

    // The window the benchmark repaints draws the same (its legend list,
    // a widget over the plot, hidden).
    PlotWindow window(
        [](TGraphPlot& p) {
            tools::FillBenchmarkPlot(p);
            p.ShowLegend = false;
        },
        tools::kBenchmarkWidth, tools::kBenchmarkHeight);
    ASSERT_EQ(window.Form().View().Layout.Plot, view.Layout.Plot);
    const TPixelRect& box = view.Layout.Plot;
    ExpectSamePicture(window.Grab().copy(box.Left, box.Top, box.Right - box.Left + 1, box.Bottom - box.Top + 1),
                      "components/benchmark-plot-screen.png");

    // A page at 300 pixels per inch with thicker curves and a marker on every
    // third point: markers 9 pixels across each way from their point.
    plot.WidthLine = 2;
    plot.Markers = 3;
    view.WithLegendBox = true;
    const int h = ScaledFontHeight(BaseFontHeight(300), plot.SizeFont);
    view.Layout = PrintLayout(plot, {0, 0, 1500, 1800}, 300, 300, h);
    ExpectSamePicture(DrawnBox(plot, view), "components/benchmark-plot-page.png");
}

} // namespace
} // namespace korva::test
