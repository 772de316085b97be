#include "dialogs/methods_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "data_edit.h"
#include "dialogs/pile_material_dialog.h"
#include "main_window/main_form.h"

namespace korva::app_widgets {

namespace {

// The load-transfer radios and the capacity check boxes, by TPileMethod.
const char* const kLoadTransferCaptions[app::kMethodCount + 1] = {
    nullptr,
    "&FHWA (Federal Highway Administration) (*)",
    "USACE (U.S. Army &Corps of Engineers) (*)",
    "Revised &Lambda (*)",
    "&API RP 2A (American Petroleum Institute) (**)",
    "Load-transfer Units specified by &User (*)",
    "&NGI (Norwegian Geotechnical Institute) (**)",
    "&ICP/MTD (Imperial College of London) (**)",
    "Fugro (Offshore Driven Piles in Sand) (**)",
    "UWA (University of Western Australia) (**)",
};

const char* const kCapacityCaptions[app::kMethodCount + 1] = {
    nullptr,
    "&FHWA (Federal Highway Administration) ",
    "USACE (U.S. Army &Corps of Engineers) ",
    "Revised Lambda ",
    "&API RP 2A (American Petroleum Institute) ",
    "Load-transfer Units specified by &User",
    "&NGI (Norwegian Geotechnical Institute) ",
    "&ICP/MTD (Imperial College of London) ",
    "Fugro (Offshore Driven Piles in Sand) ",
    "UWA (University of Western Australia) ",
};

QLabel* Note(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

void NoRule(app::TMethodsForm& form)
{
    app::KeepLoadTransferSelected(form);
}

} // namespace

TfrmWaterDepth::TfrmWaterDepth(TMainForm& main) : TInputDialog(main, QStringLiteral("Computation Methods"))
{
    pages_ = new QTabWidget(this);

    // Page 1: the load-transfer method and the curve factors.
    auto* settlementPage = new QWidget;
    auto* transferBox = new QGroupBox(QStringLiteral("Method for Unit Load Transfers"), settlementPage);
    auto* transferLayout = new QVBoxLayout(transferBox);
    transferLayout->addWidget(Note("(and shape of Load-Transfer Curves)", transferBox));
    loadTransfer_ = new QButtonGroup(this);
    for (int k = 1; k <= app::kMethodCount; ++k) {
        auto* radio = new QRadioButton(QString::fromUtf8(kLoadTransferCaptions[k]), transferBox);
        loadTransfer_->addButton(radio, k);
        transferLayout->addWidget(radio);
    }
    transferLayout->addWidget(Note("Notes on shape of load-transfer curves:", transferBox));
    transferLayout->addWidget(Note("(*) Uses Skempton/Mosher curves", transferBox));
    transferLayout->addWidget(Note("(**) Uses API RP 2A Curves", transferBox));

    auto* factorsBox = new QGroupBox(QStringLiteral("Factors for t-z and Q-w Curves"), settlementPage);
    auto* optHigh = new QRadioButton(QStringLiteral("Use Unfactored Unit Side Friction and Unit Tip Resistance"), factorsBox);
    auto* optLow = new QRadioButton(QStringLiteral("Use Reduced Unit Side Friction and Unit Tip Resistance"), factorsBox);
    tzFactors_ = NewChoice(this, {{optHigh, 0}, {optLow, 1}});
    auto* factorsLayout = new QVBoxLayout(factorsBox);
    factorsLayout->addWidget(optHigh);
    factorsLayout->addWidget(optLow);

    auto* settlementLayout = new QVBoxLayout(settlementPage);
    settlementLayout->addWidget(transferBox);
    settlementLayout->addWidget(factorsBox);
    settlementLayout->addLayout(NewCloseRow(this, settlementPage));
    pages_->addTab(settlementPage, QStringLiteral("Method for Load Settlement"));

    // Page 2: the capacity methods, critical depth, drainage and loading.
    auto* capacityPage = new QWidget;
    auto* methodsBox = new QGroupBox(QStringLiteral("Computation Methods for Pile Capacity"), capacityPage);
    auto* methodsLayout = new QGridLayout(methodsBox);
    methodsLayout->addWidget(Note("Select one or more method(s)", methodsBox), 0, 0, 1, 2);
    for (int k = 1; k <= app::kMethodCount; ++k) {
        checkBoxes_[k] = new QCheckBox(QString::fromUtf8(kCapacityCaptions[k]), methodsBox);
        marks_[k] = new QLabel(QStringLiteral("LS"), methodsBox);
        methodsLayout->addWidget(checkBoxes_[k], k, 0);
        methodsLayout->addWidget(marks_[k], k, 1);
    }
    auto* button1 = new QPushButton(QStringLiteral("Select All"), methodsBox);
    auto* button3 = new QPushButton(QStringLiteral("Clear Selections"), methodsBox);
    auto* selectButtons = new QHBoxLayout;
    selectButtons->addWidget(button1);
    selectButtons->addWidget(button3);
    selectButtons->addStretch();
    methodsLayout->addLayout(selectButtons, app::kMethodCount + 1, 0, 1, 2);
    methodsLayout->setRowStretch(app::kMethodCount + 2, 1);

    auto* criticalBox = new QGroupBox(QStringLiteral("Critical Depth Method for Sand"), capacityPage);
    auto* radioButton1 = new QRadioButton(QStringLiteral("Original Recommendations "), criticalBox);
    auto* radioButton2 = new QRadioButton(QStringLiteral("At Effective Stress Reaching 3,500 psf (185 kPa)"), criticalBox);
    auto* radioButton3 = new QRadioButton(QStringLiteral("At User-Specified Critical Depth"), criticalBox);
    criticalMode_ = NewChoice(this, {{radioButton1, 0}, {radioButton2, 1}, {radioButton3, 2}});
    criticalNote_ = Note("(10 to 20 Pile Diameter based on the Density)", criticalBox);
    QLabel* depthLabel = nullptr;
    dataEdit1_ = NewEntry(criticalBox, "", "L2", &depthLabel);
    auto* criticalLayout = new QGridLayout(criticalBox);
    criticalLayout->addWidget(radioButton1, 0, 0);
    criticalLayout->addWidget(criticalNote_, 1, 0, 1, 3);
    criticalLayout->addWidget(radioButton2, 2, 0, 1, 3);
    criticalLayout->addWidget(radioButton3, 3, 0);
    criticalLayout->addWidget(dataEdit1_, 3, 1);
    criticalLayout->addWidget(depthLabel, 3, 2);

    auto* clayBox = new QGroupBox(capacityPage);
    auto* optDrain = new QRadioButton(QStringLiteral("Use Drained Condition for Clay"), clayBox);
    auto* optUndrain = new QRadioButton(QStringLiteral("Use Undrained Condition for Clay"), clayBox);
    drainage_ = NewChoice(this, {{optDrain, 1}, {optUndrain, 0}});
    auto* clayLayout = new QVBoxLayout(clayBox);
    clayLayout->addWidget(optDrain);
    clayLayout->addWidget(optUndrain);

    auto* loadingBox = new QGroupBox(QStringLiteral("Type of Loading"), capacityPage);
    auto* optCompression = new QRadioButton(QStringLiteral("&Compression"), loadingBox);
    auto* optTension = new QRadioButton(QStringLiteral("&Tension"), loadingBox);
    loading_ = NewChoice(this, {{optCompression, 0}, {optTension, 1}});
    QLabel* reductLabel = nullptr;
    deReduct_ = NewEntry(loadingBox, "&Reduction factor for tension loading", "", &reductLabel);
    deReduct_->SetMaxVal(app::kMaxTensionReduction);
    deReduct_->SetMinVal(app::kMinTensionReduction);
    reductNote_ = Note("(only applied to API RP 2A method)", loadingBox);
    auto* loadingLayout = new QGridLayout(loadingBox);
    loadingLayout->addWidget(optCompression, 0, 0);
    loadingLayout->addWidget(optTension, 1, 0);
    loadingLayout->addWidget(reductLabel, 2, 0);
    loadingLayout->addWidget(deReduct_, 2, 1);
    loadingLayout->addWidget(reductNote_, 3, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addWidget(criticalBox);
    right->addWidget(clayBox);
    right->addWidget(loadingBox);
    right->addStretch();
    right->addLayout(NewCloseRow(this, capacityPage));
    auto* capacityLayout = new QHBoxLayout(capacityPage);
    capacityLayout->addWidget(methodsBox);
    capacityLayout->addLayout(right);
    pages_->addTab(capacityPage, QStringLiteral("Method for Pile Capacity"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_.AddChoices("LoadTransferMethod", loadTransfer_);
    fields_.AddChoices("ReducedTzFactors", tzFactors_);
    for (int k = 1; k <= app::kMethodCount; ++k)
        fields_.Add("MethodSelected[" + components::FormatInteger(k) + "]", checkBoxes_[k]);
    fields_.AddChoices("CriticalDepthMode", criticalMode_);
    fields_.Add("CriticalDepth", dataEdit1_);
    fields_.AddChoices("DrainedClay", drainage_);
    fields_.AddChoices("LoadDirection", loading_);
    fields_.Add("TensionReduction", deReduct_);

    connect(loadTransfer_, &QButtonGroup::idClicked, this, [this](int) { Edited(&NoRule); });
    for (QButtonGroup* group : {tzFactors_, criticalMode_, drainage_, loading_})
        connect(group, &QButtonGroup::idClicked, this, [this](int) { Edited(&NoRule); });
    for (int k = 1; k <= app::kMethodCount; ++k)
        connect(checkBoxes_[k], &QCheckBox::clicked, this, [this] { Edited(&NoRule); });
    connect(button1, &QPushButton::clicked, this, [this] { SelectAllClick(); });
    connect(button3, &QPushButton::clicked, this, [this] { ClearSelectionsClick(); });
}

app::TMethodsForm TfrmWaterDepth::ReadControls() const
{
    app::TMethodsForm form;
    form.LoadTransferMethod = loadTransfer_->checkedId();
    for (int k = 1; k <= app::kMethodCount; ++k)
        form.Selected[k] = checkBoxes_[k]->isChecked();
    form.OffshoreEdition = Project().OffshoreEdition == 1;
    form.ReducedTzFactors = tzFactors_->checkedId() == 1;
    form.CriticalDepthMode = criticalMode_->checkedId() < 0 ? 0 : criticalMode_->checkedId();
    form.DrainedClay = drainage_->checkedId() != 0;
    form.Tension = loading_->checkedId() == 1;
    return form;
}

void TfrmWaterDepth::ShowWindows(const app::TMethodsForm& form)
{
    const app::TMethodsEnabling e = app::MethodsEnabling(form);
    for (int k = 1; k <= app::kMethodCount; ++k) {
        loadTransfer_->button(k)->setEnabled(e.MethodAvailable[k]);
        checkBoxes_[k]->setEnabled(e.MethodAvailable[k]);
        checkBoxes_[k]->setChecked(form.Selected[k]);
        marks_[k]->setVisible(e.MarkedLoadTransfer[k]);
    }
    for (QAbstractButton* radio : criticalMode_->buttons())
        radio->setEnabled(e.CriticalDepthModes);
    criticalNote_->setEnabled(e.CriticalDepthModes);
    dataEdit1_->setEnabled(e.CriticalDepth);
    for (QAbstractButton* radio : drainage_->buttons())
        radio->setEnabled(e.Drainage);
    deReduct_->setEnabled(e.TensionReduction);
    reductNote_->setEnabled(e.TensionReduction);
}

void TfrmWaterDepth::Edited(void (*rule)(app::TMethodsForm&))
{
    app::TMethodsForm form = ReadControls();
    rule(form);
    ShowWindows(form);
    MarkModified();
}

void TfrmWaterDepth::SelectAllClick()
{
    Edited(&app::SelectAllMethods);
}

void TfrmWaterDepth::ClearSelectionsClick()
{
    Edited(&app::ClearMethodSelections);
}

void TfrmWaterDepth::LoadFromProject()
{
    PlaceAtTop(this, 0);
    const app::TProgramData& p = Project();
    // The critical depth is kept in the project's length unit, so its label
    // names that unit.
    dataEdit1_->SetUnits(p.Units);
    const app::TMethodsForm form = app::LoadMethodsForm(p);
    CheckChoice(loadTransfer_, form.LoadTransferMethod);
    CheckChoice(loading_, form.Tension ? 1 : 0);
    deReduct_->SetNumber(form.TensionReduction);
    CheckChoice(drainage_, form.DrainedClay ? 1 : 0);
    CheckChoice(tzFactors_, form.ReducedTzFactors ? 1 : 0);
    CheckChoice(criticalMode_, form.CriticalDepthMode);
    dataEdit1_->SetNumber(form.CriticalDepth);
    ShowWindows(form);
}

void TfrmWaterDepth::StoreToProject()
{
    app::TMethodsForm form = ReadControls();
    form.TensionReduction = deReduct_->Number();
    form.CriticalDepth = dataEdit1_->Number();
    if (app::StoreMethodsForm(form, Project(), Tables()))
        MarkModified();
    // The material dialog shows the taper field by the methods now chosen.
    if (auto* material = Main().ChildAs<TfrmMaterial>(TChildKind::Material))
        material->Activate();
}

} // namespace korva::app_widgets
