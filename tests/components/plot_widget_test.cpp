// The plot renderer and the plot window, offscreen: what lands on the
// pixels where the geometry puts it.
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <QFontMetrics>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

#include "gui_test.h"
#include "plot_form.h"
#include "plot_geometry.h"
#include "plot_renderer.h"
#include "plot_view.h"
#include "plot_window_fixture.h"

namespace korva::test {
namespace {

using namespace components;
using widgets::TPlotForm;

// 12 lines over 3 layers on a surface where one x unit is 40 pixels and one
// unit of depth 30 (x 0..17 over 680 pixels, depth 0..19 over 570).
constexpr int kWidth = 848;
constexpr int kHeight = 642;

// The pixels of exactly this colour within 4 pixels of a point.
std::vector<bool> ColourMask(const QImage& image, QPoint centre, QRgb colour)
{
    std::vector<bool> mask;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
            mask.push_back(image.pixel(centre + QPoint(dx, dy)) == colour);
    return mask;
}

TEST(PlotWindow, TwelveLinesOverThreeLayers)
{
    PlotWindow window(12, 3, kWidth, kHeight);
    const QImage image = window.Grab();
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    const TPlotView& view = window.Form().View();
    const TPixelRect r = view.Layout.Plot;

    // The frame where the screen layout puts it, white around it.
    EXPECT_EQ(r, (TPixelRect{41, 41, kWidth - 127, kHeight - 31}));
    EXPECT_EQ(view.CurrentRange[0], (TPlotRange{0, 17, 0, 19}));
    const int midY = (r.Top + r.Bottom) / 2 + 7;
    const int midX = (r.Left + r.Right) / 2;
    EXPECT_EQ(image.pixel(r.Left, midY), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(r.Right, midY), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(midX, r.Top), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(midX, r.Bottom), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(r.Left - 1, midY), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(r.Right + 1, midY), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(midX, r.Bottom + 1), qRgb(255, 255, 255));
    // White background, inside the box and out.
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(r.Left + 20, r.Bottom - 5), qRgb(255, 255, 255));

    // Each curve in its colour, through its points.
    const widgets::TPlotPaint& paint = window.Form().LastPaint();
    ASSERT_TRUE(paint.Painted);
    ASSERT_EQ(paint.Areas.size(), 1u);
    ASSERT_EQ(paint.Areas[0].Curves.size(), 12u);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(paint.Areas[0].Curves[k].ColorIndex, k);
        EXPECT_EQ(image.pixel(window.PixelOf(k, 4)), Rgb(PlotColor(k))) << "line " << k;
    }
    // Markers repeat every 10 lines: lines 1 and 11 draw the same figure,
    // line 2 another.
    const auto line1 = ColourMask(image, window.PixelOf(1, 4), Rgb(PlotColor(1)));
    EXPECT_EQ(ColourMask(image, window.PixelOf(11, 4), Rgb(PlotColor(11))), line1);
    EXPECT_NE(ColourMask(image, window.PixelOf(2, 4), Rgb(PlotColor(2))), line1);

    // Labelled ticks every 2 units from 0, the last label at 16 and 18.
    EXPECT_EQ(paint.Areas[0].XLabels.front(), 0);
    EXPECT_EQ(paint.Areas[0].XLabels.back(), 16);
    EXPECT_EQ(paint.Areas[0].YLabels.back(), 18);

