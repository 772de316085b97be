#pragma once
// The "OK" and "Cancel" row of a small modal dialog: OK (the default button)
// runs the dialog's own check, Cancel rejects.
#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace korva::widgets {

struct TOkCancelRow {
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
    QHBoxLayout* Row = nullptr; // the two buttons at its right; the caller places it
};

TOkCancelRow MakeOkCancelRow(QDialog* dialog, std::function<void()> onOk);

} // namespace korva::widgets
