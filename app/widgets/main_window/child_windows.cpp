#include "child_windows.h"

// The windows' headers, one line each.
#include "dialogs/soil_layers_dialog.h"

namespace korva::app_widgets {

TChildFactory ChildFactory(TChildKind kind)
{
    switch (kind) {
    // TdlgTitle
    case TChildKind::Title:
        return nullptr;

    // TfrmWaterDepth
    case TChildKind::Methods:
        return nullptr;

    // TfrmMaterial
    case TChildKind::Material:
        return nullptr;

    // TfrmShaftpeneta
    case TChildKind::CircularSection:
        return nullptr;

    // TfrmNCsection
    case TChildKind::NoncircularSection:
        return nullptr;

    // TDlgSoilLayers
    case TChildKind::SoilLayers:
        return Make<TDlgSoilLayers>;

    // TDlgSoils
    case TChildKind::SoilProperties:
        return nullptr;

    // TDlgInputMotion
    case TChildKind::CptData:
        return nullptr;

    // TDlgOptions
    case TChildKind::Options:
        return nullptr;

    // TDlgTZPrint
    case TChildKind::TzPrint:
        return nullptr;

    // TDlgSideView
    case TChildKind::ElevationView:
        return nullptr;
    }
    return nullptr;
}

} // namespace korva::app_widgets
