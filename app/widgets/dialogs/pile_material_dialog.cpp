#include "dialogs/pile_material_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data_edit.h"
#include "main_window/main_form.h"
#include "ui_services.h"

namespace korva::app_widgets {

namespace {

QRadioButton* Radio(const char* caption, QWidget* parent)
{
    return new QRadioButton(QString::fromUtf8(caption), parent);
}

QLabel* Note(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace

TfrmMaterial::TfrmMaterial(TMainForm& main) : TInputDialog(main, QStringLiteral("Pile Material"))
{
    // Pile type, with the end and shape choices beside the types they belong to.
    auto* typeBox = new QGroupBox(QStringLiteral("Select Pile Type"), this);
    auto* optSteel = Radio("&Steel pipe piles and non-tapered portion of monotube piles", typeBox);
    auto* optTimber = Radio("&Timber piles", typeBox);
    auto* optConcrete = Radio("&Precast concrete piles", typeBox);
    auto* optRaymond = Radio("&Raymond step-taper piles", typeBox);
    auto* optUniform = Radio("&Raymond &Uniform taper piles", typeBox);
    auto* optHpile = Radio("&H-Piles/Steel Piles", typeBox);
    auto* optMonotube = Radio("Tapered portion of &Monotube piles", typeBox);
    pileType_ = NewChoice(this, {{optSteel, app::ptSteelPipe},
                                 {optTimber, app::ptTimber},
                                 {optConcrete, app::ptPrecastConcrete},
                                 {optRaymond, app::ptRaymondStepTaper},
                                 {optUniform, app::ptRaymondUniformTaper},
                                 {optHpile, app::ptHPile},
                                 {optMonotube, app::ptTaperedMonotube}});
    auto* openEnded = Radio("Open-Ended Pile", typeBox);
    auto* closeEnded = Radio("Close-Ended Pile", typeBox);
    steelEnd_ = NewChoice(this, {{openEnded, 0}, {closeEnded, 1}});
    auto* optDrain = Radio("Circular/Tubular", typeBox);
    auto* optUndrain = Radio("Square/Rectangular/Orthogonal", typeBox);
    precastShape_ = NewChoice(this, {{optDrain, 1}, {optUndrain, 0}});
    auto* openEndedPrecast = Radio("Open-Ended Pile", typeBox);
    auto* closeEndedPrecast = Radio("Close-Ended Pile", typeBox);
    precastEnd_ = NewChoice(this, {{openEndedPrecast, 0}, {closeEndedPrecast, 1}});

    auto* typeLayout = new QGridLayout(typeBox);
    typeLayout->addWidget(optSteel, 0, 0, 1, 3);
    typeLayout->addWidget(openEnded, 1, 1);
    typeLayout->addWidget(closeEnded, 1, 2);
    typeLayout->addWidget(optTimber, 2, 0, 1, 3);
    typeLayout->addWidget(optConcrete, 3, 0, 1, 3);
    typeLayout->addWidget(optDrain, 4, 1);
    typeLayout->addWidget(optUndrain, 4, 2);
    typeLayout->addWidget(openEndedPrecast, 5, 1);
    typeLayout->addWidget(closeEndedPrecast, 5, 2);
    typeLayout->addWidget(optRaymond, 6, 0, 1, 3);
    typeLayout->addWidget(optUniform, 7, 0, 1, 3);
    typeLayout->addWidget(optHpile, 8, 0, 1, 3);
    typeLayout->addWidget(optMonotube, 9, 0, 1, 3);
    typeLayout->setColumnMinimumWidth(0, 20);

    deAngle_ = NewEntry(this, "&Angle of taper for a tapered pile ", "degrees", &angleLabel_);
    angleNote_ = Note("( Only used by the FHWA Method for Pile Capacity)", this);
    auto* angleLayout = new QGridLayout;
    angleLayout->addWidget(angleLabel_, 0, 0);
    angleLayout->addWidget(deAngle_, 0, 1);
    angleLayout->addWidget(angleNote_, 1, 0, 1, 2);

    // Axial stiffness.
    auto* stiffnessBox = new QGroupBox(QStringLiteral("Data for Axial Stiffness"), this);
    QLabel* modulusLabel = nullptr;
    deModulus_ = NewEntry(stiffnessBox, "Modulus of &Elasticity, E", "F/L\xC2\xB2", &modulusLabel);
    auto* radioButton3 = Radio("Calculate from Pile Section", stiffnessBox);
    auto* radioButton1 = Radio("Constant Cross Section Area", stiffnessBox);
    auto* radioButton2 = Radio("Non-constant Cross Section Area", stiffnessBox);
    areaMode_ = NewChoice(this, {{radioButton3, 0}, {radioButton1, 1}, {radioButton2, 2}});
    QLabel* autoLabel = nullptr;
    QLabel* sectionLabel = nullptr;
    deAutoSection_ = NewEntry(stiffnessBox, "", "L\xC2\xB2", &autoLabel);
    deAutoSection_->setEnabled(false);
    deSection_ = NewEntry(stiffnessBox, "", "L\xC2\xB2", &sectionLabel);
    sectionButton1_ = new QPushButton(QStringLiteral("Data Button"), stiffnessBox);
    auto* stiffnessLayout = new QGridLayout(stiffnessBox);
    stiffnessLayout->addWidget(Note("(These entries are only used for computations of elastic deformation)", stiffnessBox),
                               0, 0, 1, 3);
    stiffnessLayout->addWidget(modulusLabel, 1, 0);
    stiffnessLayout->addWidget(deModulus_, 1, 1);
    stiffnessLayout->addWidget(radioButton3, 2, 0);
    stiffnessLayout->addWidget(deAutoSection_, 2, 1);
    stiffnessLayout->addWidget(autoLabel, 2, 2);
    stiffnessLayout->addWidget(radioButton1, 3, 0);
    stiffnessLayout->addWidget(deSection_, 3, 1);
    stiffnessLayout->addWidget(sectionLabel, 3, 2);
    stiffnessLayout->addWidget(radioButton2, 4, 0);
    stiffnessLayout->addWidget(sectionButton1_, 4, 1);
    stiffnessLayout->addWidget(Note("(enter the area as a function of depth.)", stiffnessBox), 5, 1, 1, 2);

    button4_ = new QPushButton(QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button4_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeBox);
    layout->addLayout(angleLayout);
    layout->addWidget(stiffnessBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_.AddChoices("PileType", pileType_);
    fields_.AddChoices("ClosedEnded", steelEnd_);
    fields_.AddChoices("CircularSection", precastShape_);
    fields_.AddChoices("ClosedEnded.Precast", precastEnd_);
    fields_.Add("TaperAngle", deAngle_);
    fields_.Add("ElasticModulus", deModulus_);
    fields_.AddChoices("SectionAreaMode", areaMode_);
    fields_.Add("SectionArea", deSection_);
    fields_.Add("SectionArea.Computed", deAutoSection_);
    fields_.Add("Sectionaldata", sectionButton1_);

    // Every radio click applies the rules again and counts as an edit.
    for (QButtonGroup* group : {pileType_, steelEnd_, precastShape_, precastEnd_, areaMode_})
        connect(group, &QButtonGroup::idClicked, this, [this] {
            ShowWindows();
            MarkModified();
        });
    for (widgets::TDataEdit* field : {deModulus_, deAngle_, deSection_})
        connect(field, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    connect(sectionButton1_, &QPushButton::clicked, this, [this] { SectionButtonClick(); });
    connect(button4_, &QPushButton::clicked, this, [this] { CloseClick(); });
}

void TfrmMaterial::LoadFromProject()
{
    PlaceAtTop(this, 10);
    const app::TProgramData& p = Project();
    for (widgets::TDataEdit* field : {deModulus_, deAngle_, deSection_, deAutoSection_})
        field->SetUnits(p.Units);
    const app::TMaterialForm form = app::LoadMaterialForm(p);
    deModulus_->SetNumber(form.ElasticModulus);
    deAngle_->SetNumber(form.TaperAngle);
    deSection_->SetNumber(form.SectionArea);
    CheckChoice(pileType_, form.PileType);
    CheckChoice(steelEnd_, form.SteelClosedEnded ? 1 : 0);
    CheckChoice(precastShape_, form.PrecastCircular ? 1 : 0);
    CheckChoice(precastEnd_, form.PrecastClosedEnded ? 1 : 0);
    CheckChoice(areaMode_, form.SectionAreaMode);
    ShowWindows();
}

app::TMaterialForm TfrmMaterial::ReadControls() const
{
    app::TMaterialForm form;
    form.PileType = pileType_->checkedId();
    form.SteelClosedEnded = steelEnd_->checkedId() == 1;
    form.PrecastCircular = precastShape_->checkedId() != 0;
    form.PrecastClosedEnded = precastEnd_->checkedId() == 1;
    form.SectionAreaMode = areaMode_->checkedId() < 0 ? 0 : areaMode_->checkedId();
    return form;
}

void TfrmMaterial::ShowWindows()
{
    const app::TMaterialForm form = ReadControls();
    const app::TMaterialEnabling e = app::MaterialEnabling(form, Project().MethodSelected[app::pmFhwa] == 1);
    for (QWidget* w : std::initializer_list<QWidget*>{deAngle_, angleLabel_, angleNote_})
        w->setEnabled(e.TaperAngle);
    for (QAbstractButton* b : steelEnd_->buttons())
        b->setEnabled(e.SteelEnds);
    for (QAbstractButton* b : precastShape_->buttons())
        b->setEnabled(e.PrecastShape);
    for (QAbstractButton* b : precastEnd_->buttons())
        b->setEnabled(e.PrecastEnds);
    deSection_->setEnabled(e.SectionArea);
    sectionButton1_->setEnabled(e.SectionTable);
    deAutoSection_->SetNumber(app::ComputedSectionArea(form, Project()));
}

void TfrmMaterial::StoreToProject()
{
    app::TMaterialForm form = ReadControls();
    form.TaperAngle = deAngle_->Number();
    form.ElasticModulus = deModulus_->Number();
    form.SectionArea = deSection_->Number();
    if (app::StoreMaterialForm(form, Project()))
        MarkModified();
    Main().UpdatePileShapeControls();
}

void TfrmMaterial::SectionButtonClick()
{
    Tables().Sectionaldata.ShowTable();
    MarkModified();
}

void TfrmMaterial::CloseClick()
{
    // A field whose entry was just refused has shown its message already.
    if (!FocusedFieldValid())
        return;
    components::Extended modulus = 0;
    const bool number = components::TryParseNumber(deModulus_->text().toStdString(), modulus);
    if (number && modulus > 0) {
        RequestClose();
        return;
    }
    widgets::Ui().Messages->Warning(app::kModulusMessage);
    deModulus_->setFocus(Qt::OtherFocusReason);
}

} // namespace korva::app_widgets
