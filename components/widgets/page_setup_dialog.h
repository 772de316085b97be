#pragma once
// TPageSetupDialog: the page-setup component of the plot window. It keeps
// the options and margins (page_setup.h) between prints; Execute opens a
// small dialog of four margins in the options' unit. The printer and the
// paper are chosen in the print dialog, where they reach the printer.
#include <array>
#include <string>

#include <QDialog>

#include "page_setup.h"

class QLabel;
class QPushButton;

namespace korva::widgets {

class TDataEdit;

// The dialog itself: four margins, OK and Cancel. OK checks the four
// entries (a failing one keeps it open with its message), then that they
// leave at least an inch each way to print on the setup's paper (margins
// that leave less are refused with a message, the dialog stays open).
class TPageSetupForm : public QDialog {
    Q_OBJECT
public:
    TPageSetupForm(QWidget* owner, const components::TPageSetup& setup);

    // Left, top, right, bottom.
    TDataEdit* MarginEdit(int side) const { return margins_[static_cast<std::size_t>(side)]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The four entries in the options' unit (thousandths of an inch or
    // hundredths of a millimetre).
    components::TPageMargins Margins() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkClick();

    components::TPageSetup setup_; // options, minimum margins and paper
    std::array<TDataEdit*, 4> margins_{};
    QPushButton* ok_;
    QPushButton* cancel_;
};

class TPageSetupDialog {
public:
    components::TPageSetup& Setup() { return setup_; }
    const components::TPageSetup& Setup() const { return setup_; }

    // Opens the dialog on the paper of the current printer (PaperWidth and
    // PaperLength of the setup); on OK the margins go through the margin
    // setters (each at least its minimum). True on OK. Any failure is shown
    // as "Error in TPageSetupDialog.Execute" with its text, and gives false.
    bool Execute(QWidget* owner);

private:
    components::TPageSetup setup_;
};

} // namespace korva::widgets
