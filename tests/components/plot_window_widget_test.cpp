// The plot window driven as a user drives it: its "&Plot" menu, the four
// plot dialogs (run by scripts in place of a modal loop), the mouse over the
// plot and the legend, printing to a PDF file read back as a viewer reads
// it, the bitmap export and the page setup.
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "page_setup_dialog.h"
#include "plot_dialogs.h"
#include "plot_window_fixture.h"
#include "printed_pdf.h"

namespace korva::test {
namespace {

using widgets::TdlgFormat;
using widgets::TfrmActiveLines;
using widgets::TfrmGraphCaption;
using widgets::TfrmLineNames;
using widgets::TPageSetupForm;

std::vector<std::string> Messages()
{
    return Recorded().Messages.Texts();
}

template <class Dialog>
void Script(std::function<void(Dialog&)> script)
{
    Recorded().Dialogs.Scripts.push_back([script](QDialog& dialog) { script(static_cast<Dialog&>(dialog)); });
}

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A left drag on the canvas from one pixel to another.
void Drag(QWidget* canvas, QPoint from, QPoint to)
{
    Send(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(canvas, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    Send(canvas, QEvent::MouseMove, to, Qt::LeftButton);
    Send(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton);
}

std::vector<std::string> LegendTexts(const TPlotForm& form)
{
    std::vector<std::string> texts;
    for (int row = 0; row < form.Legend()->count(); ++row)
        texts.push_back(form.Legend()->item(row)->text().toStdString());
    return texts;
}

std::vector<std::string> LineItemTexts(const TPlotForm& form)
{
    std::vector<std::string> texts;
    for (const QAction* action : form.LineItems())
        texts.push_back(action->text().toStdString());
    return texts;
}

QAction* Choice(const TPlotForm& form, TPlotMenuItem submenu, const char* caption)
{
    for (QAction* action : form.MenuAction(submenu)->menu()->actions())
        if (action->text() == QLatin1String(caption))
            return action;
    return nullptr;
}

// The header of a BMP file: its size, and the bits of a pixel.
struct BmpHeader {
    bool Valid = false;
    int Width = 0;
    int Height = 0;
    int Bits = 0;
};

BmpHeader ReadBmpHeader(const QString& path)
{
    QFile file(path);
    BmpHeader header;
    if (!file.open(QIODevice::ReadOnly))
        return header;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return header;
    const auto le = [&](int at, int count) {
        long value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = value * 256 + static_cast<unsigned char>(bytes[at + i]);
        return static_cast<int>(value);
    };
    header.Valid = true;
    header.Width = le(18, 4);
    header.Height = le(22, 4);
    header.Bits = le(28, 2);
    return header;
}

TEST(PlotWindowMenu, FixedItemsThenOneItemPerLegendEntry)
{
    PlotWindow window(25, 0, 800, 600);
    TPlotForm& form = window.Form();
    const QList<QAction*> actions = form.PlotMenu()->actions();
    ASSERT_EQ(actions.size(), 14 + 20);
    EXPECT_EQ(form.PlotMenu()->title(), "&Plot");
    for (int i = 0; i < kPlotMenuFixedItems; ++i) {
        const std::string caption = kPlotMenuCaptions[static_cast<std::size_t>(i)];
        if (caption == "-")
            EXPECT_TRUE(actions[i]->isSeparator()) << i;
        else
            EXPECT_EQ(actions[i]->text().toStdString(), caption) << i;
    }
    EXPECT_EQ(actions[14]->text(), "Curve #1");
    EXPECT_EQ(actions[33]->text(), "Curve #20");
    EXPECT_EQ(form.Legend()->count(), 20);
    EXPECT_TRUE(form.MenuAction(pmPrint)->isEnabled()); // a PDF file is always there to print to
    EXPECT_TRUE(form.MenuAction(pmPageSetup)->isEnabled());

    // When the menu opens: no layers, so no layer item; the markers item of the count.
    window.plot.Markers = 2;
    window.plot.Line(3)->Visible = false;
    form.UpdatePlotMenu();
    EXPECT_FALSE(form.MenuAction(pmShowSoilLayer)->isVisible());
    EXPECT_FALSE(form.MenuAction(pmShowWallGeometry)->isVisible());
    EXPECT_TRUE(form.MenuAction(pmShowLegend)->isChecked());
    EXPECT_TRUE(Choice(form, pmShowMarkers, "Every &2 Increments")->isChecked());
    EXPECT_FALSE(Choice(form, pmShowMarkers, "Every &Increment")->isChecked());
    EXPECT_FALSE(form.LineItems()[3]->isChecked());
    EXPECT_TRUE(form.LineItems()[4]->isChecked());

    // A line item shows or hides its curve, the markers items set the count.
    form.LineItems()[4]->trigger();
    EXPECT_FALSE(window.plot.Line(4)->Visible);
    EXPECT_EQ(form.Legend()->EntryText(4), "Curve #5");
    Choice(form, pmShowMarkers, "&Never")->trigger();
    EXPECT_EQ(window.plot.Markers, 0);
    Choice(form, pmLineWidth, "4 * Default")->trigger();
    EXPECT_EQ(window.plot.WidthLine, 4);

    // The legend item hides the list and brings it back.
    form.MenuAction(pmShowLegend)->trigger();
    EXPECT_FALSE(window.plot.ShowLegend);
    EXPECT_FALSE(form.Legend()->isVisible());
    form.MenuAction(pmShowLegend)->trigger();
    EXPECT_TRUE(form.Legend()->isVisible());
}

TEST(PlotWindowMenu, ActiveCurvesActivateAllAndDeactivateAll)
{
    PlotWindow window(25, 0, 800, 600);
    TPlotForm& form = window.Form();

    Script<TfrmActiveLines>([](TfrmActiveLines& d) {
        ASSERT_EQ(d.List()->count(), 25);
        EXPECT_EQ(d.List()->item(0)->text(), " yes :    Curve #1");
        EXPECT_EQ(d.List()->item(20)->text(), " no  :    Curve #21");
        d.ActivateAllButton()->click();
        EXPECT_EQ(d.List()->item(20)->text(), " yes :    Curve #21");
        d.OkButton()->click();
    });
    form.MenuAction(pmActiveCurves)->trigger();
    EXPECT_EQ(form.Legend()->count(), 25);
    ASSERT_EQ(form.LineItems().size(), 25u);
    EXPECT_EQ(form.LineItems()[24]->text(), "Curve #25");
    EXPECT_EQ(form.Legend()->height(), 25 * 16 + 3);

    Script<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.DeactivateAllButton()->click();
        d.OkButton()->click();
    });
    form.MenuAction(pmActiveCurves)->trigger();
    EXPECT_EQ(form.Legend()->count(), 0);
    EXPECT_TRUE(form.LineItems().empty());
    EXPECT_EQ(form.PlotMenu()->actions().size(), 14);

    // Selected rows toggle together, a double click toggles the focused row;
    // Cancel leaves everything.
    Script<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.List()->item(1)->setSelected(true);
        d.List()->item(3)->setSelected(true);
        d.ToggleSelectedButton()->click();
        EXPECT_TRUE(d.Rows().IsActive(1));
        EXPECT_TRUE(d.Rows().IsActive(3));
        d.List()->setCurrentRow(5);
        emit d.List()->itemDoubleClicked(d.List()->item(5));
        EXPECT_TRUE(d.Rows().IsActive(5));
        d.CancelButton()->click();
    });
    form.MenuAction(pmActiveCurves)->trigger();
    EXPECT_EQ(form.Legend()->count(), 0);
    Script<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.List()->item(1)->setSelected(true);
        d.List()->item(3)->setSelected(true);
        d.ToggleSelectedButton()->click();
        d.OkButton()->click();
    });
    form.MenuAction(pmActiveCurves)->trigger();
    EXPECT_EQ(LegendTexts(form), (std::vector<std::string>{"Curve #2", "Curve #4"}));
    EXPECT_EQ(LineItemTexts(form), (std::vector<std::string>{"Curve #2", "Curve #4"}));
    EXPECT_EQ(Recorded().Dialogs.Titles.back(), "Active Curves");
}

