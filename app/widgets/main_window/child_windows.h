#pragma once
// The child windows of the main window that are made on first use, each
// with one created flag on the main window, and the factory of each.
//
// Adding a dialog to the main window takes three small steps:
//   1. write it on TInputDialog (dialogs/input_dialog.h), its constructor
//      taking the main window: `explicit TfrmMaterial(TMainForm& main);`
//   2. include its header in child_windows.cpp;
//   3. in ChildFactory, replace the `return nullptr;` of its kind with
//      `return Make<TfrmMaterial>;`.
// The menu entry and the tool button of the kind exist already: they are
// enabled as soon as the kind has a factory, and open the window through
// TMainForm::ShowChild, which creates it when its flag is clear, sets the
// flag, and brings it to the front. The flag clears itself when the window
// closes.
#include <cstddef>

class QWidget;

namespace korva::app_widgets {

class TMainForm;

enum class TChildKind {
    Title,              // TdlgTitle, "Project Title"
    Methods,            // TfrmWaterDepth, "Computation Methods"
    Material,           // TfrmMaterial, "Pile Material"
    CircularSection,    // TfrmShaftpeneta, "Circular Pile Properties"
    NoncircularSection, // TfrmNCsection, "Noncircular Pile Properties"
    SoilLayers,         // TDlgSoilLayers, "Soill Layers"
    SoilProperties,     // TDlgSoils, opened by the soil layers dialog
    CptData,            // TDlgInputMotion, "Data of Cone Penetration Test"
    Options,            // TDlgOptions, "Control Options"
    TzPrint,            // TDlgTZPrint, "Option of Printing t-z Curves"
    ElevationView,      // TDlgSideView, "Elevation View"
};
inline constexpr std::size_t kChildKindCount = static_cast<std::size_t>(TChildKind::ElevationView) + 1;

using TChildFactory = QWidget* (*)(TMainForm& main);

template <class Window>
QWidget* Make(TMainForm& main)
{
    return new Window(main);
}

// The factory of a kind; nullptr while the kind has no window yet.
TChildFactory ChildFactory(TChildKind kind);

} // namespace korva::app_widgets
