#pragma once
// Three small input dialogs: TDlgOptions, "Control Options" (computation
// increment, print interval, word processor), TdlgTitle, "Project Title"
// (title, designer, job number) and TDlgTZPrint, "Option of Printing t-z
// Curves" (extra t-z curves at the depths of TblTZDepth). The rules live in
// option_rules.h.
#include <QPlainTextEdit>

#include "dialogs/dialog_fields.h"
#include "dialogs/input_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korva::app_widgets {

class TDlgOptions : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TDlgOptions(TMainForm& main);
    const TFieldControls& Fields() const override { return fields_; }
    // "&Browse...": a program chosen in a file chooser replaces the path.
    void BrowseClick();

protected:
    void LoadFromProject() override;
    void StoreToProject() override;

private:
    widgets::TDataEdit* dataEdit3_; // increment
    widgets::TDataEdit* dataEdit2_; // print interval
    QLineEdit* edtWord_;
    TFieldControls fields_;
};

// A text of at most `maxLength` characters on one line: Enter inserts no
// line break, and pasted line breaks become blanks.
class TSingleLineMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    TSingleLineMemo(int maxLength, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void Insert(QString text);
    int maxLength_;
};

class TdlgTitle : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TdlgTitle(TMainForm& main);
    const TFieldControls& Fields() const override { return fields_; }

protected:
    void LoadFromProject() override;
    void StoreToProject() override;
    bool FocusedFieldValid() override { return true; } // no entry fields

private:
    TSingleLineMemo* titleMemo_;
    QLineEdit* dataEdit1_; // designer
    QLineEdit* dataEdit2_; // job number
    TFieldControls fields_;
};

class TDlgTZPrint : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TDlgTZPrint(TMainForm& main);
    const TFieldControls& Fields() const override { return fields_; }
    // "Edit Depths": the table of the extra depths.
    void EditDepthsClick();

protected:
    void LoadFromProject() override;
    void StoreToProject() override;
    bool FocusedFieldValid() override { return true; } // no entry fields

private:
    QCheckBox* chkPrint_;
    QPushButton* editDepths_;
    TFieldControls fields_;
};

} // namespace korva::app_widgets
