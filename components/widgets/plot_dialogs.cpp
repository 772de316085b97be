#include "plot_dialogs.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "data_edit.h"
#include "dialog_buttons.h"
#include "ui_services.h"

namespace korva::widgets {

using namespace components;

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QColor ColorOf(std::uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QRect ToQRect(const TPixelRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TPixelSize SizeOf(const QWidget* widget)
{
    const QSize hint = widget->sizeHint();
    return {hint.width(), hint.height()};
}

// A numeric entry of Save Attributes with its label, in a row of the grid.
TDataEdit* AddEntry(QGridLayout* grid, int row, const char* caption, const char* units, Extended min,
                    Extended initial, QWidget* owner)
{
    auto* label = new QLabel(owner);
    auto* edit = new TDataEdit(owner);
    edit->SetUnits(kUnitsPlaceholders);
    edit->SetUnitsString(units);
    edit->SetCaption(caption);
    edit->SetEditLabel(label);
    edit->SetMinVal(min);
    edit->SetNumber(initial);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

// ---------------------------------------------------------------------------

TdlgFormat::TdlgFormat(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Save Attributes"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint); // no border icons

    auto* grid = new QGridLayout;
    height_ = AddEntry(grid, 0, "&Height", "in", 2.0L, 4.0L, this);
    width_ = AddEntry(grid, 1, "&Width", "in", 2.0L, 6.0L, this);
    pixels_ = AddEntry(grid, 2, "&Pixels Per Inch", "", 10.0L, 72.0L, this);
    pixels_->SetIntegerOnly(true);
    pixels_->SetMaxVal(2147483647.0L);
    pixels_->SetMinVal(10.0L);
    pixels_->SetNumber(72.0L);

    // The colour depth is not offered to the file: a 24-bit bitmap is written
    // whatever is chosen here.
    auto* colors = new QGroupBox(QStringLiteral("Colors"), this);
    auto* colorsLayout = new QVBoxLayout(colors);
    for (const char* text : {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)", "True Color (24 bit)"}) {
        auto* button = new QRadioButton(QString::fromLatin1(text), colors);
        button->setChecked(QLatin1String(text) == QLatin1String("16 Colors"));
        colorsLayout->addWidget(button);
    }

    const TOkCancelRow buttons = MakeOkCancelRow(this, [this] { OkClick(); });
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(colors);
    layout->addLayout(buttons.Row);
}

void TdlgFormat::OkClick()
{
    for (TDataEdit* edit : {height_, width_, pixels_})
        if (!ValidateDataEdit(edit))
            return;
    TBitmapAttributes attributes;
    attributes.HeightInches = height_->Number();
    attributes.WidthInches = width_->Number();
    attributes.PixelsPerInch = pixels_->Number();
    size_ = BitmapSize(attributes);
    done(size_ ? QDialog::Accepted : kDialogAbort);
}

// ---------------------------------------------------------------------------

TfrmGraphCaption::TfrmGraphCaption(QWidget* owner, const TGraphPlot& plot) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Graph Caption"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* label = new QLabel(QStringLiteral("Enter Graph Caption"), this);
    field_ = new QLineEdit(Q(plot.GraphTitle), this);
    label->setBuddy(field_);
    auto* location = new QGroupBox(QStringLiteral("Caption Location"), this);
    top_ = new QRadioButton(QStringLiteral("Top"), location);
    bottom_ = new QRadioButton(QStringLiteral("Bottom"), location);
    (plot.TitleOnTop ? top_ : bottom_)->setChecked(true);
    auto* locationLayout = new QHBoxLayout(location);
    locationLayout->addWidget(top_);
    locationLayout->addWidget(bottom_);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(location);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

std::string TfrmGraphCaption::Text() const
{
    return field_->text().toStdString();
}

bool TfrmGraphCaption::OnTop() const
{
    return top_->isChecked();
}

// ---------------------------------------------------------------------------

TfrmLineNames::TfrmLineNames(QWidget* owner, const TGraphPlot& plot) : QDialog(owner), names_(plot)
{
    setWindowTitle(QStringLiteral("Legend"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    label_ = new QLabel(QStringLiteral("Select line to modify:"), this);
    list_ = new QListWidget(this);
    fieldLabel_ = new QLabel(QStringLiteral("Type new legend below:"), this);
    field_ = new QLineEdit(this);
    QPalette palette = field_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    field_->setPalette(palette);
    fieldLabel_->setBuddy(field_);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    // Enter belongs to the field (it commits the name), not to a default button.
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    for (const std::string& name : names_.Names())
        list_->addItem(Q(name));
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { SelectRow(row); });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { SelectRow(list_->row(item)); });
    connect(field_, &QLineEdit::returnPressed, this, [this] { CommitField(); });
    field_->installEventFilter(this);
    if (list_->count() > 0)
        list_->setCurrentRow(0);

    setMinimumSize(kLegendDialogMinimum.Width, kLegendDialogMinimum.Height);
    resize(260, 300);
}

void TfrmLineNames::SelectRow(int row)
{
    names_.Select(row);
    field_->setText(Q(names_.SelectedName()));
    QPalette palette = field_->palette();
    palette.setColor(QPalette::Text, ColorOf(names_.SelectedColor()));
    field_->setPalette(palette);
}

void TfrmLineNames::CommitField()
{
    const TLegendNamesList::TCommit commit = names_.Commit(field_->text().toStdString());
    if (!commit.Message.empty())
        Ui().Messages->Information(commit.Message);
    field_->setText(Q(commit.FieldText));
    if (QListWidgetItem* item = list_->item(names_.Selected()))
        item->setText(Q(names_.SelectedName()));
}

bool TfrmLineNames::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the field stores its text as Enter does.
    if (watched == field_ && event->type() == QEvent::FocusOut)
        CommitField();
    return QDialog::eventFilter(watched, event);
}

void TfrmLineNames::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->geometry();
        move(area.left() + (area.width() - frameGeometry().width()) / 2,
             area.top() + (area.height() - frameGeometry().height()) / 2);
    }
}

void TfrmLineNames::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    TLegendDialogControls controls;
    controls.LabelHeight = label_->sizeHint().height();
    controls.FieldLabelHeight = fieldLabel_->sizeHint().height();
    controls.FieldHeight = field_->sizeHint().height();
    controls.Button = SizeOf(ok_);
    const TLegendDialogLayout layout = LegendDialogLayout({width(), height()}, controls);
    label_->setGeometry(ToQRect(layout.Label));
    list_->setGeometry(ToQRect(layout.List));
    fieldLabel_->setGeometry(ToQRect(layout.FieldLabel));
    field_->setGeometry(ToQRect(layout.Field));
    ok_->setGeometry(ToQRect(layout.Ok));
    cancel_->setGeometry(ToQRect(layout.Cancel));
}

