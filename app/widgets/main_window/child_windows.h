#pragma once
// The child windows of the main window that are made on first use, each
// with one created flag on the main window, and the factory of each. The
// menu entry and the tool button of a kind open its window through
// TMainForm::ShowChild, which creates it when its flag is clear, sets the
// flag, and brings it to the front; the flag clears itself when the window
// closes. A new input dialog derives from TInputDialog
// (dialogs/input_dialog.h) with a constructor taking the main window, and
// its kind's factory is Make<ItsClass>.
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

// The factory of a kind; nullptr for the soil properties, which the soil
// layers window opens itself, one layer at a time.
TChildFactory ChildFactory(TChildKind kind);

} // namespace korva::app_widgets
