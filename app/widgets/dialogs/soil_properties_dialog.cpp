#include "dialogs/soil_properties_dialog.h"

#include <limits>

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "data_edit.h"
#include "entry_focus.h"
#include "exceptions.h"
#include "ui_services.h"
#include "views/chart_form.h"

namespace korva::app_widgets {

using app::TSoilInput;
using components::Extended;

namespace {

constexpr int kPageSand = 0, kPageClay = 1, kPageSilt = 2;

int PageOf(int soilType)
{
    return soilType == app::kClay ? kPageClay : soilType == app::kSilt ? kPageSilt : kPageSand;
}

} // namespace

TDlgSoils::TDlgSoils(app::TProgramData& project, app::TGridTable& D, std::function<void()> onModified,
                     QWidget* parent)
    : QDialog(parent), project_(&project), D_(&D), onModified_(std::move(onModified))
{
    setObjectName("DlgSoils");
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->addTab(BuildPage(app::kSand), "Sand");
    pages_->addTab(BuildPage(app::kClay), "Clay");
    pages_->addTab(BuildPage(app::kSilt), "Silt");
    layout->addWidget(pages_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgSoils::AddNote(TPage& page, QGridLayout* grid, int& line, const QString& text, TSoilInput input,
                        bool heading)
{
    auto* label = new QLabel(text);
    if (heading) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    grid->addWidget(label, line++, 0, 1, 3);
    page.Notes.push_back({label, input});
}

void TDlgSoils::AddRow(TPage& page, QGridLayout* grid, int& line, const app::TSoilField& field)
{
    TFieldRow row{field, nullptr, {}};
    QWidget* caption = nullptr;
    if (field.Input == TSoilInput::FrictionAngle || field.Input == TSoilInput::BlowCounts) {
        auto* radio = new QRadioButton(QString::fromStdString(field.Caption));
        (field.Input == TSoilInput::FrictionAngle ? page.Angle : page.BlowCounts) = radio;
        connect(radio, &QRadioButton::toggled, this, [this] {
            if (loading_)
                return;
            state_.BlowCountChoice = Shown().BlowCounts && Shown().BlowCounts->isChecked();
            state_.ChoicePicked = true;
            ApplyEnabling();
        });
        caption = radio;
    } else {
        row.Label = new QLabel;
        caption = row.Label;
    }
    grid->addWidget(caption, line, 0);
    for (int r = 0; r < 2; ++r) {
        auto* edit = new widgets::TDataEdit;
        edit->setObjectName(QString("Column%1Row%2").arg(field.Column).arg(r));
        edit->SetUnitsString(field.UnitsString);
        if (field.Input == TSoilInput::BlowCounts) {
            // Stored as integers: a count beyond their range is refused here.
            edit->SetMaxVal(std::numeric_limits<std::int32_t>::max());
            edit->SetMinVal(std::numeric_limits<std::int32_t>::min());
        }
        edit->SetStoredForm([field](Extended value) { return app::StoredSoilValue(field, value); });
        grid->addWidget(edit, line, 1 + r);
        row.Edits[static_cast<std::size_t>(r)] = edit;
    }
    if (row.Label) {
        row.Edits[0]->SetCaption(field.Caption);
        row.Edits[0]->SetEditLabel(row.Label);
    }
    page.Fields.Add(field.Name + ".Top", row.Edits[0]);
    page.Fields.Add(field.Name + ".Bottom", row.Edits[1]);
    ++line;
    page.Rows.push_back(row);
}

QWidget* TDlgSoils::BuildPage(int soilType)
{
    TPage& page = page_[static_cast<std::size_t>(PageOf(soilType))];
    auto* widget = new QWidget;
    auto* outer = new QVBoxLayout(widget);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    int line = 0;
    grid->addWidget(new QLabel("Values at"), line, 0);
    grid->addWidget(new QLabel("Top of Layer"), line, 1);
    grid->addWidget(new QLabel("Bottom of Layer"), line, 2);
    ++line;

    const auto& fields = app::SoilPageFields(soilType);
    const auto add = [&](int column) {
        for (const app::TSoilField& f : fields)
            if (f.Column == column)
                AddRow(page, grid, line, f);
    };
    if (soilType == app::kSand) {
        add(app::sand_col::EffectiveUnitWeight);
        AddNote(page, grid, line, "2. Friction Angle (Degrees)", TSoilInput::UnitWeight);
        AddNote(page, grid, line, "(See Manuals for conversion reference)", TSoilInput::UnitWeight);
        add(app::sand_col::FrictionAngle);
        add(app::sand_col::BlowCounts);
        for (QLabel*& text : koTexts_) {
            AddNote(page, grid, line, {}, TSoilInput::Ko, &text == &koTexts_[0]);
            text = page.Notes.back().first;
        }
        add(app::sand_col::Ko);
        add(app::sand_col::Nq);
        AddNote(page, grid, line, "(API has a range of values for Nq from 8 to", TSoilInput::Nq);
        AddNote(page, grid, line, "50 according to density of sand)", TSoilInput::Nq);
        AddNote(page, grid, line, "4. Data for User-Specified Load Transfers", TSoilInput::UserValues, true);
        add(app::sand_col::UserUnitSkinFriction);
        add(app::sand_col::UserUnitEndBearing);
        add(app::sand_col::ConeResistance);
        AddNote(page, grid, line, "(Only used in Offshore Computation Methods)", TSoilInput::ConeResistance);
    } else if (soilType == app::kClay) {
        add(app::clay_col::EffectiveUnitWeight);
        add(app::clay_col::UndrainedShearStrength);
        add(app::clay_col::RemoldedShearStrength);
        AddNote(page, grid, line, "(Only used for open-ended pipe piles, for the skin friction",
                TSoilInput::RemoldedStrength);
        AddNote(page, grid, line, "inside the pipe as the soil plug enters it)", TSoilInput::RemoldedStrength);
        AddNote(page, grid, line, "4. Data for User-Specified Load Transfers", TSoilInput::UserValues, true);
        add(app::clay_col::UserUnitSkinFriction);
        add(app::clay_col::UserUnitEndBearing);
        add(app::clay_col::ConeResistance);
        AddNote(page, grid, line, "(Only used in Offshore Computation Methods)", TSoilInput::ConeResistance);
        AddNote(page, grid, line, "6. Data for ICP/MTD Computation Method", TSoilInput::PiYsr, true);
        add(app::clay_col::PlasticityIndex);
        add(app::clay_col::YieldStressRatio);

        adhesionHeading_ = new QLabel("7. Estimation of Adhesion Factor ");
        adhesionNote_ = new QLabel("(Only for FHWA Method)");
        grid->addWidget(adhesionHeading_, line, 0);
        grid->addWidget(adhesionNote_, line++, 1, 1, 2);
        adhesion_ = new QComboBox;
        for (const char* item : app::kAdhesionItems)
            adhesion_->addItem(item);
        graphButton_ = new QPushButton("Show Graph");
        grid->addWidget(adhesion_, line, 0, 1, 2);
        grid->addWidget(graphButton_, line++, 2);
        connect(adhesion_, &QComboBox::currentIndexChanged, this, &TDlgSoils::AdhesionChanged);
        page.Fields.Add("AdhesionMethod", adhesion_);
        connect(graphButton_, &QPushButton::clicked, this, &TDlgSoils::ShowGraph);
    } else {
        add(app::silt_col::EffectiveUnitWeight);
        AddNote(page, grid, line, "2. Friction Angle (Degrees)", TSoilInput::UnitWeight);
        add(app::silt_col::FrictionAngle);
        add(app::silt_col::BlowCounts);
        add(app::silt_col::Ko);
        AddNote(page, grid, line, "Used only for USACE Method", TSoilInput::Ko);
        AddNote(page, grid, line, "(USACE recommends Ko=1.25 for compression", TSoilInput::Ko);
        AddNote(page, grid, line, "and Ko=0.5 to 0.7 for tension)", TSoilInput::Ko);
        add(app::silt_col::UndrainedShearStrength);
    }
    if (page.Angle)
        page.Fields.AddChoices("BlowCountChoice", NewChoice(widget, {{page.Angle, 0}, {page.BlowCounts, 1}}));
    auto* close = new QPushButton("Close");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    outer->addLayout(buttons);
    return widget;
}

const TDlgSoils::TPage& TDlgSoils::Shown() const
{
    return page_[static_cast<std::size_t>(PageOf(state_.SoilType))];
}

widgets::TDataEdit* TDlgSoils::Field(int column, int row) const
{
    for (const TFieldRow& r : Shown().Rows)
        if (r.Field.Column == column)
            return r.Edits.at(static_cast<std::size_t>(row));
    return nullptr;
}

QLabel* TDlgSoils::FieldLabel(int column) const
{
    for (const TFieldRow& r : Shown().Rows)
        if (r.Field.Column == column)
            return r.Label;
    return nullptr;
}

const TFieldControls& TDlgSoils::Fields() const { return Shown().Fields; }

QRadioButton* TDlgSoils::AngleChoice() const { return Shown().Angle; }

QRadioButton* TDlgSoils::BlowCountChoice() const { return Shown().BlowCounts; }

void TDlgSoils::SetLayer(int layerNumber)
{
    state_.LayerNumber = layerNumber;
    Load();
}

void TDlgSoils::Load()
{
    loading_ = true;
    state_ = app::LoadSoilProperties(*project_, *D_, state_.LayerNumber);
    const int shown = PageOf(state_.SoilType);
    for (int i = 0; i < pages_->count(); ++i)
        pages_->setTabVisible(i, i == shown);
    pages_->setCurrentIndex(shown);
    for (const TFieldRow& row : Shown().Rows)
        for (int r = 0; r < 2; ++r) {
            widgets::TDataEdit* edit = row.Edits[static_cast<std::size_t>(r)];
            edit->SetUnits(project_->Units);
            edit->SetNumber(state_.Values[static_cast<std::size_t>(row.Field.Column)][static_cast<std::size_t>(r)]);
        }
    if (const TPage& page = Shown(); page.Angle) {
        page.Angle->setChecked(!state_.BlowCountChoice);
        page.BlowCounts->setChecked(state_.BlowCountChoice);
    }
    for (std::size_t i = 0; i < koTexts_.size(); ++i)
        koTexts_[i]->setText(QString::fromStdString(state_.KoTexts[i]));
    if (state_.SoilType == app::kClay) {
        adhesion_->setCurrentIndex(state_.AdhesionIndex);
        AdhesionChanged(state_.AdhesionIndex);
    }
    setWindowTitle(QString::fromStdString(state_.Caption));
    ApplyEnabling();
    loading_ = false;
}

void TDlgSoils::ApplyEnabling()
{
    const TPage& page = Shown();
    for (const TFieldRow& row : page.Rows) {
        const bool visible = app::SoilFieldVisible(state_, row.Field.Input);
        const bool enabled = app::SoilFieldEnabled(state_, row.Field.Input);
        for (widgets::TDataEdit* edit : row.Edits) {
            edit->setVisible(visible);
            edit->setEnabled(enabled);
        }
        if (row.Label)
            row.Label->setVisible(visible);
    }
    for (const auto& [label, input] : page.Notes) {
        label->setVisible(app::SoilFieldVisible(state_, input));
        label->setEnabled(app::SoilFieldEnabled(state_, input));
    }
    if (state_.SoilType == app::kClay)
        for (QWidget* w : std::initializer_list<QWidget*>{adhesionHeading_, adhesionNote_, adhesion_, graphButton_})
            w->setVisible(state_.AdhesionVisible);
}

void TDlgSoils::AdhesionChanged(int index)
{
    state_.AdhesionIndex = index < 0 ? 0 : index;
    state_.AdhesionPicked = state_.AdhesionPicked || !loading_;
    graphButton_->setText(QString::fromStdString(app::GraphButtonCaption(state_.AdhesionIndex)));
    graphButton_->setEnabled(app::GraphButtonEnabled(state_.AdhesionIndex));
}

void TDlgSoils::ShowGraph()
{
    TChartForm::Of(this).ShowChart(state_.AdhesionIndex);
}

void TDlgSoils::Store()
{
    for (const TFieldRow& row : Shown().Rows)
        for (int r = 0; r < 2; ++r) {
            try {
                state_.Values[static_cast<std::size_t>(row.Field.Column)][static_cast<std::size_t>(r)] =
                    row.Edits[static_cast<std::size_t>(r)]->Number();
            } catch (const components::Exception&) {
                // A field that does not evaluate (a bad entry or an
                // arithmetic fault) keeps the value it had.
            }
        }
    if (app::StoreSoilProperties(state_, *D_) && onModified_)
        onModified_();
}

void TDlgSoils::closeEvent(QCloseEvent* event)
{
    if (!widgets::ValidateLastEntry(this)) {
        event->ignore();
        return;
    }
    try {
        Store();
    } catch (const std::exception& e) {
        widgets::Ui().Messages->Information(e.what());
        event->ignore();
        return;
    }
    // Hidden as the dialog's own answer, so that whoever waits on it hears.
    QDialog::reject();
    event->accept();
}

void TDlgSoils::reject()
{
    close();
}

} // namespace korva::app_widgets
