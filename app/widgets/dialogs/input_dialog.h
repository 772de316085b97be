#pragma once
// TInputDialog: the base of every input dialog of the main window (pile
// material, computation methods, pile properties, options, title, t-z print,
// soil layers and properties, CPT data). It carries the pattern they share:
//
//   - a non-modal child window of the main window, made on first use
//     (child_windows.h tells how a dialog is added);
//   - activation loads the controls from the project: LoadFromProject sets
//     the unit system of the entry fields, then the values, then the
//     enabling rules. Loading never marks the project modified;
//   - deactivation (another child window becomes active, or the main window
//     commits before a menu, a tool button, a save or a run) first asks
//     whether the field that had the focus last is valid. When it is not,
//     its message was shown, it keeps the focus and nothing is stored; else
//     StoreToProject writes every control back, and the controls then show
//     what the project holds (ShowStored): a store that repairs a value (an
//     increment below 0.000001 becomes 1, a print interval of 2.5 becomes 2)
//     leaves no field showing what was not stored. Such a field shows the
//     value its store will keep already when it is left (SetStoredForm of
//     the entry fields), without storing it;
//   - closing runs the same test and the same store, refuses while the field
//     is invalid, then frees the window and clears its created flag;
//   - the child window is as large as the dialog's controls need, growing
//     and shrinking with them (longer unit labels, a group hidden).
//
// A dialog derives from it, builds its controls in its constructor and
// implements the two methods:
//
//   class TfrmMaterial : public TInputDialog {
//   public:
//       explicit TfrmMaterial(TMainForm& main) : TInputDialog(main, "Pile Material") { ... }
//   protected:
//       void LoadFromProject() override;  // units, values, enabling
//       void StoreToProject() override;   // controls -> Project(); MarkModified() on a change
//   };
//
// Edits call MarkModified() (the main window's SetModified(true)), which is
// ignored while the dialog loads. A "Close" button calls RequestClose(). A
// dialog that leaves without checking its field overrides FocusedFieldValid.
#include <QWidget>

class QMdiSubWindow;

namespace korva::app {
class TProgramData;
class TProjectTables;
} // namespace korva::app

namespace korva::app_widgets {

class TMainForm;

class TInputDialog : public QWidget {
    Q_OBJECT

public:
    TInputDialog(TMainForm& main, const QString& caption);
    ~TInputDialog() override;

    // Loads the controls (the activation handler). The main window calls it
    // when the dialog becomes the active child, and again when the project
    // changes under it (a unit switch).
    void Activate();
    // Stores the controls (the deactivation handler); false, with nothing
    // stored, while the focused field is invalid or the store failed (its
    // message was shown).
    bool Deactivate();
    // Asks the child window to close, as its close box does.
    void RequestClose();
    // Closes without the test and without storing (the project is replaced,
    // or the dialog no longer applies to it).
    void Discard();

    // The child window that holds the dialog (nullptr before it is placed).
    QMdiSubWindow* SubWindow() const;

protected:
    virtual void LoadFromProject() = 0;
    virtual void StoreToProject() = 0;
    // After a store: the controls show the values as stored. By default they
    // are loaded again, as an activation loads them; a dialog whose controls
    // already show what its store keeps may do nothing.
    virtual void ShowStored();
    // Whether the dialog may be left: by default the exit validation of the
    // entry field that had the focus last, which shows its own message and
    // takes the focus back when the entry is invalid.
    virtual bool FocusedFieldValid();

    TMainForm& Main() const { return main_; }
    app::TProgramData& Project() const;
    app::TProjectTables& Tables() const;
    // The project changed: SetModified(true) on the main window, except
    // while the dialog loads.
    void MarkModified();
    bool Loading() const { return loading_; }

    void closeEvent(QCloseEvent* event) override;
    // The child window takes the dialog's size: its layout gives the dialog
    // the size its controls need, which changes with the unit system's
    // labels and the groups the enabling rules show or hide.
    void resizeEvent(QResizeEvent* event) override;

private:
    TMainForm& main_;
    bool loading_ = false;
    bool discarding_ = false;
};

} // namespace korva::app_widgets