    // The layer column: band outlines from the top, at each layer's depth.
    const TPixelRect column = view.Layout.LayerColumn;
    EXPECT_EQ(column, (TPixelRect{r.Right + 19, r.Top, r.Right + 96, r.Bottom}));
    EXPECT_EQ(image.pixel(column.Left, r.Top + 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(column.Left + 40, r.Top + 190), qRgb(0, 0, 0)); // bottom of the first layer (depth 19/3)
    EXPECT_EQ(image.pixel(r.Right + 10, r.Top + 100), qRgb(255, 255, 255)); // the gap before the column
}

TEST(PlotWindow, HidingKeepsTheColoursDeactivatingShiftsThem)
{
    PlotWindow window(12, 0, kWidth, kHeight);
    window.plot.Line(2)->Visible = false;
    QImage image = window.Grab();
    EXPECT_NE(image.pixel(window.PixelOf(2, 4)), Rgb(PlotColor(2)));
    EXPECT_EQ(image.pixel(window.PixelOf(5, 4)), Rgb(PlotColor(5)));
    EXPECT_EQ(window.Form().LastPaint().Areas[0].Curves.size(), 11u);
    EXPECT_EQ(window.Form().Legend()->EntryText(2), "Curve #3");   // hidden: no star
    EXPECT_EQ(window.Form().Legend()->EntryText(5), "Curve #6 *");

    window.plot.Line(2)->Visible = true;
    window.plot.Line(2)->Active = false;
    image = window.Grab();
    EXPECT_NE(image.pixel(window.PixelOf(2, 4)), Rgb(PlotColor(2)));
    EXPECT_EQ(image.pixel(window.PixelOf(5, 4)), Rgb(PlotColor(4)));
    EXPECT_EQ(image.pixel(window.PixelOf(11, 4)), Rgb(PlotColor(10)));
}

// Capacities up to 29000 kN: from 10000 on the labels take the exponent
// form ("1.2E04") and are wider than the major ticks are apart at some window
// widths. Whatever the width, no two labels drawn overlap, and labels are
// left out only where they would.
TEST(PlotWindow, TickLabelsNeverOverlap)
{
    bool leftOut = false;
    for (int width = 500; width <= 1500; width += 20) {
        QMdiArea area;
        area.resize(width + 200, 600);
        area.show();
        widgets::TMdiPlotHost host(area);
        TGraphPlot plot;
        FillPlot(plot, 1, 0);
        for (int d = 0; d < plot.PointCount(); ++d)
            plot.Point(0, d).X *= 5000;
        plot.SetHost(&host);
        plot.Show();
        auto& form = *static_cast<TPlotForm*>(plot.Window());
        form.SetClientSize(width, 400);
        ProcessEvents();
        form.Canvas()->grab();
        const widgets::TAreaPaint& painted = form.LastPaint().Areas.at(0);
        const TPlotView& view = form.View();
        const QFontMetrics metrics(widgets::RotatedFont(BaseFontHeight(view.Layout.PixelsY), 400, plot.SizeFont));
        int lastRight = std::numeric_limits<int>::min();
        for (Extended x : painted.XLabels) {
            const int px = ValueToPixel(painted.Range, painted.Rect, plot.XOnTop, x, 0).X;
            const int half = metrics.horizontalAdvance(QString::fromStdString(TickLabel(x))) / 2;
            EXPECT_GE(px - half, lastRight) << "width " << width << " label " << static_cast<double>(x);
            lastRight = px + half;
        }
        const Extended major = 5 * painted.Ticks->TickStep.X;
        const auto majors = static_cast<std::size_t>(painted.Range.XMax / major + 0.5L) + 1;
        leftOut = leftOut || painted.XLabels.size() < majors;
    }
    EXPECT_TRUE(leftOut); // some width needs it
}

TEST(PlotWindow, SmallWindowsDrawWithoutFault)
{
    PlotWindow window(12, 3, 80, 80);
    const QImage image = window.Grab();
    ASSERT_EQ(image.size(), QSize(80, 80));
    EXPECT_FALSE(window.Form().LastPaint().Painted); // less than an inch: white only
    const QRect legend = window.Form().Legend()->geometry();
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (!legend.contains(x, y)) {
                ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
            }
        }
    }

    // An inch and more, but no room for the box beside the layer column.
    for (const QSize size : {QSize(96, 96), QSize(97, 300), QSize(300, 97), QSize(130, 130)}) {
        window.Form().SetClientSize(size.width(), size.height());
        ProcessEvents();
        window.Grab();
        EXPECT_TRUE(window.Form().LastPaint().Painted) << size.width() << "x" << size.height();
    }
}

TEST(PlotWindow, ShowMakesOneWindowAndClosingFreesIt)
{
    QMdiArea area;
    widgets::TMdiPlotHost host(area);
    auto plot = std::make_unique<TGraphPlot>();
    FillPlot(*plot, 2, 0);
    plot->SetHost(&host);
    plot->Show();
    plot->Show();
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_TRUE(area.subWindowList()[0]->isMaximized());
    EXPECT_EQ(area.subWindowList()[0]->windowTitle(), "PlotForm");
    // Restored, it keeps three quarters of the area (not the few pixels of a
    // window never laid out).
    area.resize(800, 600);
    area.show();
    area.subWindowList()[0]->close();
    ProcessEvents();
    plot->Show();
    ProcessEvents();
    area.subWindowList()[0]->showNormal();
    EXPECT_EQ(area.subWindowList()[0]->size(), area.viewport()->size() * 3 / 4);

    area.subWindowList()[0]->close();
    ProcessEvents();
    EXPECT_FALSE(plot->FormCreated());
    EXPECT_TRUE(area.subWindowList().empty());

    // The next window is built from the lines as they are then.
    plot->SetLineCount(3);
    plot->Show();
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(static_cast<TPlotForm*>(plot->Window())->View().Legend.size(), 3u);

    // A plot that goes first takes its window with it.
    plot.reset();
    ProcessEvents();
    EXPECT_TRUE(area.subWindowList().empty());
}

TEST(PlotWindow, TheAreaGoingFirstLeavesThePlotWithoutAWindow)
{
    TGraphPlot plot;
    FillPlot(plot, 2, 0);
    {
        QMdiArea area;
        widgets::TMdiPlotHost host(area);
        plot.SetHost(&host);
        plot.Show();
        EXPECT_TRUE(plot.FormCreated());
    }
    EXPECT_FALSE(plot.FormCreated());
}

