#pragma once
// The main window for widget tests: made, shown and started as the program
// does (offscreen, with the recording doubles of the test in force), and
// sample project files to open.
#include <memory>
#include <string>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QToolBar>
#include <gtest/gtest.h>

#include "gui_test.h"
#include "main_window/main_form.h"
#include "project_fixture.h"
#include "temp_folder.h"
#include "test_support.h"

namespace korva::test {

using app_widgets::TChildKind;
using app_widgets::TMainForm;
using widgets::TMessageAnswer;
using widgets::TMessageKind;

// The English three-layer sample saved as path (its CPT point file beside it).
inline void SaveSampleProject(const std::string& path, void (*edit)(TProgramData&) = nullptr)
{
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    if (edit)
        edit(p);
    p.FileName = path;
    p.SaveToFile();
}

// The answer of the next file chooser.
inline void ChooseFile(const std::string& path, int filterIndex = 1)
{
    Recorded().Files.Answers.push_back(widgets::TFileDialogResult{path, filterIndex});
}

inline void CancelFileChooser()
{
    Recorded().Files.Answers.push_back(std::nullopt);
}

struct MainFormFixture {
    MainFormFixture()
    {
        // Opening a project makes its folder current.
        here = QDir::currentPath();
        form = std::make_unique<TMainForm>();
        form->FormShow();
        form->show();
    }
    ~MainFormFixture()
    {
        form.reset();
        ProcessEvents();
        QDir::setCurrent(here);
    }
    std::vector<std::string> Messages() const { return Recorded().Messages.Texts(); }
    // The child window of a Data or Options menu entry, opened from it.
    template <class Window>
    Window& OpenFromMenu(TChildKind kind)
    {
        form->Actions().Children[static_cast<std::size_t>(kind)]->trigger();
        ProcessEvents();
        auto* window = form->ChildAs<Window>(kind);
        EXPECT_NE(window, nullptr);
        return *window;
    }
    std::unique_ptr<TMainForm> form;
    TempFolder folder;
    QString here;
};

} // namespace korva::test
