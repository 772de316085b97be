#pragma once
// TDlgExport, "Export to Excel": the result plots that the Graphics menu
// would show, ticked in a list; "Generate Excel File" writes them as a
// workbook (a Legend sheet, per plot a data sheet and a chart) where the
// user chooses, beside the project and named after it at first, and opens
// it with the desktop's application for workbooks. Its notes say so, and a
// line under the buttons tells when the workbook was written, with its path
// on the line below.
#include <array>
#include <string>

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace korva::app_widgets {

class TMainForm;

// The notes at the top of the dialog.
inline constexpr std::array<const char*, 3> kExportNotes = {
    "The workbook opens in the desktop's spreadsheet application (if one is installed).",
    "Please wait until all the data has been written to the workbook.",
    "The workbook is saved in the file you choose.",
};

class TDlgExport : public QDialog {
    Q_OBJECT
public:
    explicit TDlgExport(TMainForm& main, QWidget* parent = nullptr);

    // Lists the ten plots by caption; an item is enabled and ticked exactly
    // when its Graphics menu entry is enabled and the plot has a point. Then
    // CheckGenerateBtn.
    void FormActivate();
    // "Select All" / "Unselect All": every enabled item, then CheckGenerateBtn.
    void Button1Click();
    void Button2Click();
    // "Generate Excel File": the ticked plots, in list order, to the file
    // chosen; false when nothing was written (cancelled or failed, with the
    // failure shown).
    bool Button3Click();
    // "Close Window".
    void Button4Click() { reject(); }

    // Number of ticked items.
    int GetNPlots() const;
    // "Generate Excel File" is enabled when an item is ticked; ticking by
    // hand leaves the button as it is.
    void CheckGenerateBtn();

    QListWidget* CheckListBoxPlots() const { return list_; }
    QPushButton* GenerateButton() const { return generate_; }
    // "The workbook was written at 10:41:07 to:" and the path, or "No
    // workbook was written." after a failure; hidden before the first.
    QLabel* StatusLine() const { return status_; }
    QLabel* PathLine() const { return path_; }
    // The workbook written last.
    const std::string& WorkbookPath() const { return workbookPath_; }

private:
    void TickEnabled(bool ticked);
    void ShowStatus(const std::string& status, const std::string& path);

    TMainForm& main_;
    QListWidget* list_ = nullptr;
    QPushButton* generate_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* path_ = nullptr;
    std::string workbookPath_;
};

} // namespace korva::app_widgets
