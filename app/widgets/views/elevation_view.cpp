#include "elevation_view.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "main_window/main_form.h"
#include "project_session.h"
#include "ui_services.h"

namespace korva::app_widgets {

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QLine LineOf(const app::TPixelLine& line)
{
    return QLine(line.X1, line.Y1, line.X2, line.Y2);
}

// A label at its top row, or one text height lower.
void DrawLabel(QPainter& painter, const app::TPlacedLabel& label)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int top = label.Top + (label.BelowTop ? metrics.height() : 0);
    painter.drawText(QPoint(label.X, top + metrics.ascent()), Text(label.Text));
}

} // namespace

// The drawing area: paints the scene for its own size and reports the
// pointer's depth.
class TElevationCanvas : public QWidget {
public:
    explicit TElevationCanvas(TDlgSideView& view) : QWidget(&view), view_(view)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // The window opens at 648 x 460 with the Print button's row above.
    QSize sizeHint() const override { return QSize(648, 427); }
    QSize minimumSizeHint() const override { return QSize(40, 40); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        const app::TElevationScene scene = view_.Scene();
        painter.setPen(palette().color(QPalette::Text));
        for (const app::TPixelLine& line : scene.Lines)
            painter.drawLine(LineOf(line));
        for (const app::TPlacedLabel& label : scene.Labels)
            DrawLabel(painter, label);
        if (!scene.Pile.empty()) {
            QPolygon polygon;
            for (const app::TPixelPoint& point : scene.Pile)
                polygon << QPoint(point.X, point.Y);
            painter.setBrush(palette().color(QPalette::Text));
            painter.drawPolygon(polygon);
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        view_.PointerAt(event->position().toPoint().y());
        QWidget::mouseMoveEvent(event);
    }

private:
    TDlgSideView& view_;
};

TDlgSideView::TDlgSideView(app::TProjectSession& session, QWidget* parent)
    : QWidget(parent), session_(&session)
{
    setWindowTitle(QStringLiteral("Elevation View"));
    label1_ = new QLabel(QStringLiteral("Pile Geometry"), this);
    button1_ = new QPushButton(QStringLiteral("Print"), this);
    button1_->setMinimumSize(57, 33);
    canvas_ = new TElevationCanvas(*this);
    auto* top = new QHBoxLayout;
    top->addWidget(label1_);
    top->addStretch();
    top->addWidget(button1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(canvas_, 1);
    resize(648, 460);
    connect(button1_, &QPushButton::clicked, this, [this] { Print(); });
    Reload();
}

TDlgSideView::TDlgSideView(TMainForm& main) : TDlgSideView(main.Session())
{
    // In the main window the child window, not this widget, is activated.
    connect(main.MdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window && window->widget() == this)
            Reload();
    });
}

QWidget* TDlgSideView::Canvas() const
{
    return canvas_;
}

bool TDlgSideView::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Reload();
    return QWidget::event(event);
}

void TDlgSideView::Reload()
{
    profile_ = app::BuildElevationProfile(session_->Project(), session_->Tables().D);
    canvas_->update();
}

app::TElevationMapping TDlgSideView::Mapping() const
{
    // Made for the present size every time: a window that once had no area
    // draws again as soon as it has one.
    return app::TElevationMapping(profile_.Bounds, canvas_->width(), canvas_->height());
}

app::TElevationScene TDlgSideView::Scene() const
{
    return app::LayoutElevationScene(profile_, Mapping());
}

void TDlgSideView::PointerAt(int yPixel)
{
    const app::TElevationMapping mapping = Mapping();
    if (mapping.MapsDepths())
        setWindowTitle(Text(app::DepthReadout(mapping.DepthAt(yPixel))));
}

TProfilePrint TDlgSideView::Print()
{
    TProfilePrint result;
    std::unique_ptr<QPrinter> printer = widgets::Ui().Printers->ChoosePrinter(app::kProfileJobTitle);
    if (!printer)
        return result;
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(QString::fromLatin1(app::kProfileJobTitle));
    QPainter painter;
    if (!painter.begin(printer.get())) {
        widgets::Ui().Messages->Information("The profile could not be printed.");
        return result;
    }
    result.Page = app::LayoutProfilePage(profile_, printer->width(), printer->height());
    const app::TPixelRect& frame = result.Page.Frame;
    const QColor paper = palette().color(QPalette::Base);
    painter.fillRect(QRect(QPoint(frame.Left, frame.Top), QPoint(frame.Right, frame.Bottom)), paper);
    painter.setBackground(paper);
    painter.setPen(QPen(Qt::black, 12, Qt::SolidLine));
    painter.setFont(QFont(label1_->font(), printer.get()));
    for (const app::TPixelLine& line : result.Page.Lines)
        painter.drawLine(LineOf(line));
    for (const app::TPlacedLabel& label : result.Page.Labels)
        DrawLabel(painter, label);
    if (result.Page.Pile) {
        const app::TPixelRect& pile = *result.Page.Pile;
        painter.fillRect(QRect(QPoint(pile.Left, pile.Top), QPoint(pile.Right, pile.Bottom)), Qt::black);
    }
    // The page is written when the painter ends: a failure there (a full
    // disk under a PDF file) is no printed page.
    result.Printed = painter.end();
    result.Pages = result.Printed ? 1 : 0;
    if (!result.Printed)
        widgets::Ui().Messages->Information("The profile could not be printed.");
    return result;
}

} // namespace korva::app_widgets
