// The main window's child windows: made on first use with one created flag
// each, freed when closed, and the activation protocol of the input dialogs
// (load on activation, store when left, an invalid field keeps the dialog
// active and stores nothing).
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QVBoxLayout>

#include "data_edit.h"
#include "dialogs/input_dialog.h"
#include "main_form_fixture.h"
#include "ui_services.h"

namespace korva::test {
namespace {

using Strings = std::vector<std::string>;

// An input dialog over the project title, with a field whose validity the
// test decides.
class TitleDialog : public app_widgets::TInputDialog {
public:
    explicit TitleDialog(TMainForm& main) : TInputDialog(main, "Project Title")
    {
        auto* layout = new QVBoxLayout(this);
        Title = new QLineEdit(this);
        Title->setMinimumWidth(1000); // wider than the area
        Title->setMinimumHeight(Height);
        layout->addWidget(Title);
        ++Made;
    }
    ~TitleDialog() override { ++Freed; }

    QLineEdit* Title;
    int Loads = 0;  // activations
    int Stores = 0;
    int StoredShown = 0;
    bool Valid = true;
    static inline int Made = 0;
    static inline int Freed = 0;
    static inline int Height = 0; // of the field, when a test wants tall dialogs

protected:
    void LoadFromProject() override
    {
        ++Loads;
        Title->setText(QString::fromStdString(Project().ProjectTitle));
        MarkModified(); // loading never marks the project
    }
    void StoreToProject() override
    {
        ++Stores;
        if (Title->text().toStdString() != Project().ProjectTitle) {
            Project().ProjectTitle = Title->text().toStdString();
            MarkModified();
        }
    }
    bool FocusedFieldValid() override
    {
        if (!Valid)
            widgets::Ui().Messages->Information("Entry must be a valid integer.");
        return Valid;
    }
    // Counted apart from the activations (the default loads again).
    void ShowStored() override { ++StoredShown; }
};

QWidget* MakeTitleDialog(TMainForm& main)
{
    return new TitleDialog(main);
}

// An input dialog with a numeric entry field over the modulus: its own
// check of the field that had the focus last.
class ModulusDialog : public app_widgets::TInputDialog {
public:
    explicit ModulusDialog(TMainForm& main) : TInputDialog(main, "Pile Material")
    {
        auto* layout = new QVBoxLayout(this);
        Modulus = new widgets::TDataEdit(this);
        layout->addWidget(Modulus);
    }
    widgets::TDataEdit* Modulus;
    int Stores = 0;

protected:
    void LoadFromProject() override { Modulus->SetNumber(Project().ElasticModulus); }
    void StoreToProject() override
    {
        ++Stores;
        Project().ElasticModulus = Modulus->Number();
        MarkModified();
    }
};

QWidget* MakeModulusDialog(TMainForm& main)
{
    return new ModulusDialog(main);
}

TitleDialog* Dialog(TMainForm& form, TChildKind kind)
{
    return dynamic_cast<TitleDialog*>(form.Child(kind));
}

struct ChildrenFixture : MainFormFixture {
    ChildrenFixture()
    {
        TitleDialog::Made = TitleDialog::Freed = 0;
        TitleDialog::Height = 0;
        for (TChildKind kind : {TChildKind::Title, TChildKind::Material, TChildKind::Options, TChildKind::TzPrint,
                                TChildKind::CircularSection, TChildKind::NoncircularSection})
            form->SetChildFactory(kind, &MakeTitleDialog);
    }
};

TEST(MainFormChildren, MadeOnFirstUseFreedWhenClosed)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    EXPECT_EQ(form.Child(TChildKind::Title), nullptr);
    EXPECT_TRUE(form.Actions().Children[static_cast<std::size_t>(TChildKind::Title)]->isEnabled());
    // A kind without a window yet: its entry is disabled and shows nothing.
    form.SetChildFactory(TChildKind::SoilLayers, nullptr);
    EXPECT_FALSE(form.Actions().Children[static_cast<std::size_t>(TChildKind::SoilLayers)]->isEnabled());
    EXPECT_EQ(form.ShowChild(TChildKind::SoilLayers), nullptr);

