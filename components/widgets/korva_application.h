#pragma once
// The application object of the program, of the probe and of every GUI test:
// organisation "Varnek", application "KORVA", numbers in the C locale whatever
// the environment, and no exception escaping the event loop. It installs no
// desktop services: the program puts the Qt ones in force, tests and the
// probe the recording doubles.
#include <QApplication>

namespace korva::widgets {

class TKorvaApplication : public QApplication {
public:
    TKorvaApplication(int& argc, char** argv, const QString& title);
    ~TKorvaApplication() override;

    // Every event goes through here: an exception that reaches the event loop
    // is shown as an information box and the event counts as not handled.
    bool notify(QObject* receiver, QEvent* event) override;

    // The program's title ("Korva 2015"), the caption of its message boxes.
    // It is not Qt's display name, which the platform would append to every
    // window caption.
    static QString Title();

private:
    QString title_;
};

} // namespace korva::widgets