TEST(PlotWindowMenu, LegendDialogRefusesAnEmptyName)
{
    PlotWindow window(4, 0, 800, 600);
    TPlotForm& form = window.Form();
    window.plot.Line(0)->Active = false; // the legend lists lines 1 to 3
    form.SetLegendEntries(LegendEntries(window.plot, false));

    Script<TfrmLineNames>([](TfrmLineNames& d) {
        ASSERT_EQ(d.List()->count(), 4);
        EXPECT_EQ(d.Field()->text(), "Curve #1");
        d.List()->setCurrentRow(2);
        EXPECT_EQ(d.Field()->text(), "Curve #3");
        EXPECT_EQ(d.Field()->palette().color(QPalette::Text), QColor(255, 0, 0));
        d.Field()->clear();
        QTest::keyClick(d.Field(), Qt::Key_Return);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"The line must have a name!"}));
        EXPECT_EQ(d.Field()->text(), "Curve #3");
        d.Field()->setText("Driven pile");
        QTest::keyClick(d.Field(), Qt::Key_Return);
        EXPECT_EQ(d.List()->item(2)->text(), "Driven pile");
        d.CancelButton()->click();
    });
    form.MenuAction(pmEditLegend)->trigger();
    EXPECT_TRUE(window.plot.Line(2)->Name.empty()); // Cancel: every name as it was
    EXPECT_EQ(LegendTexts(form)[1], "Curve #3");

    Script<TfrmLineNames>([](TfrmLineNames& d) {
        d.List()->setCurrentRow(2);
        d.Field()->setText("Driven pile");
        QTest::keyClick(d.Field(), Qt::Key_Return);
        d.OkButton()->click();
    });
    form.MenuAction(pmEditLegend)->trigger();
    EXPECT_EQ(window.plot.Line(2)->Name, "Driven pile");
    // The entry of line 2 (the second one), not the entry at index 2.
    EXPECT_EQ(LegendTexts(form), (std::vector<std::string>{"Curve #2", "Driven pile", "Curve #4"}));
    EXPECT_EQ(LineItemTexts(form), LegendTexts(form));
}