    form.Actions().Children[static_cast<std::size_t>(TChildKind::Title)]->trigger();
    TitleDialog* dialog = Dialog(form, TChildKind::Title);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_GE(dialog->SubWindow()->x(), 0);
    EXPECT_EQ(dialog->SubWindow()->windowTitle(), "Project Title");
    EXPECT_EQ(dialog->Loads, 1);
    EXPECT_EQ(dialog->Title->text(), "New Pile");
    EXPECT_FALSE(form.IsModified()); // opening a dialog changes nothing
    EXPECT_EQ(form.ShowChild(TChildKind::Title), dialog); // the second command only brings it forward
    EXPECT_EQ(TitleDialog::Made, 1);

    dialog->Title->setText("Pier 7");
    dialog->RequestClose();
    EXPECT_EQ(form.Child(TChildKind::Title), nullptr); // the flag clears at once
    EXPECT_EQ(form.Project().ProjectTitle, "Pier 7");  // closing stores
    EXPECT_TRUE(form.IsModified());
    ProcessEvents();
    EXPECT_EQ(TitleDialog::Freed, 1);
    EXPECT_NE(form.ShowChild(TChildKind::Title), nullptr); // made again
    EXPECT_EQ(TitleDialog::Made, 2);
}

TEST(MainFormChildren, TwoDialogsEachWithItsOwnFlag)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    form.Actions().Children[static_cast<std::size_t>(TChildKind::Options)]->trigger();
    form.Actions().Children[static_cast<std::size_t>(TChildKind::TzPrint)]->trigger();
    TitleDialog* options = Dialog(form, TChildKind::Options);
    TitleDialog* tzPrint = Dialog(form, TChildKind::TzPrint);
    ASSERT_NE(options, nullptr);
    ASSERT_NE(tzPrint, nullptr);
    EXPECT_NE(options, tzPrint);
    EXPECT_TRUE(options->isVisible());
    EXPECT_TRUE(tzPrint->isVisible());
    EXPECT_EQ(form.MdiArea()->subWindowList().size(), 2);
    form.WindowMenuClick();
    const QList<QAction*> entries = form.Menus().Window->actions();
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[3]->text(), "Project Title");
}

TEST(MainFormChildren, LeavingStoresAndTheNextLoads)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    form.SetModified(true); // an earlier edit: activations never clear it
    TitleDialog* first = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    EXPECT_TRUE(form.IsModified());
    first->Title->setText("Pier 7");
    TitleDialog* second = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Material));
    ASSERT_NE(second, nullptr);
    EXPECT_GE(first->Stores, 1);
    EXPECT_EQ(first->StoredShown, first->Stores); // each store shows what it kept
    EXPECT_EQ(form.Project().ProjectTitle, "Pier 7");
    EXPECT_EQ(second->Title->text(), "Pier 7");

    // A click on the first one: the second stores, the first loads again.
    second->Title->setText("Pier 8");
    form.MdiArea()->setActiveSubWindow(first->SubWindow());
    ProcessEvents();
    EXPECT_EQ(form.Project().ProjectTitle, "Pier 8");
    EXPECT_EQ(first->Title->text(), "Pier 8");
    EXPECT_EQ(first->Loads, 2);
}

TEST(MainFormChildren, AnInvalidFieldKeepsTheDialogActiveAndStoresNothing)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    TitleDialog* first = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    TitleDialog* second = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Material));
    form.MdiArea()->setActiveSubWindow(first->SubWindow());
    ProcessEvents();
    first->Title->setText("Half typed");
    first->Valid = false;
    const int stores = first->Stores;
    const int loads = second->Loads;

    // Another dialog through the menu: refused before anything happens.
    EXPECT_EQ(form.ShowChild(TChildKind::Material), nullptr);
    // A click on the other dialog: the first takes the activation back.
    form.MdiArea()->setActiveSubWindow(second->SubWindow());
    ProcessEvents();
    EXPECT_EQ(form.MdiArea()->activeSubWindow(), first->SubWindow());
    EXPECT_EQ(first->Stores, stores);
    EXPECT_EQ(second->Loads, loads);
    EXPECT_EQ(first->Title->text(), "Half typed");
    EXPECT_EQ(form.Project().ProjectTitle, "New Pile");
    EXPECT_EQ(f.Messages(), (Strings{"Entry must be a valid integer.", "Entry must be a valid integer."}));

    // Save, run and New stop; closing is refused.
    EXPECT_FALSE(form.FileSaveClick());
    form.CompRunClick();
    form.FileNewClick();
    first->RequestClose();
    EXPECT_EQ(form.Child(TChildKind::Title), first);
    EXPECT_EQ(Recorded().Files.Calls.size(), 0u);
    EXPECT_EQ(first->Stores, stores);

    first->Valid = true;
    first->RequestClose();
    EXPECT_EQ(form.Child(TChildKind::Title), nullptr);
    EXPECT_EQ(form.Project().ProjectTitle, "Half typed");
}

