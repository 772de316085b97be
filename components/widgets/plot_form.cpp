#include "plot_form.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QActionGroup>
#include <QBuffer>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QImage>
#include <QImageWriter>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "atomic_file.h"
#include "exceptions.h"
#include "plot_dialog_models.h"
#include "plot_dialogs.h"
#include "ui_services.h"

namespace korva::widgets {

using namespace components;

namespace {

// Printing with margins that leave the paper less than an inch each way.
constexpr const char* kNoPrintableArea =
    "The margins leave less than 1 inch each way to print on this paper: the plot was not printed.\r"
    "Please make the margins smaller in Page Setup.";

// The legend list's font at 96 pixels per inch.
constexpr int kLegendFontPixels = 15;
// The legend list's font size in points, which the plot takes on.
constexpr int kLegendFontPoints = 11;

TPixelPoint PixelOf(const QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    return {at.x(), at.y()};
}

TMouseButton ButtonOf(const QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton: return TMouseButton::Left;
    case Qt::RightButton: return TMouseButton::Right;
    default: return TMouseButton::Other;
    }
}

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
    void mousePressEvent(QMouseEvent* event) override { form_.CanvasMousePress(event); }
    void mouseMoveEvent(QMouseEvent* event) override { form_.CanvasMouseMove(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { form_.CanvasMouseRelease(event); }

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
        return {QStyledItemDelegate::sizeHint(option, index).width(), legend_.ItemHeight()};
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
    // A plain one-pixel box, so that the entries' height plus 3 holds them
    // (a sunken box takes two pixels a side and cut off the last pixel row).
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
}

void TPlotLegend::updateGeometries()
{
    QListWidget::updateGeometries();
    verticalScrollBar()->setRange(0, 0);
    horizontalScrollBar()->setRange(0, 0);
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

QPoint TPlotLegend::InLegend(const QMouseEvent* event) const
{
    return viewport()->mapTo(this, event->position().toPoint());
}

void TPlotLegend::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    grab_ = InLegend(event);
}

void TPlotLegend::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const QPoint mouse = InLegend(event);
    const QWidget* canvas = parentWidget();
    form_.MoveLegend(DraggedLegend({x(), y()}, {mouse.x(), mouse.y()}, {grab_.x(), grab_.y()}, width(), height(),
                                   canvas->width(), canvas->height()));
}

void TPlotLegend::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

void TPlotLegend::mouseDoubleClickEvent(QMouseEvent* event)
{
    TGraphPlot* plot = form_.Plot();
    const int row = indexAt(event->position().toPoint()).row();
    if (plot && ToggleEntryLine(*plot, form_.View(), row))
        form_.LinesChanged();
}

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent) : QMdiSubWindow(parent), plot_(&plot)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("PlotForm"));

    view_ = OpenPlotView(plot);
    plot.LegendFont = kLegendFontPoints;
    // One inch each side until the page setup says otherwise.
    pageSetup_.Setup().SetOptions({poDefaultMinMargins, poThousandthsOfInches});
    pageSetup_.Setup().SetMargins({1000, 1000, 1000, 1000});

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    menuBar_ = new QMenuBar(body);
    canvas_ = new PlotCanvas(*this, body);
    canvas_->setFont(RotatedFont(BaseFontHeight(96), 400, 10));
    column->addWidget(menuBar_);
    column->addWidget(canvas_, 1);
    setWidget(body);
    band_ = new QRubberBand(QRubberBand::Rectangle, canvas_);
    BuildMenu();

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
        // The window opens maximized; restored (by its button, or when the
        // area maximizes another child) it keeps a size a plot can be read at.
        if (QMdiArea* area = mdiArea()) {
            const QSize room = area->viewport()->size();
            setGeometry(0, 0, std::max(room.width() * 3 / 4, 320), std::max(room.height() * 3 / 4, 240));
        }
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
    RebuildLineItems();
    SizeLegend();
    canvas_->update();
}

