#include "dialogs/cpt_data_dialog.h"

#include <filesystem>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "data_edit.h"
#include "document_rules.h"
#include "entry_focus.h"
#include "exceptions.h"
#include "form_store.h"
#include "int_utils.h"
#include "main_window/main_form.h"
#include "plot_form.h"
#include "program_data.h"
#include "ui_services.h"

namespace korva::app_widgets {

class TCptConvertedView : public QObject {
public:
    explicit TCptConvertedView(TMainForm& main) : QObject(&main), host_(*main.MdiArea())
    {
        Plot.SetHost(&host_);
    }

    static TCptConvertedView& Of(TMainForm& main)
    {
        for (QObject* child : main.children())
            if (auto* view = dynamic_cast<TCptConvertedView*>(child))
                return *view;
        return *new TCptConvertedView(main);
    }

private:
    widgets::TMdiPlotHost host_; // before the plot: the plot's window goes first

public:
    components::TGraphPlot Plot;
};

namespace {

widgets::TDataEdit* AddField(QGridLayout* grid, int row, const char* caption, bool integerOnly, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    auto* field = new widgets::TDataEdit(parent);
    field->SetIntegerOnly(integerOnly);
    field->SetCaption(caption);
    field->SetEditLabel(label);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

QToolButton* AddGraphicsButton(QGridLayout* grid, int row, const char* caption, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    grid->addWidget(button, row, 0, Qt::AlignRight);
    grid->addWidget(new QLabel(caption, parent), row, 1);
    return button;
}

} // namespace

TDlgInputMotion::TDlgInputMotion(TMainForm& main) : TInputDialog(main, "Data of Cone Penetration Test")
{
    setToolTip("CPT Data Plot");
    auto* layout = new QVBoxLayout(this);

    auto* fileLabel = new QLabel("Name of file for input cone data", this);
    edtWord_ = new QLineEdit(this);
    edtWord_->setObjectName("EdtWord");
    fileLabel->setBuddy(edtWord_);
    auto* browse = new QPushButton("&Browse...", this);
    button1_ = new QPushButton("Edit File", this);
    layout->addWidget(fileLabel);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(edtWord_, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(button1_);
    layout->addLayout(fileRow);

    auto* grid = new QGridLayout;
    dataEdit1_ = AddField(grid, 0, "Number of data lines to be read from the file", true, this);
    dataEdit4_ = AddField(grid, 1, "Number of header lines in file containing cone data", true, this);
    dataEdit5_ = AddField(grid, 2, "Number of data columns per line to be read from the data file", true, this);
    grid->addWidget(new QLabel("( The first two columns are reserved for Depth and  Qc )", this), 3, 0, 1, 2);
    dataEdit6_ = AddField(grid, 4, "Unit conversion factor for stress, Ua", false, this);
    grid->addWidget(new QLabel("( ksf is required for English units and kPa is used for S.I. units)", this), 5, 0, 1, 2);
    grid->addWidget(new QLabel("(Ex. Ua=1000 if MPa instead of kPa is used in the field CPT data.)", this), 6, 0, 1, 2);
    layout->addLayout(grid);
    dataEdit1_->SetMaxVal(2147483647);
    dataEdit1_->SetMinVal(2);
    dataEdit1_->SetNumber(2);
    dataEdit4_->SetMaxVal(50);
    dataEdit5_->SetMaxVal(20);
    dataEdit5_->SetMinVal(2);
    dataEdit5_->SetNumber(2);
    dataEdit6_->SetMaxVal(1e100L);
    dataEdit6_->SetNumber(1.0L); // Ua starts at 1 with each new window

    auto* graphics = new QGridLayout;
    QToolButton* image1 = AddGraphicsButton(graphics, 0, " Graphics Button - Qc versus depth", this);
    QToolButton* speed1 = AddGraphicsButton(graphics, 1, " Graphics Button - Converted SPT versus depth", this);
    QToolButton* speed2 = AddGraphicsButton(graphics, 2, " Graphics Button - Converted Su versus depth", this);
    layout->addLayout(graphics);
    auto* close = new QPushButton("Close", this);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(browse, &QPushButton::clicked, this, &TDlgInputMotion::BtnBrowseClick);
    connect(button1_, &QPushButton::clicked, this, &TDlgInputMotion::Button1Click);
    connect(image1, &QToolButton::clicked, this, &TDlgInputMotion::Image1Click);
    connect(speed1, &QToolButton::clicked, this, &TDlgInputMotion::SpeedButton1Click);
    connect(speed2, &QToolButton::clicked, this, &TDlgInputMotion::SpeedButton2Click);
    connect(close, &QPushButton::clicked, this, &TInputDialog::RequestClose);

    // Edits mark the project modified only when they differ from what it holds.
    connect(edtWord_, &QLineEdit::textChanged, this, [this](const QString& text) {
        button1_->setEnabled(!text.isEmpty());
        if (text.toStdString() != Project().CptFileName)
            MarkModified();
    });
    const auto countChanged = [this](widgets::TDataEdit* field, std::int32_t app::TProgramData::*stored) {
        connect(field, &QLineEdit::textChanged, this, [this, field, stored] {
            if (Rounded(field, Project().*stored) != Project().*stored)
                MarkModified();
        });
    };
    countChanged(dataEdit1_, &app::TProgramData::CptDataLines);
    countChanged(dataEdit4_, &app::TProgramData::CptHeaderLines);
    countChanged(dataEdit5_, &app::TProgramData::CptColumns);
    connect(dataEdit6_, &QLineEdit::textChanged, this, [this] {
        // A text that is not yet a number (or divides by zero) is no edit
        // to count; the field's own validation speaks when it is left.
        try {
            if (dataEdit6_->Number() != Project().CptStressFactor)
                MarkModified();
        } catch (const components::Exception&) {
        }
    });
}

int TDlgInputMotion::Rounded(widgets::TDataEdit* field, int fallback) const
{
    try {
        return static_cast<int>(components::RoundToInt(field->Number()));
    } catch (const components::Exception&) {
        return fallback;
    }
}

void TDlgInputMotion::LoadFromProject()
{
    const app::TProgramData& p = Project();
    edtWord_->setText(QString::fromStdString(p.CptFileName));
    dataEdit1_->SetNumber(p.CptDataLines);
    dataEdit4_->SetNumber(p.CptHeaderLines);
    dataEdit5_->SetNumber(p.CptColumns);
    button1_->setEnabled(!edtWord_->text().isEmpty());
}

void TDlgInputMotion::StoreToProject()
{
    app::TProgramData& p = Project();
    bool changed = false;
    app::StoreField(p.CptFileName, edtWord_->text().toStdString(), changed);
    app::StoreField(p.CptDataLines, Rounded(dataEdit1_, p.CptDataLines), changed);
    app::StoreField(p.CptHeaderLines, Rounded(dataEdit4_, p.CptHeaderLines), changed);
    app::StoreField(p.CptColumns, Rounded(dataEdit5_, p.CptColumns), changed);
    if (changed)
        MarkModified();
}

void TDlgInputMotion::BtnBrowseClick()
{
    widgets::TFileDialogOptions options;
    options.Filters = {"CPT recors(.txt) (*.txt *.acc)", "All Files (*.*)"};
    options.FileName = edtWord_->text().toStdString();
    options.InitialDir = app::ProjectFolder(Project().FileName);
    options.FileMustExist = true;
    if (const auto chosen = widgets::Ui().Files->Open(options))
        edtWord_->setText(QString::fromStdString(chosen->FileName));
}

void TDlgInputMotion::Button1Click()
{
    Main().OpenInWordProcessor(edtWord_->text().toStdString());
}

bool TDlgInputMotion::ReadProfile()
{
    if (!widgets::ValidateLastEntry(this))
        return false;
    const std::string name = edtWord_->text().toStdString();
    std::error_code ec;
    if (name.empty() || !std::filesystem::exists(name, ec)) {
        widgets::Ui().Messages->Information(app::CptFileMissingMessage(name));
        return false;
    }
    app::TCptTextLayout layout;
    layout.DataLines = Rounded(dataEdit1_, 2);
    layout.HeaderLines = Rounded(dataEdit4_, 0);
    layout.Columns = Rounded(dataEdit5_, 2);
    try {
        layout.StressFactor = dataEdit6_->Number();
    } catch (const components::Exception& e) { // a bad entry or an arithmetic fault
        widgets::Ui().Messages->Information(e.Message());
        return false;
    }
    app::TCptReadResult read = app::ReadCptTextFile(name, layout);
    if (!read.Ok) {
        widgets::Ui().Messages->Information(read.Message);
        return false;
    }
    app::AcceptCptProfile(Project(), Main().Session().CptPoints(), std::move(read.Points));
    return true;
}

void TDlgInputMotion::Image1Click()
{
    if (ReadProfile())
        Main().ShowCPTProfile();
}

components::TGraphPlot& TDlgInputMotion::ConvertedPlot()
{
    return TCptConvertedView::Of(Main()).Plot;
}

void TDlgInputMotion::ShowConverted(app::TCptView view)
{
    if (!ReadProfile())
        return;
    components::TGraphPlot& plot = ConvertedPlot();
    app::FillCptViewPlot(plot, view, Project().Units, Main().Session().CptPoints());
    plot.Show();
}

void TDlgInputMotion::SpeedButton1Click()
{
    ShowConverted(app::TCptView::Spt);
}

void TDlgInputMotion::SpeedButton2Click()
{
    ShowConverted(app::TCptView::UndrainedStrength);
}

} // namespace korva::app_widgets
