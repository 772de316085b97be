// Verbs of the soil windows, the CPT data and the design charts: the soil
// layers and CPT data windows driven in the main window as a user would, and
// the pictures of the design-chart window.
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QCheckBox>

#include "data_edit.h"
#include "dialogs/cpt_data_dialog.h"
#include "dialogs/soil_layers_dialog.h"
#include "main_window/main_form.h"
#include "probe.h"
#include "soil_layers.h"
#include "views/chart_form.h"

namespace korva::probe {

namespace {

using app_widgets::TChildKind;
using app_widgets::TDlgSoilLayers;

const char* const kTypeNames[] = {"sand", "clay", "silt"};
const char* const kFieldNames[] = {"bottom", "max_side_friction", "max_end_bearing", "side_factor", "end_factor"};

int TypeIndex(const std::string& name)
{
    for (int i = 0; i < 3; ++i)
        if (name == kTypeNames[i])
            return i;
    throw EProbeUsage("unknown soil type: " + name);
}

int FieldIndex(const std::string& name)
{
    for (int i = 0; i < app::kLayerFieldCount; ++i)
        if (name == kFieldNames[i])
            return i;
    throw EProbeUsage("unknown field: " + name);
}

// The layers of D as saved: type, the five numbers, and every column of the
// property table at the top and the bottom of the layer.
QJsonArray LayersJson(app::TGridTable& D)
{
    QJsonArray layers;
    for (int layer = 0; layer < D.RowCount(); ++layer) {
        const int type = D.Cell(app::layer_col::SoilType, layer).GetAsInteger();
        QJsonObject entry{{"type", type >= 1 && type <= 3 ? kTypeNames[type - 1] : "?"}};
        for (int f = 0; f < app::kLayerFieldCount; ++f)
            entry[kFieldNames[f]] = static_cast<double>(
                D.Cell(app::kLayerFieldColumns[static_cast<std::size_t>(f)], layer).GetAsFloat());
        app::TGridTable& sub = D.Cell(app::layer_col::Properties, layer).GetAsTable();
        for (int row = 0; row < 2 && row < sub.RowCount(); ++row) {
            QJsonArray values;
            for (int col = 0; col < sub.ColumnCount(); ++col)
                values.append(static_cast<double>(app::CellNumber(sub, col, row)));
            entry[row == 0 ? "properties_top" : "properties_bottom"] = values;
        }
        layers.append(entry);
    }
    return layers;
}

// The control of layer k (1-based) entered, which makes the layer current.
void EnterLayer(TDlgSoilLayers& dialog, int layerNumber)
{
    widgets::TDataEdit* field = dialog.Field(layerNumber - 1, app::lfBottom);
    if (!field)
        throw EProbeUsage("no layer " + std::to_string(layerNumber));
    field->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

// layers PROJECT OUT.kv7d ACTION...: the project opened, its soil layers
// window opened from the Data menu, each action done as the user does it
// (add, insert:k, delete:k:yes|no, type:k:sand|clay|silt,
// set:k:FIELD=VALUE with FIELD one of bottom, max_side_friction,
// max_end_bearing, side_factor, end_factor), then the window closed with
// its Close button and the project saved as OUT. "layers" are D's layers as
// saved; "refused" the actions the window did not offer; "closed" whether
// the Close button closed it.
bool Layers(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::string out = std::filesystem::absolute(args.Positional(1)).string();
    if (!SparesInputs(ProjectInputs(std::filesystem::absolute(args.Positional(0)).string()), ProjectOutputs(out)))
        return false;
    const std::unique_ptr<app_widgets::TMainForm> opened = OpenMainWindow(context, args.Positional(0));
    if (!opened)
        return false;
    app_widgets::TMainForm& form = *opened;
    const std::size_t shownOnOpening = context.Services.Messages.Shown.size();
    auto* dialog = qobject_cast<TDlgSoilLayers*>(OpenFromMenu(form, TChildKind::SoilLayers));
    if (!dialog)
        return false;

    QJsonArray refused;
    for (std::size_t i = 2; i < args.PositionalCount(); ++i) {
        const std::string& action = args.Positional(i);
        const std::vector<std::string> part = Split(action, ':');
        bool done = true;
        if (part[0] == "add" && part.size() == 1) {
            done = dialog->AddButton()->isEnabled();
            dialog->AddButton()->click();
        } else if (part[0] == "insert" && part.size() == 2) {
            EnterLayer(*dialog, args.Integer(part[1]));
            done = dialog->InsertButton()->isEnabled();
            dialog->InsertButton()->click();
        } else if (part[0] == "delete" && part.size() == 3 && (part[2] == "yes" || part[2] == "no")) {
            EnterLayer(*dialog, args.Integer(part[1]));
            done = dialog->DeleteButton()->isEnabled();
            dialog->ConfirmDeletion()->setChecked(true);
            context.Services.Messages.Answers.push_back(part[2] == "yes" ? widgets::TMessageAnswer::Yes
                                                                         : widgets::TMessageAnswer::No);
            dialog->DeleteButton()->click();
        } else if (part[0] == "type" && part.size() == 3) {
            const int layer = args.Integer(part[1]);
            QComboBox* list = dialog->SoilTypeList(layer - 1);
            const int item = TypeIndex(part[2]);
            done = list && item < list->count();
            if (done) {
                EnterLayer(*dialog, layer);
                list->setCurrentIndex(item);
            }
        } else if (part[0] == "set" && part.size() == 3 && part[2].find('=') != std::string::npos) {
            const int layer = args.Integer(part[1]);
            const std::string name = part[2].substr(0, part[2].find('='));
            widgets::TDataEdit* field = dialog->Field(layer - 1, static_cast<app::TLayerField>(FieldIndex(name)));
            done = field != nullptr;
            if (field) {
                field->setFocus(Qt::MouseFocusReason);
                field->setText(QString::fromStdString(part[2].substr(part[2].find('=') + 1)));
                done = widgets::ValidateDataEdit(field);
            }
        } else {
            throw EProbeUsage("unknown action: " + action);
        }
        QApplication::processEvents();
        if (!done)
            refused.append(QString::fromStdString(action));
    }

    // Closed with its Close button (which checks the end-bearing factors),
    // then saved: a window opened and closed without actions saves the
    // project unchanged.
    dialog->CloseClick();
    QApplication::processEvents();
    context.Result["closed"] = !form.Child(TChildKind::SoilLayers);
    context.Services.Files.Answers.push_back(widgets::TFileDialogResult{out, 1});
    const bool saved = form.FileSaveAsClick();
    context.Result["layers"] = LayersJson(form.Tables().D);
    context.Result["refused"] = refused;
    context.Result["saved"] = saved;
    return shownOnOpening == 0 && saved && refused.isEmpty();
}

// chart A|B|C OUT.png: the picture the design-chart window shows for that
// graph, decoded and saved as PNG; "width" and "height" in pixels.
bool Chart(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::string letter = args.Positional(0);
    if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'C')
        throw EProbeUsage("chart A, B or C");
    QWidget owner;
    app_widgets::TChartForm& form = app_widgets::TChartForm::Of(&owner);
    const int choice = letter[0] - 'A' + 1;
    if (!form.ShowChart(choice))
        return false;
    const QPixmap picture = form.Chart(choice - 1)->pixmap();
    context.Result["width"] = picture.width();
    context.Result["height"] = picture.height();
    form.close();
    return picture.save(QString::fromStdString(args.Positional(1)), "PNG");
}

// cpt-read FILE --columns N --headers H --lines L --ua X [--view qc|spt|su]
// [--units 1|2]: a new project in the unit system, its CPT data window
// opened from the Data menu, the fields filled and the view's graphics
// button pressed. "points", "first" and "last" ([depth, value]) are what the
// view's window shows; "profile_first" the project's CPT profile.
bool CptRead(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {"--columns", "--headers", "--lines", "--ua", "--view", "--units"});
    const std::string view = args.Option("--view").value_or("qc");
    if (view != "qc" && view != "spt" && view != "su")
        throw EProbeUsage("--view qc, spt or su");
    const auto required = [&](const char* name) {
        const auto value = args.Option(name);
        if (!value)
            throw EProbeUsage(std::string("missing ") + name);
        return QString::fromStdString(*value);
    };

