#pragma once
// TDlgExport, "Export to Excel": the result plots that the Graphics menu
// would show, ticked in a list; "Generate Excel File" writes them as a
// workbook (a Legend sheet, per plot a data sheet and a chart) where the
// user chooses, beside the project and named after it at first, and opens
// it with the desktop's application for workbooks.
#include <string>

#include <QDialog>

class QListWidget;
class QPushButton;

namespace korva::app_widgets {

class TMainForm;

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
    // The workbook written last.
    const std::string& WorkbookPath() const { return workbookPath_; }

private:
    void TickEnabled(bool ticked);

    TMainForm& main_;
    QListWidget* list_ = nullptr;
    QPushButton* generate_ = nullptr;
    std::string workbookPath_;
};

} // namespace korva::app_widgets
