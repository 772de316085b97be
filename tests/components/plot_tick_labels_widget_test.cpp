// Tick labels and the soil-layer column on every device the plot is drawn
// on: the window, a bitmap and the printed page (a PDF read back as a viewer
// reads it). Every label stands at its own tick, the layout making room for
// the labels of the axes' ends; the column's patterns stay in its box.
#include <algorithm>
#include <charconv>
#include <functional>
#include <string>

#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "plot_dialogs.h"
#include "plot_window_fixture.h"
#include "printed_pdf.h"

namespace korva::test {
namespace {

using widgets::TdlgFormat;

const QRgb kWhite = qRgb(255, 255, 255);

// One capacity curve from the head to xMax at depth `depth`: the axes end on
// labelled ticks (1400 kips at 100 ft is the page of the report).
std::function<void(TGraphPlot&)> CapacityPlot(Extended xMax, Extended depth)
{
    return [=](TGraphPlot& plot) {
        plot.XCaption = "Total Capacity ";
        plot.XUnits = "F1";
        plot.YCaption = "Depth ";
        plot.YUnits = "L2";
        plot.SetLineCount(1);
        plot.SetPointCount(21);
        for (int i = 0; i <= 20; ++i)
            plot.Point(0, i) = {xMax * i / 20, depth * i / 20};
    };
}

// The printable area's top-left on the paper of the tests' PDF printer.
QPoint PdfPrintableOffset()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QPageLayout page = printer.pageLayout();
    return page.paintRectPixels(printer.resolution()).topLeft() - page.fullRectPixels(printer.resolution()).topLeft();
}

bool IsNumber(const std::string& text, double& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The box around the pixels that are not white in the rectangle.
QRect InkBox(const QImage& image, const QRect& within)
{
    QRect ink;
    const QRect r = within.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) != kWhite)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

bool AllWhite(const QImage& image, const QRect& within)
{
    return InkBox(image, within).isNull();
}

TEST(PlotTickLabels, PrintedEndLabelsStandAtTheirTicks)
{
    QTemporaryDir dir;
    PlotWindow window(CapacityPlot(1400, 100), 800, 600);
    ASSERT_EQ(window.Form().View().CurrentRange[0], (TPlotRange{0, 1400, 0, 100}));
    const QString pdf = dir.filePath("plot.pdf");
    Recorded().Printers.PdfPath = pdf.toStdString();
    const widgets::TPlotPrint printed = window.Form().PrintClick();
    ASSERT_TRUE(printed.Printed);
    const PrintedPdf page(pdf);
    ASSERT_TRUE(page.page);

    const TPlotLayout& layout = printed.Layout;
    const QPoint offset = PdfPrintableOffset();
    const auto pointsX = [&](int px) { return (px + offset.x()) * 72.0 / layout.PixelsX; };
    const auto pointsY = [&](int py) { return (py + offset.y()) * 72.0 / layout.PixelsY; };
    const TPlotRange& range = window.Form().View().CurrentRange[0];
    // Each number above the box is an x label, each left of it a y label:
    // its text centred on the tick of its value.
    std::vector<double> xLabels;
    std::vector<double> yLabels;
    for (const PrintedPdf::Word& word : page.WordBoxes()) {
        double value = 0;
        if (!IsNumber(word.Text, value))
            continue;
        const TPixelPoint tick = ValueToPixel(range, layout.Plot, true, value, value);
        if (word.Box.bottom() <= pointsY(layout.Plot.Top)) {
            EXPECT_NEAR(word.Box.center().x(), pointsX(tick.X), 1.0) << "x label " << word.Text;
            xLabels.push_back(value);
        } else if (word.Box.right() <= pointsX(layout.Plot.Left)) {
            EXPECT_NEAR(word.Box.center().y(), pointsY(tick.Y), 1.0) << "y label " << word.Text;
            yLabels.push_back(value);
        }
    }
    std::sort(xLabels.begin(), xLabels.end());
    std::sort(yLabels.begin(), yLabels.end());
    EXPECT_EQ(xLabels, (std::vector<double>{0, 200, 400, 600, 800, 1000, 1200, 1400}));
    EXPECT_EQ(yLabels, (std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    // The room for the end labels comes from the page's layout: all inside
    // the one-inch margins.
    EXPECT_TRUE(page.TextInside(72 - 0.5));
}

// The label at the x axis's right end, in the pixels of a window or bitmap
// drawn without the layer column: centred on the frame's right edge and
// inside the picture.
void ExpectRightEndLabelAtItsTick(const QImage& image, int labelHeight, const char* device)
{
    // The frame's right edge: the last black pixel of the middle row; its top
    // where that column stops being black above the middle.
    const int middle = image.height() / 2;
    int right = image.width() - 1;
    while (right > 0 && image.pixel(right, middle) != qRgb(0, 0, 0))
        --right;
    int top = middle;
    while (top > 0 && image.pixel(right, top - 1) == qRgb(0, 0, 0))
        --top;
    ASSERT_GT(right, image.width() / 2) << device;
    // The label row (above the box, clear of the x title), from past the
    // label before it to the picture's edge.
    const QRect row(right - 150, top - labelHeight, image.width(), labelHeight - 1);
    const QRect ink = InkBox(image, row);
    ASSERT_FALSE(ink.isNull()) << device;
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, right, 3.0) << device;
    EXPECT_LT(ink.right(), image.width() - 1) << device;
}

TEST(PlotTickLabels, LargeFontsTakeRoomFromTheLayoutOnScreenAndInBitmaps)
{
    // "1.5E04" at four times the font is wider than the room the screen's
    // rules keep right of the box.
    PlotWindow window(CapacityPlot(15000, 100), 1000, 750);
    TPlotForm& form = window.Form();
    form.FontSizeClick(40);
    ProcessEvents();
    const QFontMetrics metrics(widgets::RotatedFont(BaseFontHeight(96), 400, 40));
    ExpectRightEndLabelAtItsTick(window.Grab(), metrics.height(), "screen");
    EXPECT_GT(metrics.horizontalAdvance("1.5E04") / 2, 96 / 4 + ScaledFontHeight(14, 40) / 2);

    QTemporaryDir dir;
    const QString path = dir.filePath("plot.bmp");
    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{path.toStdString(), 1});
    Recorded().Dialogs.Scripts.push_back([](QDialog& dialog) {
        auto& attributes = static_cast<TdlgFormat&>(dialog);
        attributes.WidthEdit()->setText("10");
        attributes.HeightEdit()->setText("7.5");
        attributes.PixelsEdit()->setText("96");
        attributes.OkButton()->click();
    });
    ASSERT_TRUE(form.SaveToDiskClick().Saved);
    ExpectRightEndLabelAtItsTick(QImage(path).convertToFormat(QImage::Format_RGB32), metrics.height(), "bitmap");
}

// The strips just outside the layer column's box are white, and its sand
// band shows its dots: in the window as opened, and zoomed in so that the
// bands begin above the box.
void ExpectPatternsInTheColumn(const QImage& image, const QRect& column, int strip, const std::string& device)
{
    const QRect band(column.left() + strip, column.top() + strip, column.width() - 2 * strip, strip * 4);
    EXPECT_FALSE(AllWhite(image, band)) << device << ": the sand shows";
    const int gap = std::max(1, strip / 3);
    EXPECT_TRUE(AllWhite(image, QRect(column.left(), column.top() - gap - strip, column.width(), strip)))
        << device << ": above";
    EXPECT_TRUE(AllWhite(image, QRect(column.right() + gap, column.top(), strip, column.height()))) << device
                                                                                                    << ": right";
    EXPECT_TRUE(AllWhite(image, QRect(column.left() - gap - strip, column.top(), strip, column.height())))
        << device << ": left";
    EXPECT_TRUE(AllWhite(image, QRect(column.left(), column.bottom() + gap, column.width(), strip)))
        << device << ": below";
}

QRect ToQRect(const TPixelRect& r, QPoint origin = {}, double scale = 1)
{
    return QRect(QPoint(qRound((r.Left + origin.x()) * scale), qRound((r.Top + origin.y()) * scale)),
                 QPoint(qRound((r.Right + origin.x()) * scale) - 1, qRound((r.Bottom + origin.y()) * scale) - 1));
}

TEST(PlotLayerColumn, PatternsStayInTheColumnOnEveryDevice)
{
    QTemporaryDir dir;
    PlotWindow window(12, 3, 848, 642);
    TPlotForm& form = window.Form();
    for (const bool zoomed : {false, true}) {
        if (zoomed) {
            form.View().CurrentRange[0].YMin = 2;
            form.View().CurrentRange[0].YMax = 8;
            form.Relayout(false);
        }
        const std::string how = zoomed ? " zoomed" : "";
        ExpectPatternsInTheColumn(window.Grab(), ToQRect(form.View().Layout.LayerColumn), 4, "screen" + how);

        const QString bmp = dir.filePath("plot.bmp");
        Recorded().Files.Answers.push_back(widgets::TFileDialogResult{bmp.toStdString(), 1});
        Recorded().Dialogs.Scripts.push_back([](QDialog& d) { static_cast<TdlgFormat&>(d).OkButton()->click(); });
        const widgets::TPlotBitmap saved = form.SaveToDiskClick();
        ASSERT_TRUE(saved.Saved);
        ExpectPatternsInTheColumn(QImage(bmp).convertToFormat(QImage::Format_RGB32),
                                  ToQRect(saved.Layout.LayerColumn), 4, "bitmap" + how);

        const QString pdf = dir.filePath("plot.pdf");
        Recorded().Printers.PdfPath = pdf.toStdString();
        const widgets::TPlotPrint printed = form.PrintClick();
        ASSERT_TRUE(printed.Printed);
        const QPoint origin(printed.PrintableOrigin.X, printed.PrintableOrigin.Y);
        const double dpi = 300;
        ExpectPatternsInTheColumn(PrintedPdf(pdf).Render(dpi),
                                  ToQRect(printed.Layout.LayerColumn, origin, dpi / printed.Layout.PixelsX), 8,
                                  "page" + how);
    }
}

} // namespace
} // namespace korva::test