TEST(MainFormChildren, TheEntryFieldThatHadTheFocusDecides)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    form.SetChildFactory(TChildKind::Material, &MakeModulusDialog);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* title = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    auto* material = dynamic_cast<ModulusDialog*>(form.ShowChild(TChildKind::Material));
    ASSERT_NE(material, nullptr);
    material->Modulus->setFocus(Qt::OtherFocusReason);
    ProcessEvents();
    material->Modulus->setText("1+");
    // A click on the other child: one message, the focus and the activation
    // stay, nothing is stored.
    form.MdiArea()->setActiveSubWindow(title->SubWindow());
    ProcessEvents();
    EXPECT_EQ(f.Messages(), Strings{"Entry could not be evaluated:\ninvalid expression"});
    EXPECT_EQ(form.MdiArea()->activeSubWindow(), material->SubWindow());
    EXPECT_EQ(material->Stores, 0);
    EXPECT_EQ(form.Project().ElasticModulus, 0);
    EXPECT_EQ(material->Modulus->text(), "1+");

    material->Modulus->setText("29e6");
    form.MdiArea()->setActiveSubWindow(title->SubWindow());
    ProcessEvents();
    EXPECT_EQ(material->Stores, 1);
    EXPECT_EQ(form.Project().ElasticModulus, 29000000);
    EXPECT_EQ(f.Messages().size(), 1u);
}

TEST(MainFormChildren, OpeningAMenuCommitsTheActiveDialog)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    TitleDialog* dialog = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    dialog->Title->setText("From the menu");
    emit form.Menus().Computation->aboutToShow();
    EXPECT_EQ(form.Project().ProjectTitle, "From the menu");
    // Save commits as well, before it writes.
    dialog->Title->setText("Saved title");
    ChooseFile(f.folder.Path("pile.kv7d"));
    SetLayers(form.Tables(), {{app::kSand, 20, 0, 0, 1, 1, {115, 30}, {115, 30}}});
    EXPECT_TRUE(form.FileSaveClick());
    EXPECT_EQ(f.folder.Read("pile.kv7d").rfind("Saved title", 0), 0u);
}

TEST(MainFormChildren, SectionShapeFreesThePropertiesOfTheOtherShape)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    const auto& children = form.Actions().Children;
    EXPECT_TRUE(children[static_cast<std::size_t>(TChildKind::CircularSection)]->isEnabled());
    EXPECT_FALSE(children[static_cast<std::size_t>(TChildKind::NoncircularSection)]->isEnabled());
    TitleDialog* circular = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::CircularSection));
    ASSERT_NE(circular, nullptr);
    form.ShowChild(TChildKind::Material);
    const int stores = circular->Stores;
    circular->Title->setText("not stored");

    form.Project().CircularSection = 0;
    form.UpdatePileShapeControls();
    EXPECT_EQ(form.Child(TChildKind::CircularSection), nullptr);
    EXPECT_EQ(circular->Stores, stores); // freed, not closed
    EXPECT_FALSE(children[static_cast<std::size_t>(TChildKind::CircularSection)]->isEnabled());
    EXPECT_TRUE(children[static_cast<std::size_t>(TChildKind::NoncircularSection)]->isEnabled());
    ProcessEvents();
    EXPECT_EQ(TitleDialog::Freed, 1);
}

TEST(MainFormChildren, AUnitSwitchReloadsOpenDialogs)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    TitleDialog* first = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    TitleDialog* second = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Material));
    const int firstLoads = first->Loads;
    const int secondLoads = second->Loads;
    form.Actions().SiUnits->trigger();
    EXPECT_EQ(first->Loads, firstLoads + 1);
    EXPECT_EQ(second->Loads, secondLoads + 1);
}

