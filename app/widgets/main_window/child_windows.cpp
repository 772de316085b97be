#include "child_windows.h"

// The windows' headers, one line each.
#include "dialogs/cpt_data_dialog.h"
#include "dialogs/methods_dialog.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/pile_material_dialog.h"
#include "dialogs/pile_property_dialogs.h"
#include "dialogs/soil_layers_dialog.h"
#include "views/elevation_view.h"

namespace korva::app_widgets {

TChildFactory ChildFactory(TChildKind kind)
{
    switch (kind) {
    // TdlgTitle
    case TChildKind::Title:
        return Make<TdlgTitle>;

    // TfrmWaterDepth
    case TChildKind::Methods:
        return Make<TfrmWaterDepth>;

    // TfrmMaterial
    case TChildKind::Material:
        return Make<TfrmMaterial>;

    // TfrmShaftpeneta
    case TChildKind::CircularSection:
        return Make<TfrmShaftpeneta>;

    // TfrmNCsection
    case TChildKind::NoncircularSection:
        return Make<TfrmNCsection>;

    // TDlgSoilLayers
    case TChildKind::SoilLayers:
        return Make<TDlgSoilLayers>;

    // TDlgSoils
    case TChildKind::SoilProperties:
        return nullptr;

    // TDlgInputMotion
    case TChildKind::CptData:
        return Make<TDlgInputMotion>;

    // TDlgOptions
    case TChildKind::Options:
        return Make<TDlgOptions>;

    // TDlgTZPrint
    case TChildKind::TzPrint:
        return Make<TDlgTZPrint>;

    // TDlgSideView
    case TChildKind::ElevationView:
        return Make<TDlgSideView>;
    }
    return nullptr;
}

} // namespace korva::app_widgets
