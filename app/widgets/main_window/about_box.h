#pragma once
// TAboutBox: the modal About window with the program's version.
#include <QDialog>

class QLabel;

namespace korva::app_widgets {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The version line as the window shows it.
    QString VersionText() const;

    // The contact lines: a new message to the support address, the web site.
    void Label4Click();
    void Label6Click();

protected:
    // Each showing fills the version line.
    void showEvent(QShowEvent* event) override;

private:
    QLabel* version_ = nullptr;
};

} // namespace korva::app_widgets
