// The numeric entry fields driven as a user drives them: typing, Tab, Enter,
// clicks, access keys, and windows that lose the activation.
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "data_combo.h"
#include "data_edit.h"
#include "entry_focus.h"
#include "exceptions.h"
#include "gui_test.h"

namespace korva::test {
namespace {

using widgets::TDataCombo;
using widgets::TDataEdit;

std::vector<std::string> Messages()
{
    return Recorded().Messages.Texts();
}

// A dialog of two labelled fields, a check box and a button, shown and active.
struct Dialog {
    Dialog()
    {
        auto* layout = new QVBoxLayout(&window);
        labelA = new QLabel(&window);
        a = new TDataEdit(&window);
        b = new TDataEdit(&window);
        check = new QCheckBox("Check", &window);
        button = new QPushButton("Close", &window);
        for (QWidget* w : std::initializer_list<QWidget*>{labelA, a, b, check, button})
            layout->addWidget(w);
        a->SetEditLabel(labelA);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        a->setFocus(Qt::OtherFocusReason);
        ProcessEvents();
    }
    void Type(TDataEdit* field, const char* text)
    {
        field->clear();
        QTest::keyClicks(field, text);
    }
    QWidget window;
    QLabel* labelA;
    TDataEdit* a;
    TDataEdit* b;
    QCheckBox* check;
    QPushButton* button;
};

TEST(DataEdit, TabEvaluatesTheExpressionAndMovesOn)
{
    Dialog d;
    d.Type(d.a, "2*3");
    QTest::keyClick(d.a, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(d.a->text(), "6");
    EXPECT_TRUE(d.a->EntryValid());
    EXPECT_EQ(d.a->Number(), 6);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(d.b->hasFocus());
}

// A value set by the program, longer than the field, shows its first digits
// (24.384000000097536 must not read ".384000000097536"); a typed value that
// is rewritten when the field is left too.
TEST(DataEdit, ALongValueIsShownFromItsFirstDigit)
{
    Dialog d;
    d.b->setFixedWidth(60);
    d.b->SetNumber(24.384000000097536L);
    EXPECT_EQ(d.b->cursorPosition(), 0);
    d.b->setFocus(Qt::OtherFocusReason);
    d.Type(d.b, "80*0.3048000000012192");
    QTest::keyClick(d.b, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_FALSE(d.b->hasFocus());
    EXPECT_EQ(d.b->text().left(3), "24.");
    EXPECT_EQ(d.b->cursorPosition(), 0);
}

TEST(DataEdit, FailuresShowTheirMessageAndKeepTheFocus)
{
    struct Case {
        const char* typed;
        bool integerOnly;
        double min;
        const char* message;
        const char* textAfter;
    };
    const Case cases[] = {
        {"-1", false, 0, "Entry must be greater than or equal to 0", "0"},
        {"2.5", true, -1e9, "Entry must be an integer.", "2.5"},
        {"abc", true, -1e9, "Entry must be a valid integer.", "abc"},
        {"abc", false, -1e9, "Entry could not be evaluated:\ninvalid character(s) in expression", "abc"},
        {"1/0", false, -1e9, "Entry could not be evaluated:\ndivision by zero", "1/0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Recorded().Messages.Shown.clear();
        Dialog d;
        d.a->SetIntegerOnly(c.integerOnly);
        d.a->SetMinVal(c.min);
        d.Type(d.a, c.typed);
        QTest::mouseClick(d.button, Qt::LeftButton); // a click elsewhere counts as leaving
        ProcessEvents();
        EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(d.a->text(), c.textAfter);
        EXPECT_FALSE(d.a->EntryValid());
        EXPECT_TRUE(d.a->hasFocus());
    }
}

TEST(DataEdit, HexAndLabel)
{
    Dialog d;
    d.a->SetHex(true);
    d.a->SetNumber(255);
    EXPECT_EQ(d.a->text(), "$00FF");

    EXPECT_EQ(d.labelA->text(), "");
    d.a->SetCaption("&Total Length, TL");
    EXPECT_EQ(d.labelA->text(), "&Total Length, TL");
    d.a->SetUnitsString("L2");
    EXPECT_EQ(d.labelA->text(), "&Total Length, TL (ft)");
    d.a->SetUnits(2);
    EXPECT_EQ(d.labelA->text(), "&Total Length, TL (m)");
    EXPECT_EQ(d.labelA->buddy(), d.a);
    d.a->setEnabled(false);
    EXPECT_FALSE(d.labelA->isEnabled());
    d.a->setEnabled(true);
    EXPECT_TRUE(d.labelA->isEnabled());

    // The access key of the label focuses the field.
    d.b->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(&d.window, Qt::Key_T, Qt::AltModifier);
    ProcessEvents();
    EXPECT_TRUE(d.a->hasFocus());
}

TEST(DataEdit, EnterValidatesAndSelectsTheText)
{
    Dialog d;
    d.Type(d.a, "1+");
    QTest::keyClick(d.a, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Entry could not be evaluated:\ninvalid expression"});
    EXPECT_EQ(d.a->selectedText(), "1+");
    EXPECT_TRUE(d.a->hasFocus());

    d.Type(d.a, "4/2");
    QTest::keyClick(d.a, Qt::Key_Enter);
    EXPECT_EQ(d.a->text(), "2");
    EXPECT_EQ(d.a->selectedText(), "2");
    EXPECT_EQ(Messages().size(), 1u);
}

TEST(DataEdit, AnOperatorExtendsASelectedValue)
{
    Dialog d;
    d.a->setText("12");
    d.a->selectAll();
    QTest::keyClick(d.a, '*');
    EXPECT_EQ(d.a->text(), "12*");
    d.a->selectAll();
    QTest::keyClick(d.a, '7'); // a digit replaces the selection
    EXPECT_EQ(d.a->text(), "7");
}

// Two invalid fields and Tab between them: one message per Tab, the focus
// back on the field that was left, the other field never validated.
TEST(DataEdit, TwoInvalidFieldsDoNotBounceTheFocus)
{
    Dialog d;
    d.a->SetIntegerOnly(true);
    d.b->setText("zzz");
    d.Type(d.a, "abc");
    QTest::keyClick(d.a, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Entry must be a valid integer."});
    EXPECT_TRUE(d.a->hasFocus());
    QTest::keyClick(d.a, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Entry must be a valid integer.", "Entry must be a valid integer."}));
    EXPECT_TRUE(d.a->hasFocus());
    EXPECT_FALSE(d.b->EntryValid());
    EXPECT_EQ(d.b->text(), "zzz");
}

// Switching windows is not leaving the field; the window that loses the
// activation asks its last focused field, and the message comes once.
TEST(DataEdit, TheLastFocusedFieldOfAWindowIsAskedOnce)
{
    Dialog d;
    d.Type(d.a, "oops");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ProcessEvents();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(widgets::LastFocusedControl(d.b), d.a);

    EXPECT_FALSE(widgets::ValidateLastEntry(&d.window));
    EXPECT_FALSE(widgets::ValidateLastEntry(d.check)); // focus return pending: no second message
    EXPECT_EQ(Messages().size(), 1u);
    ProcessEvents();

    // A valid field, or a last control that is no entry field, is valid.
    d.a->setText("5");
    EXPECT_TRUE(widgets::ValidateLastEntry(&d.window));
    d.check->setFocus(Qt::OtherFocusReason);
    d.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d.window));
    d.check->setFocus(Qt::OtherFocusReason);
    d.a->setText("oops");
    EXPECT_TRUE(widgets::ValidateLastEntry(&d.window));
    EXPECT_EQ(Messages().size(), 1u);
}

// A menu or a message box taking the focus is not leaving the field.
TEST(DataEdit, APopupMenuIsNotLeaving)
{
    Dialog d;
    d.Type(d.a, "1+");
    QMenu menu(&d.window);
    menu.addAction("Item");
    menu.popup(d.a->mapToGlobal(QPoint(0, 0)));
    ProcessEvents();
    menu.close();
    ProcessEvents();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(d.a->text(), "1+");
}

// MDI children: activating another child does not validate; the child that
// was left still knows its last field (Qt has cleared its focus widget).
TEST(DataEdit, MdiChildrenKeepTheirLastField)
{
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    auto* first = new QWidget;
    auto* field = new TDataEdit(first);
    auto* other = new QWidget;
    auto* otherField = new TDataEdit(other);
    QMdiSubWindow* sub1 = area->addSubWindow(first);
    QMdiSubWindow* sub2 = area->addSubWindow(other);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    area->setActiveSubWindow(sub1);
    field->setFocus(Qt::OtherFocusReason);
    ProcessEvents();
    field->setText("1+");
    area->setActiveSubWindow(sub2);
    otherField->setFocus(Qt::MouseFocusReason);
    ProcessEvents();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(widgets::EntryWindowOf(field), sub1);
    EXPECT_EQ(widgets::LastFocusedControl(first), field);
    EXPECT_EQ(widgets::LastFocusedControl(other), otherField);
    EXPECT_FALSE(widgets::ValidateLastEntry(first));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Entry could not be evaluated:\ninvalid expression"});
}

// OnExit runs before the field's own validation and may correct the value.
TEST(DataEdit, OnExitRunsFirst)
{
    Dialog d;
    QObject::connect(d.a, &TDataEdit::OnExit, [&d] {
        if (d.a->text() == "-3")
            d.a->SetNumber(0);
    });
    d.Type(d.a, "-3");
    QTest::keyClick(d.a, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(d.a->text(), "0");
    EXPECT_TRUE(d.a->EntryValid());
    EXPECT_TRUE(widgets::ValidateDataEdit(d.a));
}

TEST(DataEdit, SettingABoundOverAnInvalidTextRaises)
{
    TDataEdit field;
    field.setText("abc");
    EXPECT_THROW(field.SetMaxVal(1), components::EAssignError);
    field.setText("7");
    field.SetMaxVal(5);
    EXPECT_EQ(field.text(), "5");
}

TEST(DataCombo, KeysAreFilteredAndItemsStandForValues)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* combo = new TDataCombo(&window);
    auto* next = new QPushButton("Next", &window);
    layout->addWidget(combo);
    layout->addWidget(next);
    combo->addItems({"Low", "Half"});
    combo->SetValues({"1", "2.5"});
    combo->SetMaxVal(10);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    combo->setFocus(Qt::OtherFocusReason);
    combo->setEditText("");
    QTest::keyClicks(combo, "1a.5e+3x");
    EXPECT_EQ(combo->currentText(), "1.5E3");
    QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(combo->currentText(), "1.5E");

    combo->setCurrentIndex(1);
    EXPECT_EQ(combo->currentText(), "Half");
    QTest::keyClick(combo, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(combo->currentText(), "2.5");
    EXPECT_EQ(combo->Number(), 2.5L);
    EXPECT_TRUE(combo->EntryValid());

    // Beyond the bound: the message with 8 digits, the bound set, the focus back.
    combo->setFocus(Qt::OtherFocusReason);
    combo->setEditText("11");
    QTest::mouseClick(next, Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Entry must be less than or equal to 10"});
    EXPECT_EQ(combo->currentText(), "10");
    EXPECT_TRUE(combo->hasFocus());
    EXPECT_FALSE(widgets::ValidateDataCombo(nullptr));
}

TEST(DataCombo, MadeAtRunTimeItsBoundsAreZero)
{
    TDataCombo combo;
    combo.setEditText("3");
    EXPECT_FALSE(widgets::ValidateDataCombo(&combo));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Entry must be less than or equal to 0"});
    EXPECT_EQ(combo.currentText(), "0");
}

} // namespace
} // namespace korva::test
