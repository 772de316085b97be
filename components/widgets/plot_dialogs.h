#pragma once
// The four small modal dialogs of the plot window: Save Attributes (size
// and resolution of an exported bitmap), Graph Caption (the extra title),
// Legend (renaming the curves) and Active Curves (the curves listed in the
// legend and the menu). Each only copies values between its controls and
// its model in plot_dialog_models.h; the plot window runs it (RunDialog)
// and applies the model on OK.
#include <optional>

#include <QDialog>

#include "graph_plot.h"
#include "plot_dialog_models.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace korva::widgets {

class TDataEdit;

// The result of a dialog that could not do its work for lack of memory.
inline constexpr int kDialogAbort = 3;

// Save Attributes: OK checks the three entries (a failing one keeps the
// dialog open with its message) and sizes the bitmap; a bitmap too large
// closes it with kDialogAbort.
class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    explicit TdlgFormat(QWidget* owner);

    TDataEdit* HeightEdit() const { return height_; }
    TDataEdit* WidthEdit() const { return width_; }
    TDataEdit* PixelsEdit() const { return pixels_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The size OK chose.
    const std::optional<components::TBitmapSize>& Size() const { return size_; }

private:
    void OkClick();

    TDataEdit* height_;
    TDataEdit* width_;
    TDataEdit* pixels_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::optional<components::TBitmapSize> size_;
};

// Graph Caption: the title and whether it stands on top.
class TfrmGraphCaption : public QDialog {
    Q_OBJECT
public:
    TfrmGraphCaption(QWidget* owner, const components::TGraphPlot& plot);

    QLineEdit* Field() const { return field_; }
    QRadioButton* TopButton() const { return top_; }
    QRadioButton* BottomButton() const { return bottom_; }
    QPushButton* OkButton() const { return ok_; }

    std::string Text() const;
    bool OnTop() const;

private:
    QLineEdit* field_;
    QRadioButton* top_;
    QRadioButton* bottom_;
    QPushButton* ok_;
};

// Legend: one entry per main line; the field renames the selected one.
class TfrmLineNames : public QDialog {
    Q_OBJECT
public:
    TfrmLineNames(QWidget* owner, const components::TGraphPlot& plot);

    QListWidget* List() const { return list_; }
    QLineEdit* Field() const { return field_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    const components::TLegendNamesList& Names() const { return names_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Opens in the middle of the screen.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectRow(int row);
    void CommitField();

    components::TLegendNamesList names_;
    QLabel* label_;
    QListWidget* list_;
    QLabel* fieldLabel_;
    QLineEdit* field_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Active Curves: one row per main line, its flag and its name.
class TfrmActiveLines : public QDialog {
    Q_OBJECT
public:
    TfrmActiveLines(QWidget* owner, const components::TGraphPlot& plot);

    QListWidget* List() const { return list_; }
    QPushButton* ToggleSelectedButton() const { return toggle_; }
    QPushButton* ActivateAllButton() const { return all_; }
    QPushButton* DeactivateAllButton() const { return none_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    const components::TActiveCurvesList& Rows() const { return rows_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowRows();
    void ToggleSelected();

    components::TActiveCurvesList rows_;
    QLabel* label_;
    QLabel* active_;
    QLabel* curve_;
    QListWidget* list_;
    QPushButton* toggle_;
    QPushButton* all_;
    QPushButton* none_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace korva::widgets