// ---------------------------------------------------------------------------

TfrmActiveLines::TfrmActiveLines(QWidget* owner, const TGraphPlot& plot) : QDialog(owner), rows_(plot)
{
    setWindowTitle(QStringLiteral("Active Curves"));
    label_ = new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this);
    active_ = new QLabel(QStringLiteral("Active :"), this);
    curve_ = new QLabel(QStringLiteral("Curve"), this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    toggle_ = new QPushButton(QStringLiteral("Activate/Deactivate Selected"), this);
    all_ = new QPushButton(QStringLiteral("Activate All"), this);
    none_ = new QPushButton(QStringLiteral("Deactivate All"), this);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    for (QPushButton* button : {toggle_, all_, none_, ok_, cancel_})
        button->setAutoDefault(false);

    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        rows_.Toggle(list_->currentRow());
        ShowRows();
    });
    connect(toggle_, &QPushButton::clicked, this, [this] { ToggleSelected(); });
    connect(all_, &QPushButton::clicked, this, [this] {
        rows_.SetAll(true);
        ShowRows();
    });
    connect(none_, &QPushButton::clicked, this, [this] {
        rows_.SetAll(false);
        ShowRows();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    for (int row = 0; row < rows_.Count(); ++row)
        list_->addItem(Q(rows_.RowText(row)));
    if (list_->count() > 0)
        list_->setCurrentRow(0, QItemSelectionModel::NoUpdate); // focused, not selected

    setMinimumSize(kActiveCurvesMinimum.Width, kActiveCurvesMinimum.Height);
    resize(300, 340);
}

void TfrmActiveLines::ShowRows()
{
    for (int row = 0; row < list_->count() && row < rows_.Count(); ++row)
        list_->item(row)->setText(Q(rows_.RowText(row)));
}

void TfrmActiveLines::ToggleSelected()
{
    std::vector<int> selected;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->isSelected())
            selected.push_back(row);
    rows_.ToggleSelected(selected, list_->currentRow());
    ShowRows();
}

void TfrmActiveLines::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    TActiveCurvesControls controls;
    controls.LabelHeight = label_->sizeHint().height();
    controls.Active = SizeOf(active_);
    controls.Curve = SizeOf(curve_);
    controls.ToggleSelected = SizeOf(toggle_);
    controls.ActivateAll = SizeOf(all_);
    controls.DeactivateAll = SizeOf(none_);
    controls.Button = SizeOf(ok_);
    const TActiveCurvesLayout layout = ActiveCurvesLayout({width(), height()}, controls);
    label_->setGeometry(ToQRect(layout.Label));
    active_->setGeometry(ToQRect(layout.Active));
    curve_->setGeometry(ToQRect(layout.Curve));
    list_->setGeometry(ToQRect(layout.List));
    toggle_->setGeometry(ToQRect(layout.ToggleSelected));
    all_->setGeometry(ToQRect(layout.ActivateAll));
    none_->setGeometry(ToQRect(layout.DeactivateAll));
    ok_->setGeometry(ToQRect(layout.Ok));
    cancel_->setGeometry(ToQRect(layout.Cancel));
}

} // namespace korva::widgets
