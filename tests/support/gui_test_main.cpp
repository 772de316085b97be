// The main of every GUI test suite. Test discovery runs the binary without
// ctest's environment, and a widgets program aborts without a display, so the
// platform is offscreen unless the caller chose one.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QEventLoop>
#include <gtest/gtest.h>

#include "gui_test.h"
#include "korva_application.h"

namespace korva::test {

namespace {

struct PerTest {
    widgets::TRecordingServices services;
    std::unique_ptr<widgets::TScopedUiServices> installed;
    std::filesystem::path configHome;
};

PerTest* current = nullptr;

// Before each test: new doubles and a new configuration folder (QSettings
// and the settings store follow XDG_CONFIG_HOME); after it, both go.
class PerTestSetUp : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        current = new PerTest;
        current->installed = std::make_unique<widgets::TScopedUiServices>(current->services.Services());
        std::string folder = (std::filesystem::temp_directory_path() / "korva-gui-test.XXXXXX").string();
        if (mkdtemp(folder.data())) {
            current->configHome = folder;
            setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        }
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        ProcessEvents();
        std::error_code ignored;
        if (!current->configHome.empty())
            std::filesystem::remove_all(current->configHome, ignored);
        delete current;
        current = nullptr;
    }
};

// The offscreen platform says what it cannot do (raise a window, size
// hints); that is no news in a test.
QtMessageHandler defaultHandler = nullptr;

void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("This plugin does not support"))
        return;
    defaultHandler(type, context, message);
}

} // namespace

widgets::TRecordingServices& Recorded()
{
    return current->services;
}

void ProcessEvents()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

} // namespace korva::test

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    korva::test::defaultHandler = qInstallMessageHandler(korva::test::QuietOffscreen);
    korva::widgets::TKorvaApplication app(argc, argv, "Korva 2015");
    ::testing::UnitTest::GetInstance()->listeners().Append(new korva::test::PerTestSetUp);
    return RUN_ALL_TESTS();
}