void TPlotForm::SizeLegend()
{
    const QFontMetrics metrics(legend_->font());
    int widest = 0;
    for (const TLegendEntry& entry : view_.Legend)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(entry.Text) + QStringLiteral(" *")));
    const TPixelSize size = LegendListSize(legend_->count(), legend_->ItemHeight(), widest, canvas_->logicalDpiX());
    legend_->resize(size.Width, size.Height);
}

void TPlotForm::Relayout(bool anchorLegend)
{
    if (!plot_)
        return;
    const int pixelsX = canvas_->logicalDpiX();
    const int pixelsY = canvas_->logicalDpiY();
    view_.ToBitmap = false;
    view_.WithLegendBox = false;
    const int h = ScaledFontHeight(BaseFontHeight(pixelsY), plot_->SizeFont);
    view_.Layout = FittedLayout(*plot_, view_.CurrentRange, canvas_, [&](const TLabelRoom& room) {
        return ScreenLayout(*plot_, canvas_->width(), canvas_->height(), pixelsX, pixelsY, h, room);
    });
    if (anchorLegend || anchorLegend_) {
        const TPixelPoint at = AnchoredLegend(view_.Layout.Plot, legend_->width(), legend_->height());
        legend_->move(at.X, at.Y);
    }
    KeepLegendInside();
    canvas_->update();
}

void TPlotForm::KeepLegendInside()
{
    MoveLegend(LegendInside({legend_->x(), legend_->y()}, legend_->width(), legend_->height(), canvas_->width(),
                            canvas_->height()));
}

void TPlotForm::MoveLegend(TPixelPoint at)
{
    legend_->move(at.X, at.Y);
    view_.LegendLeft = at.X;
    view_.LegendTop = at.Y;
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

void TPlotForm::CanvasMousePress(QMouseEvent* event)
{
    if (!plot_)
        return;
    if (zoom_.Press(ButtonOf(event), PixelOf(event), *plot_, view_))
        Relayout(false); // the labels of the new range may need other room
    if (zoom_.Zooming()) {
        band_->setGeometry(QRect(event->position().toPoint(), QSize()));
        band_->show();
    }
}

void TPlotForm::CanvasMouseMove(QMouseEvent* event)
{
    if (!plot_)
        return;
    setWindowTitle(QString::fromStdString(ReadoutCaption(*plot_, view_, PixelOf(event))));
    if (const auto band = zoom_.Move(PixelOf(event), view_))
        band_->setGeometry(QRect(QPoint(band->Left, band->Top), QPoint(band->Right, band->Bottom)));
}

void TPlotForm::CanvasMouseRelease(QMouseEvent* event)
{
    if (!plot_)
        return;
    const bool zoomed = zoom_.Release(ButtonOf(event), PixelOf(event), *plot_, view_);
    if (!zoom_.Zooming())
        band_->hide();
    if (zoomed)
        Relayout(false);
}

void TPlotForm::LinesChanged()
{
    canvas_->update();
    legend_->viewport()->update();
}

namespace {

// A submenu of choices by Tag; a click calls `click` with the Tag.
QMenu* AddChoices(QMenu* menu, const char* caption, const auto& choices, TPlotForm* form, void (TPlotForm::*click)(int),
                  std::vector<QAction*>* items = nullptr)
{
    QMenu* sub = menu->addMenu(QString::fromLatin1(caption));
    for (const TMenuChoice& choice : choices) {
        if (std::string_view(choice.Caption) == "-") {
            sub->addSeparator();
            continue;
        }
        QAction* action = sub->addAction(QString::fromLatin1(choice.Caption));
        const int tag = choice.Tag;
        action->setData(tag);
        QObject::connect(action, &QAction::triggered, form, [form, click, tag] { (form->*click)(tag); });
        if (items)
            items->push_back(action);
    }
    return sub;
}

} // namespace

void TPlotForm::BuildMenu()
{
    plotMenu_ = menuBar_->addMenu(QString::fromLatin1(kPlotMenuCaption));
    for (int item = 0; item < kPlotMenuFixedItems; ++item) {
        const char* caption = kPlotMenuCaptions[static_cast<std::size_t>(item)];
        QAction* action = nullptr;
        switch (item) {
        case pmShowMarkers:
            action = AddChoices(plotMenu_, caption, kMarkerChoices, this, &TPlotForm::MarkersClick, &markerItems_)
                         ->menuAction();
            break;
        case pmFontSize:
            action = AddChoices(plotMenu_, caption, kFontSizeChoices, this, &TPlotForm::FontSizeClick)->menuAction();
            break;
        case pmLineWidth:
            action = AddChoices(plotMenu_, caption, kLineWidthChoices, this, &TPlotForm::LineWidthClick)->menuAction();
            break;
        case pmSeparator1:
        case pmSeparator2: action = plotMenu_->addSeparator(); break;
        default: action = plotMenu_->addAction(QString::fromLatin1(caption)); break;
        }
        fixedItems_[static_cast<std::size_t>(item)] = action;
    }
    for (const TPlotMenuItem item : {pmShowLegend, pmShowSoilLayer, pmShowWallGeometry})
        fixedItems_[item]->setCheckable(true);
    // The markers are radio items; none is checked for a count the menu lacks.
    auto* markers = new QActionGroup(this);
    markers->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* action : markerItems_) {
        action->setCheckable(true);
        markers->addAction(action);
    }
    const auto on = [this](TPlotMenuItem item, auto handler) {
        connect(fixedItems_[item], &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(pmShowLegend, &TPlotForm::ShowLegendClick);
    on(pmShowSoilLayer, &TPlotForm::ShowLayersClick);
    on(pmShowWallGeometry, &TPlotForm::ShowWallClick);
    on(pmGraphTitle, &TPlotForm::GraphTitleClick);
    on(pmEditLegend, &TPlotForm::EditLegendClick);
    on(pmActiveCurves, &TPlotForm::ActiveCurvesClick);
    on(pmPrint, &TPlotForm::PrintClick);
    on(pmPageSetup, &TPlotForm::PageSetupClick);
    on(pmSaveToDisk, &TPlotForm::SaveToDiskClick);
    connect(plotMenu_, &QMenu::aboutToShow, this, &TPlotForm::UpdatePlotMenu);

    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] {
        const QRect title = menuBar_->actionGeometry(plotMenu_->menuAction());
        plotMenu_->popup(menuBar_->mapToGlobal(title.bottomLeft()));
    });
}

