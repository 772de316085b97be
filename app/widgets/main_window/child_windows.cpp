#include "child_windows.h"

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
    case TChildKind::Title:
        return Make<TdlgTitle>;
    case TChildKind::Methods:
        return Make<TfrmWaterDepth>;
    case TChildKind::Material:
        return Make<TfrmMaterial>;
    case TChildKind::CircularSection:
        return Make<TfrmShaftpeneta>;
    case TChildKind::NoncircularSection:
        return Make<TfrmNCsection>;
    case TChildKind::SoilLayers:
        return Make<TDlgSoilLayers>;
    case TChildKind::SoilProperties:
        return nullptr;
    case TChildKind::CptData:
        return Make<TDlgInputMotion>;
    case TChildKind::Options:
        return Make<TDlgOptions>;
    case TChildKind::TzPrint:
        return Make<TDlgTZPrint>;
    case TChildKind::ElevationView:
        return Make<TDlgSideView>;
    }
    return nullptr;
}

} // namespace korva::app_widgets