TEST(PlotWindowMenu, GraphCaptionAppliesHoweverClosed)
{
    PlotWindow window(3, 0, 800, 600);
    TPlotForm& form = window.Form();
    const int top = form.View().Layout.Plot.Top;
    Script<TfrmGraphCaption>([](TfrmGraphCaption& d) {
        EXPECT_TRUE(d.BottomButton()->isChecked());
        d.Field()->setText("Pile 7");
        d.TopButton()->setChecked(true);
        // Left open: closed as by the close box.
    });
    form.MenuAction(pmGraphTitle)->trigger();
    EXPECT_EQ(window.plot.GraphTitle, "Pile 7");
    EXPECT_TRUE(window.plot.TitleOnTop);
    EXPECT_GT(form.View().Layout.Plot.Top, top);

    Script<TfrmGraphCaption>([](TfrmGraphCaption& d) {
        EXPECT_EQ(d.Field()->text(), "Pile 7");
        d.Field()->clear();
        d.OkButton()->click();
    });
    form.MenuAction(pmGraphTitle)->trigger();
    EXPECT_TRUE(window.plot.GraphTitle.empty());
    EXPECT_EQ(form.View().Layout.Plot.Top, top);
}

TEST(PlotWindowMenu, FontSizeScalesTheLegendAndPutsItBackAtTheCorner)
{
    PlotWindow window(3, 0, 800, 600);
    TPlotForm& form = window.Form();
    form.MoveLegend({10, 10});
    Choice(form, pmFontSize, "2 * Default")->trigger();
    EXPECT_EQ(window.plot.SizeFont, 20);
    EXPECT_EQ(form.Legend()->font().pixelSize(), 29); // 22 points at 96 pixels per inch
    EXPECT_EQ(form.Legend()->ItemHeight(), 33);
    EXPECT_EQ(form.Legend()->height(), 3 * 33 + 3);
    const TPixelRect& box = form.View().Layout.Plot;
    EXPECT_EQ(form.Legend()->x() + form.Legend()->width(), box.Right);
    EXPECT_EQ(form.Legend()->y() + form.Legend()->height(), box.Bottom);
    EXPECT_EQ(form.View().LegendLeft, form.Legend()->x());
}