void TPlotForm::RebuildLineItems()
{
    for (QAction* action : lineItems_) {
        plotMenu_->removeAction(action);
        delete action;
    }
    lineItems_.clear();
    for (const TLegendEntry& entry : view_.Legend) {
        QAction* action = plotMenu_->addAction(QString::fromStdString(entry.Text));
        action->setCheckable(true);
        const TLine* line = plot_ ? plot_->FindLine(entry.LineIndex) : nullptr;
        action->setChecked(line && line->Visible);
        const int lineIndex = entry.LineIndex;
        action->setData(lineIndex);
        connect(action, &QAction::triggered, this, [this, lineIndex] { LineMenuClick(lineIndex); });
        lineItems_.push_back(action);
    }
}

void TPlotForm::UpdatePlotMenu()
{
    if (!plot_)
        return;
    const TPlotMenuState state = PlotMenuState(*plot_, view_);
    fixedItems_[pmShowLegend]->setVisible(state.LegendVisible);
    fixedItems_[pmShowLegend]->setChecked(state.LegendChecked);
    fixedItems_[pmShowSoilLayer]->setVisible(state.LayersVisible);
    fixedItems_[pmShowSoilLayer]->setChecked(state.LayersChecked);
    fixedItems_[pmShowWallGeometry]->setVisible(state.WallVisible);
    fixedItems_[pmShowWallGeometry]->setEnabled(state.WallEnabled);
    fixedItems_[pmShowWallGeometry]->setChecked(state.WallChecked);
    fixedItems_[pmFontSize]->setVisible(state.FontWidthVisible);
    fixedItems_[pmLineWidth]->setVisible(state.FontWidthVisible);
    for (QAction* action : markerItems_)
        action->setChecked(action->data().toInt() == state.MarkersChecked);
    for (std::size_t i = 0; i < lineItems_.size() && i < state.LineChecked.size(); ++i)
        lineItems_[i]->setChecked(state.LineChecked[i]);
}