    app_widgets::TMainForm form;
    form.FormShow();
    form.show();
    if (const auto units = args.Option("--units"))
        form.Project().SetUnits(args.Integer(*units));
    auto* dialog = qobject_cast<app_widgets::TDlgInputMotion*>(OpenFromMenu(form, TChildKind::CptData));
    if (!dialog)
        return false;
    dialog->EdtWord()->setText(QString::fromStdString(std::filesystem::absolute(args.Positional(0)).string()));
    const std::pair<widgets::TDataEdit*, const char*> fields[] = {{dialog->Columns(), "--columns"},
                                                                  {dialog->HeaderLines(), "--headers"},
                                                                  {dialog->DataLines(), "--lines"},
                                                                  {dialog->StressFactor(), "--ua"}};
    for (const auto& [field, option] : fields) {
        field->setFocus(Qt::MouseFocusReason);
        field->setText(required(option));
        if (!widgets::ValidateDataEdit(field))
            return false;
    }
    const std::size_t before = context.Services.Messages.Shown.size();
    if (view == "qc")
        dialog->Image1Click();
    else if (view == "spt")
        dialog->SpeedButton1Click();
    else
        dialog->SpeedButton2Click();

    const components::TGraphPlot& shown =
        view == "qc" ? form.Session().CptPoints().MotionInput() : dialog->ConvertedPlot();
    const auto point = [](const components::TFloatPoint& p) {
        return QJsonArray{static_cast<double>(p.Y), static_cast<double>(p.X)};
    };
    const int count = shown.LineCount() > 0 ? shown.PointCount() : 0;
    context.Result["points"] = count;
    if (count > 0) {
        context.Result["first"] = point(shown.Point(0, 0));
        context.Result["last"] = point(shown.Point(0, count - 1));
    }
    context.Result["caption"] = QString::fromStdString(shown.Caption);
    context.Result["window"] = shown.FormCreated();
    const app::TCptPoints& profile = form.Session().CptPoints();
    if (profile.PointCount() > 0)
        context.Result["profile_first"] = point(profile.Point(0));
    return context.Services.Messages.Shown.size() == before;
}

const TVerbRegistration layersVerb{{"layers", "PROJECT OUT.kv7d ACTION...", &Layers}};
const TVerbRegistration chartVerb{{"chart", "A|B|C OUT.png", &Chart}};
const TVerbRegistration cptReadVerb{
    {"cpt-read", "FILE --columns N --headers H --lines L --ua X [--view qc|spt|su] [--units 1|2]", &CptRead}};

} // namespace

} // namespace korva::probe