TEST(PlotWindowMouse, DragZoomsRightClickZoomsOutAndTheCaptionReadsTheValue)
{
    PlotWindow window(0, 0, 800, 600);
    window.plot.Caption = "Capacity";
    window.plot.SetLineCount(1);
    window.plot.Line(0)->Points = {{0, 0}, {100, 100}};
    window.plot.Show(); // the window keeps its ranges: open a new one for the new lines
    window.Form().close();
    ProcessEvents();
    window.plot.Show();
    window.Form().SetClientSize(800, 600);
    ProcessEvents();
    TPlotForm& form = window.Form();
    QWidget* canvas = form.Canvas();
    const TPixelRect box = form.View().Layout.Plot;
    ASSERT_EQ(form.View().FullRange[0], (TPlotRange{0, 100, 0, 100}));

    Send(canvas, QEvent::MouseMove, QPoint(box.Left, box.Top), Qt::NoButton);
    EXPECT_EQ(form.windowTitle(), "Capacity X: 0 Y: 0");
    Send(canvas, QEvent::MouseMove, QPoint(box.Right + 50, box.Bottom + 50), Qt::NoButton);
    EXPECT_EQ(form.windowTitle(), "Capacity X: 100 Y: 100");

    // A click changes nothing; a small drag zooms to a span of 5.
    Drag(canvas, QPoint(box.Left + 200, box.Top + 200), QPoint(box.Left + 200, box.Top + 200));
    EXPECT_EQ(form.View().CurrentRange[0], form.View().FullRange[0]);
    Drag(canvas, QPoint(box.Left + 200, box.Top + 200), QPoint(box.Left + 203, box.Top + 204));
    const TPlotRange zoomed = form.View().CurrentRange[0];
    EXPECT_NEAR(static_cast<double>(zoomed.XMax - zoomed.XMin), 5, 1e-9);
    EXPECT_NEAR(static_cast<double>(zoomed.YMax - zoomed.YMin), 5, 1e-9);
    EXPECT_FALSE(form.Zoom().Zooming());

    // The right button doubles the span, the curves are drawn in the zoomed range.
    Send(canvas, QEvent::MouseButtonPress, QPoint(box.Left + 250, box.Top + 250), Qt::RightButton);
    Send(canvas, QEvent::MouseButtonRelease, QPoint(box.Left + 250, box.Top + 250), Qt::RightButton);
    EXPECT_NEAR(static_cast<double>(form.View().CurrentRange[0].XMax - form.View().CurrentRange[0].XMin), 10, 1e-9);
    window.Grab();
    EXPECT_EQ(form.LastPaint().Areas[0].Range, form.View().CurrentRange[0]);

    // Three panels: no zoom rectangle.
    window.plot.ShowThree = true;
    const TPlotRange before = form.View().CurrentRange[0];
    Drag(canvas, QPoint(box.Left + 20, box.Top + 20), QPoint(box.Left + 300, box.Top + 300));
    EXPECT_EQ(form.View().CurrentRange[0], before);
}

