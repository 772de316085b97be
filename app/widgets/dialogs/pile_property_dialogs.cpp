#include "dialogs/pile_property_dialogs.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/dimension_pictures.h"
#include "entry_focus.h"
#include "ui_services.h"

namespace korva::app_widgets {

namespace {

// A drawing that gives its field the focus when clicked.
TDimensionPicture* PictureFor(TDimensionKind kind, QWidget* field, QWidget* parent)
{
    auto* picture = new TDimensionPicture(kind, parent);
    if (field)
        QObject::connect(picture, &TDimensionPicture::clicked, field,
                         [field] { field->setFocus(Qt::MouseFocusReason); });
    return picture;
}

// Rows of label and field.
void AddRows(QGridLayout* grid, const std::vector<widgets::TDataEdit*>& fields)
{
    int row = grid->rowCount();
    for (widgets::TDataEdit* field : fields) {
        grid->addWidget(field->EditLabel(), row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }
}

TStickupEdit* NewStickupEntry(QWidget* parent)
{
    auto* field = new TStickupEdit(parent);
    field->SetEditLabel(new QLabel(parent));
    field->SetUnitsString("L2");
    field->SetCaption("&Pile Stickup Length, PSL");
    return field;
}

} // namespace

bool TStickupEdit::ValidateEntry()
{
    if (!TDataEdit::ValidateEntry())
        return false;
    if (!app::StickupRefused(Number()))
        return true;
    widgets::Ui().Messages->Information(app::kStickupMessage);
    SetNumber(0);
    widgets::ReturnFocusLater(this);
    return false;
}

// ---------------------------------------------------------------------------

TfrmShaftpeneta::TfrmShaftpeneta(TMainForm& main) : TInputDialog(main, QStringLiteral("Circular Pile Properties"))
{
    dataEdit8_ = NewEntry(this, "&Outer Diameter, OD", "L1");
    dataEdit9_ = NewEntry(this, "&Inner Diameter, ID", "L1");
    dataEdit10_ = NewEntry(this, "&Total Length, TL", "L2");
    dataEdit11_ = NewEntry(this, "&Lower End Section Length, ESL", "L2");
    dataEdit12_ = NewEntry(this, "Inner &Diameter of Lower-End Section, EID", "L1");
    dataEdit13_ = NewEntry(this, "Zero-&Friction Length from Ground, ZFL", "L2");
    dataEdit1_ = NewStickupEntry(this);
    label1_ = new QLabel(QStringLiteral("(Note: leave values of end section as zero if none is present)"), this);

    groupBox4_ = new QGroupBox(QStringLiteral("Plugged / Unplugged Conditions "), this);
    auto* optIntPlug = new QRadioButton(QStringLiteral("Internal Pile Plug Calculated by Program"), groupBox4_);
    auto* optPlug = new QRadioButton(QStringLiteral("Plugged for open-ended pile"), groupBox4_);
    auto* optUnplug = new QRadioButton(QStringLiteral("Unplugged for open-ended pile"), groupBox4_);
    plug_ = NewChoice(this, {{optIntPlug, 0}, {optPlug, 1}, {optUnplug, 2}});
    auto* plugLayout = new QVBoxLayout(groupBox4_);
    for (QAbstractButton* radio : plug_->buttons())
        plugLayout->addWidget(radio);

    auto* fieldsGrid = new QGridLayout;
    AddRows(fieldsGrid, {dataEdit8_, dataEdit9_, dataEdit10_, dataEdit11_, dataEdit12_, dataEdit13_, dataEdit1_});
    fieldsGrid->addWidget(label1_, fieldsGrid->rowCount(), 0, 1, 2);
    auto* left = new QVBoxLayout;
    left->addLayout(fieldsGrid);
    left->addWidget(groupBox4_);
    left->addStretch();

    auto* image1 = new TDimensionPicture(TDimensionKind::PileOverview, this);
    auto* image2 = PictureFor(TDimensionKind::OuterDiameter, dataEdit8_, this);
    image3_ = PictureFor(TDimensionKind::InnerDiameter, dataEdit9_, this);
    auto* image7 = PictureFor(TDimensionKind::TotalLength, dataEdit10_, this);
    image5_ = PictureFor(TDimensionKind::EndSectionLength, dataEdit11_, this);
    image6_ = PictureFor(TDimensionKind::EndSectionInnerDiameter, dataEdit12_, this);
    auto* image4 = PictureFor(TDimensionKind::ZeroFrictionLength, dataEdit13_, this);
    auto* image8 = PictureFor(TDimensionKind::StickupLength, dataEdit1_, this);
    auto* pictures = new QGridLayout;
    pictures->addWidget(image1, 0, 0, 2, 1);
    pictures->addWidget(image2, 0, 1);
    pictures->addWidget(image3_, 1, 1);
    auto* elevations = new QHBoxLayout;
    elevations->addStretch();
    for (QWidget* picture : std::initializer_list<QWidget*>{image8, image4, image7, image5_, image6_})
        elevations->addWidget(picture);
    elevations->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(pictures);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(elevations);
    layout->addLayout(NewCloseRow(this, this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_.Add("OuterDiameter", dataEdit8_);
    fields_.Add("InnerDiameter", dataEdit9_);
    fields_.Add("PileLength", dataEdit10_);
    fields_.Add("EndSectionLength", dataEdit11_);
    fields_.Add("EndSectionInnerDiameter", dataEdit12_);
    fields_.Add("ZeroFrictionLength", dataEdit13_);
    fields_.Add("StickupLength", dataEdit1_);
    fields_.AddChoices("PlugCondition", plug_);

    // Typing marks nothing here; leaving the dialog stores and marks a change.
    connect(plug_, &QButtonGroup::idClicked, this, [this] { MarkModified(); });
}

void TfrmShaftpeneta::LoadFromProject()
{
    PlaceAtTop(this, 20);
    const app::TProgramData& p = Project();
    for (widgets::TDataEdit* field : {dataEdit8_, dataEdit9_, dataEdit10_, dataEdit11_, dataEdit12_, dataEdit13_,
                                      static_cast<widgets::TDataEdit*>(dataEdit1_)})
        field->SetUnits(p.Units);
    const app::TCircularForm form = app::LoadCircularForm(p);
    dataEdit1_->SetNumber(form.StickupLength);
    dataEdit8_->SetNumber(form.OuterDiameter);
    dataEdit9_->SetNumber(form.InnerDiameter);
    dataEdit10_->SetNumber(form.PileLength);
    dataEdit11_->SetNumber(form.EndSectionLength);
    dataEdit12_->SetNumber(form.EndSectionInnerDiameter);
    dataEdit13_->SetNumber(form.ZeroFrictionLength);
    CheckChoice(plug_, form.PlugCondition);

    const app::TCircularEnabling e = app::CircularEnabling(p);
    dataEdit9_->setEnabled(e.InnerDiameter);
    image3_->setEnabled(e.InnerDiameter);
    for (QWidget* w : std::initializer_list<QWidget*>{dataEdit11_, dataEdit12_, image5_, image6_, label1_})
        w->setEnabled(e.EndSection);
    groupBox4_->setVisible(e.PlugGroup);
}

void TfrmShaftpeneta::StoreToProject()
{
    app::TCircularForm form;
    form.StickupLength = dataEdit1_->Number();
    form.OuterDiameter = dataEdit8_->Number();
    form.InnerDiameter = dataEdit9_->Number();
    form.PileLength = dataEdit10_->Number();
    form.EndSectionLength = dataEdit11_->Number();
    form.EndSectionInnerDiameter = dataEdit12_->Number();
    form.ZeroFrictionLength = dataEdit13_->Number();
    form.PlugCondition = plug_->checkedId() < 0 ? 0 : plug_->checkedId();
    if (app::StoreCircularForm(form, Project()))
        MarkModified();
}

// ---------------------------------------------------------------------------

TfrmNCsection::TfrmNCsection(TMainForm& main) : TInputDialog(main, QStringLiteral("Noncircular Pile Properties"))
{
    dataEdit3_ = NewEntry(this, "&Perimeter for Noncircular Section ", "L1");
    dataEdit4_ = NewEntry(this, "Tip &Area for Noncircular Section ", "L\xC2\xB2");
    dataEdit5_ = NewEntry(this, "&Total Length, TL", "L2");
    dataEdit6_ = NewEntry(this, "Zero-&Friction from Length Ground, ZFL", "L2");
    dataEdit1_ = NewStickupEntry(this);
    auto* fieldsGrid = new QGridLayout;
    AddRows(fieldsGrid, {dataEdit3_, dataEdit4_, dataEdit5_, dataEdit6_, dataEdit1_});

    // The examples: an H-section's box and its steel alone, a rectangle.
    auto* examples = new QGridLayout;
    const auto text = [this](const char* t) { return new QLabel(QString::fromUtf8(t), this); };
    examples->addWidget(text("Examples:"), 0, 0, 1, 2);
    examples->addWidget(new TDimensionPicture(TDimensionKind::HSectionBox, this), 1, 0, 2, 1);
    examples->addWidget(text("P = 2(L1+L2)"), 1, 1);
    examples->addWidget(text("A = L1x L2"), 2, 1);
    examples->addWidget(text("For very soft clays, use:"), 3, 0, 1, 2);
    examples->addWidget(new TDimensionPicture(TDimensionKind::HSectionSteel, this), 4, 0);
    examples->addWidget(text("A = 2(L1xW1) + (L2 - 2xW1) x W2"), 4, 1);
    examples->addWidget(new TDimensionPicture(TDimensionKind::RectangularSection, this), 5, 0, 2, 1);
    examples->addWidget(text("P = 2(L1+L2)"), 5, 1);
    examples->addWidget(text("A = L1x L2"), 6, 1);

    auto* elevations = new QHBoxLayout;
    elevations->addWidget(PictureFor(TDimensionKind::StickupLength, dataEdit1_, this));   // Image3
    elevations->addWidget(PictureFor(TDimensionKind::ZeroFrictionLength, dataEdit6_, this)); // Image1
    elevations->addWidget(PictureFor(TDimensionKind::TotalLength, dataEdit5_, this));     // Image2

    auto* left = new QVBoxLayout;
    left->addLayout(fieldsGrid);
    left->addLayout(elevations);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(examples);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(NewCloseRow(this, this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_.Add("Perimeter", dataEdit3_);
    fields_.Add("TipArea", dataEdit4_);
    fields_.Add("PileLength", dataEdit5_);
    fields_.Add("ZeroFrictionLength", dataEdit6_);
    fields_.Add("StickupLength", dataEdit1_);

    for (widgets::TDataEdit* field : {dataEdit3_, dataEdit4_})
        connect(field, &QLineEdit::textEdited, this, [this] { MarkModified(); });
}

void TfrmNCsection::LoadFromProject()
{
    PlaceAtTop(this, 30);
    const app::TProgramData& p = Project();
    for (widgets::TDataEdit* field :
         {dataEdit3_, dataEdit4_, dataEdit5_, dataEdit6_, static_cast<widgets::TDataEdit*>(dataEdit1_)})
        field->SetUnits(p.Units);
    const app::TNoncircularForm form = app::LoadNoncircularForm(p);
    dataEdit1_->SetNumber(form.StickupLength);
    dataEdit3_->SetNumber(form.Perimeter);
    dataEdit4_->SetNumber(form.TipArea);
    dataEdit5_->SetNumber(form.PileLength);
    dataEdit6_->SetNumber(form.ZeroFrictionLength);
}

void TfrmNCsection::StoreToProject()
{
    app::TNoncircularForm form;
    form.StickupLength = dataEdit1_->Number();
    form.Perimeter = dataEdit3_->Number();
    form.TipArea = dataEdit4_->Number();
    form.PileLength = dataEdit5_->Number();
    form.ZeroFrictionLength = dataEdit6_->Number();
    if (app::StoreNoncircularForm(form, Project()))
        MarkModified();
}

} // namespace korva::app_widgets
