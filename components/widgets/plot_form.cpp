#include "plot_form.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMdiArea>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>

namespace korva::widgets {

using namespace components;

namespace {

// The legend list's font and entry height at 96 pixels per inch.
constexpr int kLegendFontPixels = 15;
constexpr int kLegendItemHeight = 16;
// The legend list's font size in points, which the plot takes on.
constexpr int kLegendFontPoints = 11;

class PlotCanvas : public QWidget {
public:
    PlotCanvas(TPlotForm& form, QWidget* parent) : QWidget(parent), form_(form)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        form_.PaintCanvas(painter);
    }
    void resizeEvent(QResizeEvent*) override { form_.Relayout(false); }

private:
    TPlotForm& form_;
};

// Draws an entry white-filled in the colour of its curve, 4 pixels in.
class LegendDelegate : public QStyledItemDelegate {
public:
    explicit LegendDelegate(TPlotLegend& legend) : QStyledItemDelegate(&legend), legend_(legend) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->fillRect(option.rect, Qt::white);
        const std::uint32_t rgb = PlotColor(index.row());
        painter->setPen(QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
        painter->setFont(legend_.font());
        painter->drawText(option.rect.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          legend_.EntryText(index.row()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kLegendItemHeight};
    }

private:
    TPlotLegend& legend_;
};

} // namespace

TPlotLegend::TPlotLegend(TPlotForm& form, QWidget* parent) : QListWidget(parent), form_(form)
{
    setFont(RotatedFont(kLegendFontPixels, 400, 10));
    setItemDelegate(new LegendDelegate(*this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
}

QString TPlotLegend::EntryText(int row) const
{
    const auto& legend = form_.View().Legend;
    if (row < 0 || row >= static_cast<int>(legend.size()))
        return {};
    QString text = QString::fromStdString(legend[static_cast<std::size_t>(row)].Text);
    const TGraphPlot* plot = form_.Plot();
    const TLine* line = plot ? plot->FindLine(legend[static_cast<std::size_t>(row)].LineIndex) : nullptr;
    if (line && line->Visible)
        text += QStringLiteral(" *");
    return text;
}

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent) : QMdiSubWindow(parent), plot_(&plot)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("PlotForm"));

    view_ = OpenPlotView(plot);
    plot.LegendFont = kLegendFontPoints;

    canvas_ = new PlotCanvas(*this, this);
    canvas_->setFont(RotatedFont(BaseFontHeight(96), 400, 10));
    setWidget(canvas_);

    legend_ = new TPlotLegend(*this, canvas_);
    SetLegendEntries(view_.Legend);
    legend_->setVisible(plot.LineCount() > 0 && plot.ShowLegend);
    Relayout(true);
}

TPlotForm::~TPlotForm()
{
    ReleasePlot();
}

void TPlotForm::ReleasePlot()
{
    if (TGraphPlot* plot = plot_) {
        plot_ = nullptr;
        plot->WindowClosed(this);
    }
}

void TPlotForm::closeEvent(QCloseEvent* event)
{
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        ReleasePlot(); // frees itself (delete on close); the plot builds a new window next time
}

void TPlotForm::ShowWindow()
{
    if (!shown_) {
        shown_ = true;
        showMaximized();
    } else if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    raise();
}

void TPlotForm::SetLegendEntries(std::vector<TLegendEntry> entries)
{
    view_.Legend = std::move(entries);
    legend_->clear();
    for (const TLegendEntry& entry : view_.Legend)
        legend_->addItem(QString::fromStdString(entry.Text));
    SizeLegend();
    canvas_->update();
}

void TPlotForm::SizeLegend()
{
    const QFontMetrics metrics(legend_->font());
    int widest = 0;
    for (int row = 0; row < legend_->count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(legend_->EntryText(row) + QStringLiteral(" *")));
    const int width = std::max(21, widest + canvas_->logicalDpiX() / 4);
    legend_->resize(width, legend_->count() * kLegendItemHeight + 3);
}

void TPlotForm::Relayout(bool anchorLegend)
{
    if (!plot_)
        return;
    const int pixelsX = canvas_->logicalDpiX();
    const int pixelsY = canvas_->logicalDpiY();
    view_.ToBitmap = false;
    view_.WithLegendBox = false;
    view_.Layout = ScreenLayout(*plot_, canvas_->width(), canvas_->height(), pixelsX, pixelsY,
                                ScaledFontHeight(BaseFontHeight(pixelsY), plot_->SizeFont));
    if (anchorLegend || anchorLegend_)
        legend_->move(view_.Layout.Plot.Right - legend_->width(), view_.Layout.Plot.Bottom - legend_->height());
    KeepLegendInside();
    canvas_->update();
}

void TPlotForm::KeepLegendInside()
{
    QPoint at = legend_->pos();
    if (at.x() + legend_->width() > canvas_->width())
        at.setX(canvas_->width() - legend_->width());
    at.setX(std::max(at.x(), 0));
    if (at.y() + legend_->height() > canvas_->height())
        at.setY(canvas_->height() - legend_->height());
    at.setY(std::max(at.y(), 0));
    legend_->move(at);
    view_.LegendLeft = at.x();
    view_.LegendTop = at.y();
    view_.WindowWidth = width();
    view_.WindowHeight = height();
}

void TPlotForm::SetClientSize(int width, int height)
{
    if (isMaximized() || isMinimized())
        showNormal();
    resize(size() - canvas_->size() + QSize(width, height));
    if (layout())
        layout()->activate();
}

void TPlotForm::PaintCanvas(QPainter& painter)
{
    if (!plot_) {
        painter.fillRect(canvas_->rect(), Qt::white);
        return;
    }
    anchorLegend_ = false;
    lastPaint_ = PaintPlot(painter, *plot_, view_);
}

std::unique_ptr<TPlotWindow> TMdiPlotHost::CreatePlotWindow(TGraphPlot& plot)
{
    auto form = std::make_unique<TPlotForm>(plot);
    if (area_)
        area_->addSubWindow(form.get());
    return form;
}

} // namespace korva::widgets