TEST(PlotWindowMouse, LegendIsDraggedAndADoubleClickHidesACurve)
{
    PlotWindow window(3, 0, 800, 600);
    TPlotForm& form = window.Form();
    widgets::TPlotLegend* legend = form.Legend();
    const QPoint start = legend->pos();
    QWidget* viewport = legend->viewport();
    const QPoint grab = viewport->mapFrom(legend, QPoint(5, 5));
    Send(viewport, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    Send(viewport, QEvent::MouseMove, grab + QPoint(-100, -50), Qt::LeftButton);
    EXPECT_EQ(legend->pos(), start + QPoint(-100, -50));
    EXPECT_EQ(form.View().LegendLeft, legend->x());
    EXPECT_EQ(form.View().LegendTop, legend->y());
    // Dragged far away: the grab point stays inside the window.
    Send(viewport, QEvent::MouseMove, viewport->mapFrom(form.Canvas(), QPoint(-500, -500)), Qt::LeftButton);
    EXPECT_EQ(legend->pos(), QPoint(0, 0));
    Send(viewport, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(legend->Dragging());

    const QPoint second = legend->visualItemRect(legend->item(1)).center();
    Send(viewport, QEvent::MouseButtonDblClick, second, Qt::LeftButton);
    EXPECT_FALSE(window.plot.Line(1)->Visible);
    EXPECT_EQ(legend->EntryText(1), "Curve #2");
    Send(viewport, QEvent::MouseButtonDblClick, second, Qt::LeftButton);
    EXPECT_TRUE(window.plot.Line(1)->Visible);
}

// The legend shows every entry whatever keys or wheel reach it: it is a box
// of entries, not a list that scrolls some of them out of sight.
TEST(PlotWindowMouse, TheLegendNeverScrollsAnEntryOutOfSight)
{
    PlotWindow window(8, 0, 800, 600);
    widgets::TPlotLegend* legend = window.Form().Legend();
    legend->setFocus();
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(legend, Qt::Key_Down);
    QTest::keyClick(legend, Qt::Key_End);
    QTest::keyClick(legend, Qt::Key_PageDown);
    QWheelEvent wheel(QPointF(5, 5), legend->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -480),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(legend->viewport(), &wheel);
    ProcessEvents();
    for (int row = 0; row < legend->count(); ++row) {
        const QRect entry = legend->visualItemRect(legend->item(row));
        EXPECT_TRUE(legend->viewport()->rect().contains(entry))
            << "entry " << row + 1 << " at " << entry.y() << " height " << entry.height() << " in "
            << legend->viewport()->height() << " frame " << legend->frameWidth();
    }
}

TEST(PlotWindowPrint, OnePageWithTheTitlesAsTextInsideTheMargins)
{
    QTemporaryDir dir;
    PlotWindow window(5, 2, 800, 600);
    window.plot.Caption = "Synthetic";
    window.plot.GraphTitle = "Pile A";
    TPlotForm& form = window.Form();

    // Half an inch each side through the page setup.
    Script<TPageSetupForm>([](TPageSetupForm& d) {
        for (int side = 0; side < 4; ++side)
            d.MarginEdit(side)->setText("0.5");
        d.OkButton()->click();
    });
    ASSERT_TRUE(form.PageSetupClick());
    EXPECT_EQ(form.PageSetup().Setup().MarginLeft(), 500);

    const QString pdf = dir.filePath("plot.pdf");
    Recorded().Printers.PdfPath = pdf.toStdString();
    const widgets::TPlotPrint printed = form.PrintClick();
    ASSERT_TRUE(printed.Printed);
    EXPECT_EQ(Recorded().Printers.JobTitles, (std::vector<std::string>{"Synthetic"}));
    const PrintedPdf result(pdf);
    ASSERT_TRUE(result.document);
    EXPECT_EQ(result.document->numPages(), 1);
    const std::vector<std::string> words = result.Words();
    for (const char* word : {"Total", "Capacity", "(kips)", "Depth", "(ft)", "Pile", "A", "Curve", "SAND"})
        EXPECT_NE(std::find(words.begin(), words.end(), word), words.end()) << word;
    EXPECT_TRUE(result.TextInside(36 - 0.5));
    EXPECT_TRUE(result.MarginsWhite(35));
    EXPECT_TRUE(result.AnythingInside(36));
    EXPECT_TRUE(Messages().empty());
    // The window draws as before.
    EXPECT_FALSE(form.View().WithLegendBox);
    EXPECT_EQ(form.View().Layout.PixelsX, form.Canvas()->logicalDpiX());
}

TEST(PlotWindowPrint, MarginsLeavingLessThanAnInchPrintNoBlankPage)
{
    // 5 in at each side of A4: no page, and a message saying why.
    QTemporaryDir dir;
    PlotWindow window(2, 0, 800, 600);
    TPlotForm& form = window.Form();
    form.PageSetup().Setup().SetMargins({5000, 5000, 5000, 5000});
    const QString pdf = dir.filePath("blank.pdf");
    Recorded().Printers.PdfPath = pdf.toStdString();
    const widgets::TPlotPrint printed = form.PrintClick();
    EXPECT_FALSE(printed.Printed);
    EXPECT_EQ(printed.Pages, 0);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "The margins leave less than 1 inch each way to print on this paper: the plot was not "
                              "printed.\nPlease make the margins smaller in Page Setup."}));
}

