// Verbs of the input dialogs and the elevation view: a project opened, the
// window shown offscreen, driven as a user would, and what it shows.
#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include "views/elevation_view.h"
#include "probe.h"
#include "project_session.h"

namespace korva::probe {

namespace {

QJsonArray PointJson(int x, int y)
{
    return QJsonArray{x, y};
}

QJsonArray WorldJson(const app::TWorldPoint& point)
{
    return QJsonArray{static_cast<double>(point.X), static_cast<double>(point.Y)};
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// elevation PROJECT OUT.png|OUT.pdf: the view of the project as the
// Computation menu shows it, saved as a picture, or printed to a PDF file
// as its Print button prints it. "pile_rect" holds the pile's corners in
// pixels of the picture or the page, "layers" each layer with its label.
bool Elevation(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::string projectFile = args.Positional(0);
    const std::string out = args.Positional(1);
    const std::unique_ptr<app::TProjectSession> session = MakeProbeSession();
    session->OpenProject(projectFile, app::pfvAnyFile);
    const std::size_t opened = context.Services.Messages.Shown.size();

    app_widgets::TDlgSideView view(*session);
    view.show();
    QApplication::processEvents();
    view.Reload();

    const app::TElevationProfile& profile = view.Profile();
    QJsonObject world{{"top_left", WorldJson(profile.Pile.P0)},
                      {"top_right", WorldJson(profile.Pile.P1)},
                      {"bottom_left", WorldJson(profile.Pile.P2)},
                      {"bottom_right", WorldJson(profile.Pile.P3)}};
    context.Result["pile_world"] = world;

    QJsonArray layers;
    bool written = false;
    if (EndsWith(out, ".pdf") || EndsWith(out, ".PDF")) {
        context.Services.Printers.PdfPath = out;
        const app_widgets::TProfilePrint print = view.Print();
        context.Result["pages"] = print.Pages;
        if (print.Page.Pile) {
            const app::TPixelRect& r = *print.Page.Pile;
            context.Result["pile_rect"] = QJsonObject{{"top_left", PointJson(r.Left, r.Top)},
                                                      {"top_right", PointJson(r.Right, r.Top)},
                                                      {"bottom_left", PointJson(r.Left, r.Bottom)},
                                                      {"bottom_right", PointJson(r.Right, r.Bottom)}};
        }
        for (std::size_t i = 0; i < profile.Layers.size(); ++i) {
            const app::TElevationLayer& layer = profile.Layers[i];
            QJsonObject entry{{"soil_type", layer.SoilType},
                              {"top", static_cast<double>(layer.Top)},
                              {"bottom", static_cast<double>(layer.Bottom)},
                              {"label", QString::fromStdString(app::LayerPrintLabel(layer))}};
            if (i < print.Page.Labels.size())
                entry["label_row"] = print.Page.Labels[i].Top;
            layers.append(entry);
        }
        written = print.Printed;
    } else {
        const QPoint origin = view.Canvas()->pos();
        const app::TElevationScene scene = view.Scene();
        const app::TElevationMapping mapping = view.Mapping();
        if (scene.Pile.size() == 4) {
            // The polygon runs P0, P1, P3, P2.
            const auto at = [&](int i) { return PointJson(scene.Pile[i].X + origin.x(), scene.Pile[i].Y + origin.y()); };
            context.Result["pile_rect"] =
                QJsonObject{{"top_left", at(0)}, {"top_right", at(1)}, {"bottom_left", at(3)}, {"bottom_right", at(2)}};
        }
        for (const app::TElevationLayer& layer : profile.Layers) {
            QJsonObject entry{{"soil_type", layer.SoilType},
                              {"top", static_cast<double>(layer.Top)},
                              {"bottom", static_cast<double>(layer.Bottom)},
                              {"label", QString::fromStdString(app::LayerScreenLabel(layer))}};
            if (mapping.MapsDepths())
                entry["bottom_row"] = mapping.YToPixel(layer.Bottom) + origin.y();
            layers.append(entry);
        }
        written = view.grab().toImage().save(QString::fromStdString(out), "PNG");
        context.Result["size"] = PointJson(view.width(), view.height());
    }
    context.Result["layers"] = layers;
    context.Result["caption"] = view.windowTitle();
    return written && opened == 0;
}

const TVerbRegistration elevationVerb{{"elevation", "PROJECT OUT.png|OUT.pdf", &Elevation}};

} // namespace

} // namespace korva::probe
