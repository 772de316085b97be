#include "dialogs/export_dialog.h"

#include <exception>
#include <vector>

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

#include "document_rules.h"
#include "file_text.h"
#include "main_window/main_form.h"
#include "plot_workbook.h"
#include "result_plots.h"
#include "ui_services.h"
#include "wait_cursor.h"

namespace korva::app_widgets {

TDlgExport::TDlgExport(TMainForm& main, QWidget* parent) : QDialog(parent ? parent : &main), main_(main)
{
    setWindowTitle("Export to Excel");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    // What happens here: the workbook is written to a file first, then opened
    // by the desktop (no spreadsheet program is driven, nothing is left to
    // save by hand).
    for (const char* note : kExportNotes)
        layout->addWidget(new QLabel(note, this));

    auto* group = new QGroupBox("Available Plots", this);
    auto* groupLayout = new QVBoxLayout(group);
    list_ = new QListWidget(group);
    list_->setObjectName("CheckListBoxPlots");
    groupLayout->addWidget(list_);
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    auto* selectAll = new QPushButton("Select All", this);
    auto* unselectAll = new QPushButton("Unselect All", this);
    generate_ = new QPushButton("Generate Excel File", this);
    auto* close = new QPushButton("Close Window", this);
    for (QPushButton* button : {selectAll, unselectAll, generate_, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    // When and where the last workbook was written.
    status_ = new QLabel(this);
    status_->setObjectName("WorkbookStatus");
    path_ = new QLabel(this);
    path_->setObjectName("WorkbookPath");
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* line : {status_, path_}) {
        line->hide();
        layout->addWidget(line);
    }
    connect(selectAll, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(unselectAll, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(generate_, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(close, &QPushButton::clicked, this, [this] { Button4Click(); });
}

void TDlgExport::FormActivate()
{
    list_->clear();
    main_.GraphicsMenuClick();
    app::TResultPlots& plots = main_.Session().ResultPlots();
    for (int number = 1; number <= app::kResultPlotCount; ++number) {
        auto* item = new QListWidgetItem(QString::fromStdString(plots.Plot(number)->Caption), list_);
        // A plot without points has nothing to chart.
        const bool enabled = main_.Actions().Plots[static_cast<std::size_t>(number - 1)]->isEnabled() &&
                             app::PlotHasPoints(*plots.Plot(number));
        item->setFlags(enabled ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsUserCheckable);
        item->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
    }
    CheckGenerateBtn();
}

void TDlgExport::TickEnabled(bool ticked)
{
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->flags() & Qt::ItemIsEnabled)
            list_->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    CheckGenerateBtn();
}

void TDlgExport::Button1Click()
{
    TickEnabled(true);
}

void TDlgExport::Button2Click()
{
    TickEnabled(false);
}

int TDlgExport::GetNPlots() const
{
    int ticked = 0;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            ++ticked;
    return ticked;
}

void TDlgExport::CheckGenerateBtn()
{
    generate_->setEnabled(GetNPlots() > 0);
}

bool TDlgExport::Button3Click()
{
    const std::string project = main_.Project().FileName;
    widgets::TFileDialogOptions options;
    options.Title = "Export Plots to Excel";
    options.Filters = {"Excel Workbook (*.xlsx)", "All Files(*.*)"};
    options.DefaultExtension = "xlsx";
    options.OverwritePrompt = true;
    options.InitialDir = app::ProjectFolder(project);
    options.FileName = QFileInfo(QString::fromStdString(app::ChangeFileExt(project, ".xlsx"))).fileName().toStdString();
    const std::optional<widgets::TFileDialogResult> chosen = widgets::Ui().Files->Save(options);
    if (!chosen)
        return false;

    app::TResultPlots& plots = main_.Session().ResultPlots();
    std::vector<const components::TGraphPlot*> ticked;
    for (int row = 0; row < list_->count() && row < app::kResultPlotCount; ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            ticked.push_back(plots.Plot(row + 1));
    try {
        const widgets::TWaitCursor wait;
        app::WritePlotWorkbook(chosen->FileName, ticked);
    } catch (const std::exception& e) {
        ShowStatus("No workbook was written.", {});
        widgets::Ui().Messages->Information(e.what());
        return false;
    }
    workbookPath_ = chosen->FileName;
    ShowStatus("The workbook was written at " + QTime::currentTime().toString("HH:mm:ss").toStdString() + " to:",
               workbookPath_);
    if (!widgets::Ui().Desktop->OpenDocument(chosen->FileName))
        widgets::Ui().Messages->Information("The workbook \"" + chosen->FileName +
                                            "\" was written, but no application could be started to open it.");
    return true;
}

void TDlgExport::ShowStatus(const std::string& status, const std::string& path)
{
    status_->setText(QString::fromStdString(status));
    status_->show();
    path_->setText(QString::fromStdString(path));
    path_->setVisible(!path.empty());
}

} // namespace korva::app_widgets