TEST(PlotWindowPrint, DefaultMarginsOfAnInch)
{
    QTemporaryDir dir;
    PlotWindow window(12, 3, 800, 600);
    const QString pdf = dir.filePath("plot.pdf");
    Recorded().Printers.PdfPath = pdf.toStdString();
    ASSERT_TRUE(window.Form().PrintClick().Printed);
    const PrintedPdf result(pdf);
    ASSERT_TRUE(result.page);
    // The depth axis ends on a labelled tick at the box's bottom: the box is
    // drawn in so that its label, centred on the tick, stays above the margin.
    EXPECT_TRUE(result.TextInside(72 - 0.5));
    EXPECT_TRUE(result.MarginsWhite(71));
}

TEST(PlotWindowPrint, MarginsBelowThePrintersOffsetsUseTheOffsets)
{
    QTemporaryDir dir;
    PlotWindow window(2, 0, 800, 600);
    TPlotForm& form = window.Form();
    form.PageSetup().Setup().SetMargins({0, 0, 0, 0});
    const QString pdf = dir.filePath("edge.pdf");
    Recorded().Printers.PdfPath = pdf.toStdString();
    const widgets::TPlotPrint printed = form.PrintClick();
    ASSERT_TRUE(printed.Printed);
    // The PDF printer's printable area starts 167 of 1200 pixels in (10
    // points): the page is drawn from there. (The frame's hairline on the
    // printable area's last column may show in the next pixel at 72 dpi.)
    EXPECT_EQ(printed.Layout.Client.Left, 0);
    EXPECT_EQ(printed.Layout.Client.Top, 0);
    EXPECT_TRUE(PrintedPdf(pdf).MarginsWhite(8));
}

TEST(PlotWindowPrint, CancelledOrUnopenablePrinters)
{
    PlotWindow window(2, 0, 800, 600);
    Recorded().Printers.PdfPath.clear(); // the print dialog cancelled
    EXPECT_FALSE(window.Form().PrintClick().Printed);
    EXPECT_TRUE(Messages().empty());

    Recorded().Printers.PdfPath = "/nonexistent-folder/plot.pdf";
    EXPECT_FALSE(window.Form().PrintClick().Printed);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The plot could not be printed."}));
}

TEST(PlotWindowBitmap, DefaultAttributesGiveA432By288TwentyFourBitBitmap)
{
    QTemporaryDir dir;
    PlotWindow window(4, 2, 800, 600);
    const QString path = dir.filePath("plot.bmp");
    {
        QFile old(path); // an older file is replaced
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{path.toStdString(), 1});
    Script<TdlgFormat>([](TdlgFormat& d) {
        EXPECT_EQ(d.HeightEdit()->text(), "4");
        EXPECT_EQ(d.WidthEdit()->text(), "6");
        EXPECT_EQ(d.PixelsEdit()->text(), "72");
        d.OkButton()->click();
    });
    const widgets::TPlotBitmap saved = window.Form().SaveToDiskClick();
    ASSERT_TRUE(saved.Saved);
    const auto& call = Recorded().Files.Calls.back();
    EXPECT_TRUE(call.Save);
    EXPECT_EQ(call.Options.DefaultExtension, "bmp");
    EXPECT_EQ(call.Options.Filters, (std::vector<std::string>{"Bitmap (*.bmp)"}));
    EXPECT_TRUE(call.Options.OverwritePrompt);
    EXPECT_EQ(Recorded().Dialogs.Titles, (std::vector<std::string>{"Save Attributes"}));

    const BmpHeader header = ReadBmpHeader(path);
    ASSERT_TRUE(header.Valid);
    EXPECT_EQ(header.Width, 432);
    EXPECT_EQ(header.Height, 288);
    EXPECT_EQ(header.Bits, 24);
    QImage image(path);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.dotsPerMeterX(), 2835); // 72 pixels per inch
    EXPECT_FALSE(window.Form().View().ToBitmap); // the window's view is untouched

    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{dir.filePath("small.bmp").toStdString(), 1});
    Script<TdlgFormat>([](TdlgFormat& d) {
        d.HeightEdit()->setText("2");
        d.WidthEdit()->setText("2");
        d.PixelsEdit()->setText("10");
        d.OkButton()->click();
    });
    ASSERT_TRUE(window.Form().SaveToDiskClick().Saved);
    const BmpHeader small = ReadBmpHeader(dir.filePath("small.bmp"));
    EXPECT_EQ(small.Width, 20);
    EXPECT_EQ(small.Height, 20);
    EXPECT_TRUE(Messages().empty());
}