TEST(MainFormChildren, ANewProjectClosesEveryChildEvenAnInvalidOne)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    form.ShowChild(TChildKind::Title);
    TitleDialog* material = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Material));
    form.FileNewClick();
    EXPECT_EQ(form.Child(TChildKind::Title), nullptr);
    EXPECT_EQ(form.Child(TChildKind::Material), nullptr);

    material = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Material));
    material->Valid = false;
    form.CloseChildWindows();
    EXPECT_EQ(form.Child(TChildKind::Material), nullptr);
    ProcessEvents();
    EXPECT_EQ(TitleDialog::Freed, TitleDialog::Made);
}

TEST(MainFormChildren, ACaptionSetWhileAChildIsMaximizedStays)
{
    // A maximized child adds " - [child]" to the caption and puts back the
    // caption it took as the original when it is restored or closed.
    ChildrenFixture f;
    TMainForm& form = *f.form;
    SetLayers(form.Tables(), {{app::kSand, 20, 0, 0, 1, 1, {115, 30}, {115, 30}}});
    TitleDialog* dialog = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    dialog->SubWindow()->showMaximized();
    ProcessEvents();
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - NewKORVA.kv7d - [Project Title]");
    form.Project().FileName = f.folder.Path("pier.kv7d");
    form.SetCaption();
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - Pier.kv7d - [Project Title]");
    dialog->SubWindow()->showNormal();
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - Pier.kv7d");

    // Save As sets the caption, then closes the children.
    dialog->SubWindow()->showMaximized();
    ChooseFile(f.folder.Path("pile.kv7d"));
    EXPECT_TRUE(form.FileSaveAsClick());
    ProcessEvents();
    EXPECT_EQ(form.Child(TChildKind::Title), nullptr);
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - Pile.kv7d");
}

// The area puts a new child where its placement rule finds room, partly
// beyond its edges when the child is large; the whole child is moved into
// view when it fits, else its title bar and left part are. A dialog of fixed
// size is never maximized, as the area would do it after a maximized child.
TEST(MainFormChildren, ChildrenOpenInViewAndDialogsAreNeverMaximized)
{
    ChildrenFixture f;
    TMainForm& form = *f.form;
    SetLayers(form.Tables(), {{app::kSand, 20, 0, 0, 1, 1, {115, 30}, {115, 30}}});
    QMdiArea* area = form.MdiArea();
    TitleDialog::Height = 200; // three of them do not fit one above the other
    for (TChildKind kind : {TChildKind::Title, TChildKind::Material, TChildKind::Options, TChildKind::TzPrint}) {
        auto* dialog = dynamic_cast<TitleDialog*>(form.ShowChild(kind));
        ASSERT_NE(dialog, nullptr);
        ProcessEvents();
        const QRect at = dialog->SubWindow()->geometry();
        EXPECT_EQ(at.x(), 0); // wider than the area
        EXPECT_GE(at.y(), 0);
        EXPECT_LE(at.bottom(), area->viewport()->height()) << at.y() << " " << at.height();
    }

    QWidget* view = form.ShowChild(TChildKind::ElevationView);
    ASSERT_NE(view, nullptr);
    auto* viewWindow = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    viewWindow->showMaximized();
    ProcessEvents();
    auto* title = dynamic_cast<TitleDialog*>(form.ShowChild(TChildKind::Title));
    ProcessEvents();
    EXPECT_EQ(area->activeSubWindow(), title->SubWindow());
    EXPECT_FALSE(title->SubWindow()->isMaximized());

    form.ShowChild(TChildKind::ElevationView);
    viewWindow->showMaximized();
    ProcessEvents();
    viewWindow->close(); // the next child is activated
    ProcessEvents();
    ASSERT_NE(area->activeSubWindow(), nullptr);
    EXPECT_FALSE(area->activeSubWindow()->isMaximized());
}

// Run under AddressSanitizer too: the MDI area reports a last activation
// while the main window goes.
TEST(MainFormChildren, DestroyingTheMainWindowWithThreeChildrenOpen)
{
    ChildrenFixture f;
    for (TChildKind kind : {TChildKind::Title, TChildKind::Material, TChildKind::Options})
        ASSERT_NE(f.form->ShowChild(kind), nullptr);
    ProcessEvents();
    f.form.reset();
    ProcessEvents();
    EXPECT_EQ(TitleDialog::Freed, 3);
}

} // namespace
} // namespace korva::test