void TPlotForm::ShowLegendClick()
{
    if (!plot_)
        return;
    plot_->ShowLegend = !plot_->ShowLegend;
    legend_->setVisible(plot_->ShowLegend);
}

void TPlotForm::ShowLayersClick()
{
    if (!plot_)
        return;
    plot_->ShowLayers = !plot_->ShowLayers;
    Relayout(true);
}

void TPlotForm::ShowWallClick()
{
    if (!plot_)
        return;
    plot_->ShowWall = !plot_->ShowWall;
    Relayout(true);
}

void TPlotForm::MarkersClick(int tag)
{
    if (!plot_)
        return;
    plot_->Markers = tag;
    canvas_->update();
}

void TPlotForm::FontSizeClick(int tag)
{
    if (!plot_)
        return;
    plot_->SizeFont = tag;
    SetupLegend(tag);
    Relayout(true);
}

void TPlotForm::LineWidthClick(int tag)
{
    if (!plot_)
        return;
    plot_->WidthLine = tag;
    canvas_->update();
}

void TPlotForm::SetupLegend(int factor)
{
    if (!plot_)
        return;
    const TLegendFont font = LegendFontFor(factor, plot_->LegendFont);
    QFont legendFont = legend_->font();
    legendFont.setPixelSize(std::max(1, PointsToPixels(font.Points, canvas_->logicalDpiY())));
    legend_->setFont(legendFont);
    legend_->SetItemHeight(std::max(1, font.ItemHeight));
    legend_->doItemsLayout();
    SizeLegend();
}

void TPlotForm::GraphTitleClick()
{
    if (!plot_)
        return;
    TfrmGraphCaption dialog(this, *plot_);
    RunDialog(dialog);
    // However the dialog was closed.
    ApplyGraphCaption(*plot_, dialog.Text(), dialog.OnTop());
    Relayout(false);
}

void TPlotForm::EditLegendClick()
{
    if (!plot_)
        return;
    TfrmLineNames dialog(this, *plot_);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    ApplyLegendNames(*plot_, view_, dialog.Names().Names());
    SetLegendEntries(view_.Legend);
}

void TPlotForm::ActiveCurvesClick()
{
    if (!plot_)
        return;
    TfrmActiveLines dialog(this, *plot_);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    ApplyActiveCurves(*plot_, view_, dialog.Rows());
    SetLegendEntries(view_.Legend);
}

void TPlotForm::LineMenuClick(int lineIndex)
{
    TLine* line = plot_ ? plot_->FindLine(lineIndex) : nullptr;
    if (!line)
        return;
    line->Visible = !line->Visible;
    LinesChanged();
}

bool TPlotForm::PageSetupClick()
{
    return pageSetup_.Execute(this);
}

TPlotPrint TPlotForm::PrintClick()
{
    TPlotPrint result;
    if (!plot_)
        return result;
    const std::unique_ptr<QPrinter> printer = Ui().Printers->ChoosePrinter(plot_->Caption);
    if (!printer)
        return result;
    printer->setDocName(QString::fromStdString(plot_->Caption));
    const int pixelsX = printer->logicalDpiX();
    const int pixelsY = printer->logicalDpiY();
    // The printable area's offsets from the paper's edges: the painter's
    // origin lies there.
    const QPageLayout page = printer->pageLayout();
    const QRect printable = page.paintRectPixels(printer->resolution());
    const QRect paper = page.fullRectPixels(printer->resolution());
    const int offsetX = printable.left() - paper.left();
    const int offsetY = printable.top() - paper.top();

    // The window's own view stays as it is: the page is drawn from a copy.
    TPlotView printed = view_;
    printed.ToBitmap = false;
    printed.WithLegendBox = true;
    const TPixelRect client = PrintClientRect(pageSetup_.Setup().MarginsInThousandthsOfInch(), pixelsX, pixelsY,
                                              offsetX, offsetY, printer->width(), printer->height());
    // Margins that leave less than an inch each way on the paper chosen: no
    // blank page, but a message.
    if (client.Width() < pixelsX || client.Height() < pixelsY) {
        Ui().Messages->Information(kNoPrintableArea);
        return result;
    }
    QPainter painter;
    if (!painter.begin(printer.get())) {
        Ui().Messages->Information("The plot could not be printed.");
        return result;
    }
    const int h = ScaledFontHeight(BaseFontHeight(pixelsY), plot_->SizeFont);
    printed.Layout = FittedLayout(*plot_, printed.CurrentRange, printer.get(), [&](const TLabelRoom& room) {
        return PrintLayout(*plot_, client, pixelsX, pixelsY, h, room);
    });
    result.Paint = PaintPlot(painter, *plot_, printed);
    result.Printed = painter.end();
    result.Pages = result.Printed ? 1 : 0;
    result.Layout = printed.Layout;
    result.PrintableOrigin = {offsetX, offsetY};
    if (!result.Printed)
        Ui().Messages->Information("The plot could not be printed.");
    canvas_->update();
    return result;
}