TEST(PlotWindowBitmap, TooLargeBadEntriesAndCancelWriteNothing)
{
    QTemporaryDir dir;
    PlotWindow window(2, 0, 800, 600);
    const QString path = dir.filePath("large.bmp");

    // Cancelled in the file chooser: no dialog.
    EXPECT_FALSE(window.Form().SaveToDiskClick().Saved);
    EXPECT_TRUE(Recorded().Dialogs.Titles.empty());

    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{path.toStdString(), 1});
    Script<TdlgFormat>([](TdlgFormat& d) {
        d.WidthEdit()->setText("1000"); // 72000 pixels across
        d.OkButton()->click();
    });
    EXPECT_FALSE(window.Form().SaveToDiskClick().Saved);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"There is not enough memory to complete this task."}));
    EXPECT_FALSE(QFile::exists(path));

    // An entry below its minimum keeps the dialog open with the field's message.
    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{path.toStdString(), 1});
    Script<TdlgFormat>([](TdlgFormat& d) {
        d.HeightEdit()->setText("1");
        d.OkButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.HeightEdit()->text(), "2");
        d.CancelButton()->click();
    });
    EXPECT_FALSE(window.Form().SaveToDiskClick().Saved);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_FALSE(QFile::exists(path));

    // A folder that cannot be written: the message names the file.
    const std::string locked = "/nonexistent-folder/plot.bmp";
    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{locked, 1});
    Script<TdlgFormat>([](TdlgFormat& d) { d.OkButton()->click(); });
    EXPECT_FALSE(window.Form().SaveToDiskClick().Saved);
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[2].rfind("Cannot write file \"" + locked + "\". ", 0), 0u) << Messages()[2];

    // A bitmap the user may not write stays as it was.
    const QString protectedPath = dir.filePath("protected.bmp");
    {
        QFile old(protectedPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QFile::setPermissions(protectedPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{protectedPath.toStdString(), 1});
    Script<TdlgFormat>([](TdlgFormat& d) { d.OkButton()->click(); });
    EXPECT_FALSE(window.Form().SaveToDiskClick().Saved);
    ASSERT_EQ(Messages().size(), 4u);
    EXPECT_EQ(Messages()[3], "Cannot write file \"" + protectedPath.toStdString() + "\". " + std::strerror(EACCES));
    QFile old(protectedPath);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

TEST(PageSetupDialog, OkTakesTheMarginsCancelLeavesThem)
{
    widgets::TPageSetupDialog dialog;
    dialog.Setup().SetOptions({poDefaultMinMargins, poThousandthsOfInches});
    dialog.Setup().SetMargins({1000, 1000, 1000, 1000});

    Script<TPageSetupForm>([](TPageSetupForm& d) {
        EXPECT_EQ(d.MarginEdit(0)->text(), "1");
        EXPECT_EQ(d.MarginEdit(0)->EditLabel()->text(), "&Left (in)");
        d.MarginEdit(1)->setText("0.25");
        d.CancelButton()->click();
    });
    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.Setup().MarginTop(), 1000);

    Script<TPageSetupForm>([](TPageSetupForm& d) {
        // Opens centred across the screen and a third of the way down.
        const QRect screen = d.screen()->geometry();
        EXPECT_EQ(d.pos(), QPoint(screen.left() + (screen.width() - d.frameGeometry().width()) / 2,
                                  screen.top() + (screen.height() - d.frameGeometry().height()) / 3));
        d.MarginEdit(1)->setText("0.25");
        d.MarginEdit(2)->setText("-1"); // below the lowest margin: refused, the dialog stays
        d.OkButton()->click();
        EXPECT_TRUE(d.isVisible());
        d.MarginEdit(2)->setText("1/8");
        d.OkButton()->click();
    });
    EXPECT_TRUE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.Setup().MarginTop(), 250);
    EXPECT_EQ(dialog.Setup().MarginRight(), 125);
    EXPECT_EQ(dialog.Setup().MarginLeft(), 1000);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Recorded().Dialogs.Titles, (std::vector<std::string>{"Page Setup", "Page Setup"}));

    // In millimetres.
    widgets::TPageSetupDialog metric;
    metric.Setup().SetOptions({poMargins, poHundredthsOfMillimeters});
    metric.Setup().SetMargins({2000, 2000, 2000, 2000});
    Script<TPageSetupForm>([](TPageSetupForm& d) {
        EXPECT_EQ(d.MarginEdit(3)->text(), "20");
        EXPECT_EQ(d.MarginEdit(3)->EditLabel()->text(), "&Bottom (mm)");
        d.MarginEdit(3)->setText("12.7");
        d.OkButton()->click();
    });
    EXPECT_TRUE(metric.Execute(nullptr));
    EXPECT_EQ(metric.Setup().MarginBottom(), 1270);
    EXPECT_EQ(metric.Setup().MarginsInThousandthsOfInch().Bottom, 500);
}

