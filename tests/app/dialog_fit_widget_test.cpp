// Every input window holds its controls, in both unit systems, at the
// default font: each control shown lies wholly inside the window's client
// area, and the child window is as large as its dialog (no control cut by
// its edge, no blank bands where a group is hidden), and the window is in
// view where it fits. Opened on a project of either system, and opened first
// and switched afterwards.
#include <QAction>
#include <QJsonArray>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "dialogs/input_dialog.h"
#include "dialogs/soil_layers_dialog.h"
#include "dialogs/soil_properties_dialog.h"
#include "main_form_fixture.h"
#include "probe_runner.h"
#include "window_fit.h"

namespace korva::test {
namespace {

using Strings = std::vector<std::string>;

// Every input window of the Data and Options menus (those the project's
// pile shape offers).
constexpr TChildKind kInputWindows[] = {
    TChildKind::Title,    TChildKind::Methods,    TChildKind::Material, TChildKind::CircularSection,
    TChildKind::NoncircularSection, TChildKind::SoilLayers, TChildKind::CptData, TChildKind::Options,
    TChildKind::TzPrint,
};

struct ProjectCase {
    const char* name;
    void (*make)(TProgramData& p, ProjectHost& h);
};

const ProjectCase kProjects[] = {
    {"open-ended pipe (plug group shown)", [](TProgramData& p, ProjectHost& h) { MakeEnglishThreeLayers(p, h); }},
    {"closed-ended pipe (plug group hidden)",
     [](TProgramData& p, ProjectHost& h) {
         MakeEnglishThreeLayers(p, h);
         p.ClosedEnded = 1;
     }},
    {"H-pile (noncircular)",
     [](TProgramData& p, ProjectHost& h) {
         MakeEnglishThreeLayers(p, h);
         p.PileType = app::ptHPile;
         p.CircularSection = 0;
         p.Perimeter = 56;
         p.TipArea = 120;
     }},
    {"SI, sand, clay and silt", MakeSiAllSoils},
};

struct DialogFit : MainFormFixture {
    void Open(const ProjectCase& c)
    {
        ProjectHost h;
        TProgramData p(h.host);
        c.make(p, h);
        p.FileName = folder.Path("pile.kv7d");
        p.SaveToFile();
        ChooseFile(p.FileName);
        form->FileOpenClick();
        ProcessEvents();
    }
    void Switch()
    {
        form->UnitsMenuClick();
        (form->Project().Units == 1 ? form->Actions().SiUnits : form->Actions().EnglishUnits)->trigger();
        ProcessEvents();
    }
    // The window of each kind the project offers, opened from its menu entry.
    std::vector<TChildKind> OpenAll()
    {
        std::vector<TChildKind> opened;
        for (TChildKind kind : kInputWindows)
            if (form->Actions().Children[static_cast<std::size_t>(kind)]->isEnabled()) {
                form->Actions().Children[static_cast<std::size_t>(kind)]->trigger();
                ProcessEvents();
                if (form->Child(kind))
                    opened.push_back(kind);
            }
        return opened;
    }
    static void ExpectFits(const QWidget* window, const QWidget* dialog, const std::string& what)
    {
        EXPECT_EQ(widgets::ControlsOutside(window), Strings{}) << what;
        if (const auto* child = qobject_cast<const QMdiSubWindow*>(window)) {
            EXPECT_EQ(child->contentsRect().size(), dialog->size()) << what << ": blank bands or a cut dialog";
            // A window that has grown with its labels is still in view where it fits.
            const QRect area = child->mdiArea()->viewport()->rect();
            if (child->width() <= area.width() && child->height() <= area.height()) {
                EXPECT_TRUE(area.contains(child->geometry()))
                    << what << ": at " << child->x() << ", " << child->y() << " size " << child->width() << " x "
                    << child->height() << " in an area of " << area.width() << " x " << area.height();
            }
        }
    }
    void ExpectAllFit(const std::vector<TChildKind>& kinds, const std::string& what)
    {
        for (TChildKind kind : kinds) {
            QWidget* dialog = form->Child(kind);
            ASSERT_NE(dialog, nullptr);
            const std::string name = what + ", " + dialog->windowTitle().toStdString();
            QWidget* window = dialog->parentWidget();
            // Each page of a window with pages.
            if (auto* pages = dialog->findChild<QTabWidget*>()) {
                for (int page = 0; page < pages->count(); ++page) {
                    pages->setCurrentIndex(page);
                    ProcessEvents();
                    ExpectFits(window, dialog, name + ", page " + pages->tabText(page).toStdString());
                }
                pages->setCurrentIndex(0);
            } else {
                ExpectFits(window, dialog, name);
            }
        }
        // The soil properties of each layer, opened from the soil layers window.
        auto* layers = form->ChildAs<app_widgets::TDlgSoilLayers>(TChildKind::SoilLayers);
        if (!layers)
            return;
        for (int layer = 0; layer < form->Tables().D.RowCount(); ++layer) {
            form->MdiArea()->setActiveSubWindow(layers->SubWindow());
            ProcessEvents();
            layers->EditButton(layer)->click();
            ProcessEvents();
            app_widgets::TDlgSoils* soils = layers->SoilsDialog();
            ASSERT_NE(soils, nullptr);
            ExpectFits(soils, soils, what + ", " + soils->windowTitle().toStdString());
            soils->close();
            ProcessEvents();
        }
    }
};

TEST(DialogFit, EveryInputWindowHoldsItsControlsInBothUnitSystems)
{
    for (const ProjectCase& c : kProjects) {
        for (bool switched : {false, true}) {
            DialogFit f;
            f.Open(c);
            if (switched)
                f.Switch();
            const std::string units = f.form->Project().Units == 1 ? "English" : "SI";
            const std::vector<TChildKind> opened = f.OpenAll();
            EXPECT_GE(opened.size(), 8u) << c.name;
            f.ExpectAllFit(opened, std::string(c.name) + ", " + units);
            // Switched while open: the windows follow their longer or shorter labels.
            f.Switch();
            f.ExpectAllFit(opened, std::string(c.name) + ", switched while open from " + units);
        }
    }
}

TEST(DialogFit, TheProbeNamesTheControlsOutside)
{
    // The Circular-Section Pile dialog of an SI project, whose Close button
    // the window's right edge cut off.
    TempFolder folder;
    {
        ProjectHost h;
        TProgramData p(h.host);
        MakeEnglishThreeLayers(p, h);
        p.SetUnits(2);
        p.FileName = folder.Path("si.kv7d");
        p.SaveToFile();
    }
    const ProbeRun run = Probe("dialog circular " + folder.Path("si.kv7d") + " " + folder.Path("circular.png"));
    EXPECT_TRUE(run.Json["ok"].toBool());
    ASSERT_TRUE(run.Json["outside"].isArray());
    EXPECT_TRUE(run.Json["outside"].toArray().isEmpty()) << run.Json["outside"].toArray().first().toString().toStdString();
}

TEST(DialogFit, AControlBeyondTheEdgeIsNamed)
{
    // The check itself: a button placed half beyond its window's edge, a
    // field named by its window's namer, a hidden one not looked at.
    QWidget window;
    window.resize(200, 100);
    auto* inside = new QPushButton("Inside", &window);
    inside->setGeometry(10, 10, 80, 30);
    auto* cut = new QPushButton("Close", &window);
    cut->setGeometry(150, 60, 80, 30);
    auto* named = new QPushButton(&window);
    named->setGeometry(-5, 10, 20, 20);
    auto* hidden = new QPushButton("Hidden", &window);
    hidden->setGeometry(300, 300, 20, 20);
    window.show();
    hidden->hide();
    ProcessEvents();
    EXPECT_EQ(widgets::ControlsOutside(&window,
                                       [named](const QWidget* control) {
                                           return control == named ? std::string("PileLength") : std::string();
                                       }),
              (Strings{"QPushButton \"Close\"", "PileLength"}));
}

} // namespace
} // namespace korva::test