void TPlotForm::ShowBitmapFailure(const std::string& text)
{
    Ui().Messages->Information(text);
}

TPlotBitmap TPlotForm::SaveToDiskClick()
{
    TPlotBitmap result;
    if (!plot_)
        return result;
    TFileDialogOptions options;
    options.Filters = {"Bitmap (*.bmp)"};
    if (DocumentFolder)
        options.InitialDir = DocumentFolder();
    options.DefaultExtension = "bmp";
    options.OverwritePrompt = true;
    const auto chosen = Ui().Files->Save(options);
    if (!chosen)
        return result;

    std::optional<TBitmapSize> size;
    {
        TdlgFormat dialog(this);
        const int answer = RunDialog(dialog);
        if (answer == kDialogAbort) {
            ShowBitmapFailure(kNotEnoughMemory);
            return result;
        }
        if (answer != QDialog::Accepted || !dialog.Size())
            return result;
        size = dialog.Size();
    }
    QImage image(size->Width, size->Height, QImage::Format_RGB32);
    if (image.isNull()) {
        ShowBitmapFailure(kNotEnoughMemory);
        return result;
    }
    // Drawn at the screen's resolution on a copy of the window's view.
    TPlotView bitmap = view_;
    bitmap.ToBitmap = true;
    bitmap.WithLegendBox = true;
    const int pixelsX = canvas_->logicalDpiX();
    const int pixelsY = canvas_->logicalDpiY();
    const int h = ScaledFontHeight(BaseFontHeight(pixelsY), plot_->SizeFont);
    bitmap.Layout = FittedLayout(*plot_, bitmap.CurrentRange, &image, [&](const TLabelRoom& room) {
        return BitmapLayout(*plot_, size->Width, size->Height, pixelsX, pixelsY, h, room);
    });
    TPlotPaint painted;
    {
        QPainter painter(&image);
        painted = PaintPlot(painter, *plot_, bitmap);
    }
    // The file carries the resolution chosen, so that it prints at its size.
    const int dotsPerMeter =
        static_cast<int>(std::min<long long>(std::llround(size->PixelsPerInch / 0.0254), INT_MAX));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);

    // Made whole in memory, then saved as every file of the program is.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image)) {
        ShowBitmapFailure("Cannot write file \"" + chosen->FileName + "\". " + writer.errorString().toStdString());
        return result;
    }
    try {
        components::ReplaceFile(chosen->FileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const components::EInOutError& e) {
        ShowBitmapFailure(e.what());
        return result;
    }
    result.Saved = true;
    result.FileName = chosen->FileName;
    result.Width = size->Width;
    result.Height = size->Height;
    result.Layout = bitmap.Layout;
    result.Paint = std::move(painted);
    canvas_->update();
    return result;
}

std::unique_ptr<TPlotWindow> TMdiPlotHost::CreatePlotWindow(TGraphPlot& plot)
{
    auto form = std::make_unique<TPlotForm>(plot);
    form->DocumentFolder = documentFolder_;
    if (area_)
        area_->addSubWindow(form.get());
    return form;
}

} // namespace korva::widgets