TEST(PageSetupDialog, AMarginLeftShowsWhatIsKept)
{
    // Margins are kept in thousandths of an inch (hundredths of a
    // millimetre): a margin typed finer shows the kept one once left.
    for (const bool millimetres : {false, true}) {
        widgets::TPageSetupDialog dialog;
        dialog.Setup().SetOptions({poMargins, millimetres ? poHundredthsOfMillimeters : poThousandthsOfInches});
        dialog.Setup().SetMargins({1000, 1000, 1000, 1000});
        Script<TPageSetupForm>([millimetres](TPageSetupForm& d) {
            d.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
            widgets::TDataEdit* left = d.MarginEdit(0);
            left->setFocus(Qt::MouseFocusReason);
            left->clear();
            QTest::keyClicks(left, "0.12345");
            QTest::keyClick(left, Qt::Key_Tab);
            ProcessEvents();
            EXPECT_EQ(left->text(), millimetres ? "0.12" : "0.123");
            d.OkButton()->click();
        });
        EXPECT_TRUE(dialog.Execute(nullptr));
        EXPECT_EQ(dialog.Setup().MarginLeft(), millimetres ? 12 : 123);
    }
}

TEST(PageSetupDialog, MarginsThatLeaveLessThanAnInchAreRefusedWithAMessage)
{
    // 5 in on each side of any paper: refused, the dialog stays open with the
    // margins typed; an inch each side is taken.
    widgets::TPageSetupDialog dialog;
    dialog.Setup().SetOptions({poDefaultMinMargins, poThousandthsOfInches});
    dialog.Setup().SetMargins({1000, 1000, 1000, 1000});
    Script<TPageSetupForm>([](TPageSetupForm& d) {
        for (int side = 0; side < 4; ++side)
            d.MarginEdit(side)->setText("5");
        d.OkButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.MarginEdit(2)->text(), "5");
        for (int side = 0; side < 4; ++side)
            d.MarginEdit(side)->setText("1");
        d.OkButton()->click();
    });
    EXPECT_TRUE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.Setup().MarginLeft(), 1000);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind("These margins leave less than 1 inch (25.4 mm) each way to print on the paper of ", 0),
              0u)
        << Messages()[0];
    // The paper is the current printer's.
    EXPECT_GT(dialog.Setup().PaperWidth(), 5000);
    EXPECT_GT(dialog.Setup().PaperLength(), 5000);

    // Cancelled after a refusal: the margins stay.
    Script<TPageSetupForm>([](TPageSetupForm& d) {
        d.MarginEdit(0)->setText("9");
        d.OkButton()->click();
        d.CancelButton()->click();
    });
    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.Setup().MarginLeft(), 1000);
}

} // namespace
} // namespace korva::test