// A bitmap painted as the export does: the legend box on the canvas.
TEST(PlotRenderer, BitmapWithTheLegendBox)
{
    TGraphPlot plot;
    FillPlot(plot, 4, 2);
    TPlotView view = OpenPlotView(plot);
    plot.Line(1)->Active = false; // as the Active Curves dialog leaves it
    view.Legend = LegendEntries(plot, false);
    plot.Line(3)->Visible = false;
    view.Legend.push_back({99, "gone"}); // the lines changed while the window was open
    view.ToBitmap = true;
    view.WithLegendBox = true;
    view.LegendLeft = 400;
    view.LegendTop = 300;
    view.WindowWidth = 800;
    view.WindowHeight = 600;
    view.Layout = BitmapLayout(plot, 432, 288, 96, 96, ScaledFontHeight(BaseFontHeight(96), plot.SizeFont));

    QImage image(432, 288, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    const widgets::TPlotPaint paint = widgets::PaintPlot(painter, plot, view);
    painter.end();
    ASSERT_TRUE(paint.Painted);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(431, 287), qRgb(255, 255, 255));

    // Two entries of visible lines (0 and 2); the box at half the plot box
    // across and down, as the legend list is in its window.
    const TPixelRect& r = view.Layout.Plot;
    const int x0 = r.Left + (r.Right - r.Left) / 2;
    const int y0 = r.Top + (r.Bottom - r.Top) / 2;
    EXPECT_EQ(image.pixel(x0, y0 + 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(x0 + 5, y0), qRgb(0, 0, 0));
    int bottom = y0 + 1;
    while (bottom < 287 && image.pixel(x0, bottom) == qRgb(0, 0, 0))
        ++bottom;
    const QFontMetrics metrics(widgets::RotatedFont(BaseFontHeight(96), 400, plot.SizeFont));
    EXPECT_EQ(bottom - y0, 2 * (metrics.height() + 3) + 3); // the outline's last row is one above the box's bottom

    // Each entry's marker is the one its curve shows: the second entry
    // stands for line 2 (a triangle with its apex up), not for the square
    // of the second line.
    const int widest = std::max(metrics.horizontalAdvance("Curve #1"), metrics.horizontalAdvance("Curve #3"));
    const TLegendBox box = LegendBoxGeometry(view.Layout, 400, 300, 800, 600, 2, widest, metrics.height());
    EXPECT_EQ(image.pixel(box.Items[1].Marker.X, box.Items[1].Marker.Y - 3), qRgb(0, 0, 0));
    // Its text in the colour of its curve: the second Active line's.
    EXPECT_EQ(paint.Areas[0].Curves[1].LineIndex, 2);
    EXPECT_EQ(paint.Areas[0].Curves[1].ColorIndex, 1);
}

// The printer's resolution: everything scales with the device.
TEST(PlotRenderer, PrintedPage)
{
    TGraphPlot plot;
    FillPlot(plot, 3, 3);
    plot.GraphTitle = "Pile A";
    TPlotView view = OpenPlotView(plot);
    view.WithLegendBox = true;
    const TPixelRect client = PrintClientRect({500, 500, 500, 500}, 300, 300, 10, 10, 1500, 1200);
    view.Layout = PrintLayout(plot, client, 300, 300, ScaledFontHeight(BaseFontHeight(300), plot.SizeFont));
    QImage image(1500, 1200, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.setClipRect(QRect(0, 0, 1500, 1200));
    const widgets::TPlotPaint paint = widgets::PaintPlot(painter, plot, view);
    painter.end();
    ASSERT_TRUE(paint.Painted);
    EXPECT_EQ(paint.Areas[0].Curves.size(), 3u);
    EXPECT_EQ(image.pixel(client.Left, client.Top), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(view.Layout.Plot.Left, view.Layout.Plot.Top + 50), qRgb(0, 0, 0));
}

TEST(PlotRenderer, NonFiniteDataThreePanelsAndTheWall)
{
    constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    TGraphPlot plot;
    FillPlot(plot, 3, 4);
    plot.Point(0, 3) = {nan, 2};
    plot.Point(1, 7) = {inf, -inf};
    plot.ShowThree = true;
    plot.Lines2().Add(new TLine(&plot));
    plot.Line2(0)->Points = {{0, 0}, {5, 5}, {nan, 6}};
    plot.WallLineCount = 2;
    plot.ShowWall = true;
    TPlotView view = OpenPlotView(plot);
    EXPECT_EQ(view.CurrentRange[0], (TPlotRange{0, 8, 0, 19}));
    view.Layout = ScreenLayout(plot, 900, 600, 96, 96, 14);

    QImage image(900, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    const widgets::TPlotPaint paint = widgets::PaintPlot(painter, plot, view);
    painter.end();
    ASSERT_EQ(paint.Areas.size(), 3u);
    EXPECT_TRUE(paint.Areas[0].Ticks);
    EXPECT_EQ(paint.Areas[0].Curves.size(), 3u);
    EXPECT_EQ(paint.Areas[1].Curves.size(), 1u);
    EXPECT_TRUE(paint.Areas[2].Curves.empty());
    // The wall in gray between 2/5 and 3/5 of the column.
    const TPixelRect& column = view.Layout.LayerColumn;
    EXPECT_EQ(image.pixel((column.Left + column.Right) / 2, column.Top + 20), qRgb(128, 128, 128));
}

} // namespace
} // namespace korva::test
