// The widget layer's foundation: the application object, the recording
// doubles in force for every test, and the settings store.
#include <clocale>
#include <cstdlib>

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui_test.h"
#include "korva_application.h"
#include "qt_services.h"

namespace korva::test {
namespace {

using widgets::TMessageKind;

TEST(Application, NamesTheProgramAndKeepsNumbersInTheCLocale)
{
    EXPECT_EQ(QApplication::organizationName(), "Varnek");
    EXPECT_EQ(QApplication::applicationName(), "KORVA");
    EXPECT_EQ(widgets::TKorvaApplication::Title(), "Korva 2015");
    // Qt would append a display name to every window caption.
    EXPECT_EQ(QApplication::applicationDisplayName(), QApplication::applicationName());
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

TEST(Application, AnExceptionInAnEventHandlerIsShownAndTheLoopGoesOn)
{
    QObject target;
    QTimer::singleShot(0, &target, [] { throw std::runtime_error("Entry could not be evaluated: x"); });
    ProcessEvents();
    ASSERT_EQ(Recorded().Messages.Shown.size(), 1u);
    EXPECT_EQ(Recorded().Messages.Shown[0].Kind, TMessageKind::Information);
    EXPECT_EQ(Recorded().Messages.Shown[0].Text, "Entry could not be evaluated: x");
}

TEST(Messages, CarriageReturnsBecomeLineBreaks)
{
    EXPECT_EQ(widgets::DisplayText("one\rtwo\r\nthree\r"), "one\ntwo\nthree\n");
    widgets::Ui().Messages->Warning("Top\rBottom");
    EXPECT_EQ(Recorded().Messages.Texts(), std::vector<std::string>{"Top\nBottom"});
}

TEST(Messages, QuestionsTakeTheScriptedAnswersThenTheDefaults)
{
    Recorded().Messages.Answers = {widgets::TMessageAnswer::No};
    EXPECT_FALSE(widgets::Ui().Messages->YesNo("Delete?"));
    EXPECT_TRUE(widgets::Ui().Messages->YesNo("Delete?"));
    EXPECT_EQ(widgets::Ui().Messages->YesNoCancel("Save?"), widgets::TMessageAnswer::Cancel);
}

// Services are looked up only after something put them in force: the
// program its Qt services at start-up, tests and the probe the recording
// doubles. A lookup before that is a fault of the program, which stops with
// a message naming what is missing instead of answering for a user.
TEST(UiServicesDeathTest, TheLookupWithoutInstalledServicesStopsWithAMessage)
{
    // The child is a fresh run of this binary, not a fork of a process that
    // has the application's threads; it gets no per-test doubles of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    {
        const widgets::TScopedUiServices none(widgets::TUiServices{});
        EXPECT_DEATH(widgets::Ui(), "no Messages service is installed");
    }
    widgets::TRecordingServices doubles;
    widgets::TUiServices withoutRunner = doubles.Services();
    withoutRunner.Dialogs = nullptr;
    const widgets::TScopedUiServices partial(withoutRunner);
    EXPECT_DEATH(widgets::Ui(), "no Dialogs service is installed");
}

// Each test has its own configuration folder: what one test stores, the next
// never sees.
TEST(Settings, StoreReadsBackWhatItWrote)
{
    widgets::TQtSettings settings;
    EXPECT_FALSE(settings.Read("Word Processor"));
    EXPECT_TRUE(settings.Write("Word Processor", "/usr/bin/xdg-open"));
    EXPECT_EQ(settings.Read("Word Processor"), "/usr/bin/xdg-open");
}

TEST(Settings, EachTestStartsWithAnEmptyStore)
{
    widgets::TQtSettings settings;
    EXPECT_FALSE(settings.Read("Word Processor"));
    EXPECT_TRUE(settings.Write("File1", "a.kv7d"));
}

} // namespace
} // namespace korva::test
