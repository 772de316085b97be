// The elevation view rendered offscreen: the pile as drawn, the depth in the
// caption, a window without area, a project changed elsewhere, printing.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gui_test.h"
#include "project_fixture.h"
#include "project_session.h"
#include "views/elevation_view.h"

namespace korva::test {
namespace {

using app_widgets::TDlgSideView;

// The three-layer English project in a session, with its view shown.
struct ShownView {
    ShownView()
    {
        ProjectHost fill; // the sample's values, copied into the session's tables
        MakeEnglishThreeLayers(session.Project(), fill);
        const TGridTable& d = fill.tables.D;
        session.Tables().D.SetRowCount(d.RowCount());
        for (int row = 0; row < d.RowCount(); ++row) {
            session.Tables().D.Cell(layer_col::SoilType, row).SetAsInteger(d.Cell(layer_col::SoilType, row).GetAsInteger());
            session.Tables().D.Cell(layer_col::LayerBottom, row).SetAsFloat(d.Cell(layer_col::LayerBottom, row).GetAsFloat());
        }
        view = std::make_unique<TDlgSideView>(session);
        view->show();
        ProcessEvents();
        view->Reload();
    }
    void MoveTo(int y)
    {
        QWidget* canvas = view->Canvas();
        QMouseEvent move(QEvent::MouseMove, QPointF(10, y), canvas->mapToGlobal(QPointF(10, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
    }
    app::TProjectSession session;
    std::unique_ptr<TDlgSideView> view;
};

int PileWidthInRow(const QImage& image, int y)
{
    int dark = 0;
    for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 64)
            ++dark;
    return dark;
}

TEST(ElevationView, StraightPileIsDrawnAsARectangleAndATaperNarrowsTheToe)
{
    ShownView v;
    EXPECT_EQ(v.view->windowTitle(), "Elevation View");
    app::TElevationScene scene = v.view->Scene();
    ASSERT_EQ(scene.Pile.size(), 4u); // P0, P1, P3, P2
    EXPECT_EQ(scene.Pile[0].X, scene.Pile[3].X);
    EXPECT_EQ(scene.Pile[1].X, scene.Pile[2].X);
    const QImage straight = v.view->Canvas()->grab().toImage();
    const int head = scene.Pile[0].Y + 2;
    const int toe = scene.Pile[2].Y - 2;
    EXPECT_GT(PileWidthInRow(straight, head), 4);
    EXPECT_EQ(PileWidthInRow(straight, toe), PileWidthInRow(straight, head));

    v.session.Project().TaperAngle = 0.8L;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(v.view.get(), &activate); // activation rebuilds the drawing
    scene = v.view->Scene();
    EXPECT_GT(scene.Pile[3].X, scene.Pile[0].X);
    EXPECT_LT(scene.Pile[2].X, scene.Pile[1].X);
    const QImage tapered = v.view->Canvas()->grab().toImage();
    EXPECT_LT(PileWidthInRow(tapered, toe), PileWidthInRow(tapered, head));
}

TEST(ElevationView, CaptionReadsTheDepthUnderThePointer)
{
    ShownView v;
    const app::TElevationMapping mapping = v.view->Mapping();
    const int y = mapping.YToPixel(12.5L);
    v.MoveTo(y);
    EXPECT_EQ(v.view->windowTitle().toStdString(), app::DepthReadout(mapping.DepthAt(y)));
    EXPECT_EQ(v.view->windowTitle().left(9), "  Depth: ");
    EXPECT_NEAR(v.view->windowTitle().mid(9).toDouble(), 12.5, 0.15);
}

TEST(ElevationView, RecoversAfterAWindowWithoutArea)
{
    ShownView v;
    v.view->Canvas()->setFixedHeight(0);
    ProcessEvents();
    EXPECT_TRUE(v.view->Scene().Lines.empty());
    v.MoveTo(0);
    EXPECT_EQ(v.view->windowTitle(), "Elevation View"); // no depth without area
    v.view->Canvas()->setMinimumHeight(0);
    v.view->Canvas()->setMaximumHeight(QWIDGETSIZE_MAX);
    v.view->resize(500, 400);
    ProcessEvents();
    EXPECT_GT(v.view->Canvas()->height(), 0);
    EXPECT_EQ(v.view->Scene().Pile.size(), 4u);
    v.MoveTo(50);
    EXPECT_EQ(v.view->windowTitle().left(9), "  Depth: ");
}

int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s")
            ++pages;
    return pages;
}

TEST(ElevationView, PrintsOneLandscapePage)
{
    ShownView v;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("profile.pdf");
    Recorded().Printers.PdfPath = pdf.toStdString();
    const app_widgets::TProfilePrint print = v.view->Print();
    EXPECT_TRUE(print.Printed);
    EXPECT_EQ(Recorded().Printers.JobTitles, std::vector<std::string>{"Soil-Pile Profile"});
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_GT(print.Page.Frame.Right - print.Page.Frame.Left, print.Page.Frame.Bottom - print.Page.Frame.Top);
    ASSERT_TRUE(print.Page.Pile);
    EXPECT_EQ(print.Page.Labels.size(), 3u);

    // A cancelled print dialog prints nothing.
    Recorded().Printers.PdfPath.clear();
    EXPECT_FALSE(v.view->Print().Printed);
    EXPECT_TRUE(Recorded().Messages.Shown.empty());
}

TEST(ElevationView, ProjectWithoutLayersDrawsAndPrintsThePile)
{
    ShownView v;
    v.session.Tables().D.SetRowCount(0);
    v.view->Reload();
    EXPECT_EQ(v.view->Scene().Pile.size(), 4u);
    EXPECT_TRUE(v.view->Scene().Labels.empty());
    QTemporaryDir dir;
    Recorded().Printers.PdfPath = dir.filePath("pile.pdf").toStdString();
    const app_widgets::TProfilePrint print = v.view->Print();
    EXPECT_EQ(PdfPages(dir.filePath("pile.pdf")), 1);
    EXPECT_TRUE(print.Page.Pile);
    EXPECT_TRUE(print.Page.Labels.empty());
}

} // namespace
} // namespace korva::test
