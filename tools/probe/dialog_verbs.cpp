// Verbs of the input dialogs, the soil properties page and the elevation
// view: the main window opens the project, the window comes from its menu
// entry (the page from its "Edit Layer" button), is driven as a user drives
// it, and the verb reports what it shows.
#include <filesystem>
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>

#include "dialogs/dialog_fields.h"
#include "dialogs/input_dialog.h"
#include "dialogs/soil_layers_dialog.h"
#include "dialogs/soil_properties_dialog.h"
#include "main_window/main_form.h"
#include "probe.h"
#include "views/elevation_view.h"
#include "window_fit.h"

namespace korva::probe {

namespace {

using app_widgets::TChildKind;
using app_widgets::TMainForm;

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A key as the keyboard sends it: pressed, then released.
void Key(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// A user turns to the page of a control before using it.
void ShowPageOf(QWidget* control)
{
    for (QWidget* child = control; child && child->parentWidget(); child = child->parentWidget())
        if (auto* pages = qobject_cast<QStackedWidget*>(child->parentWidget())) {
            if (auto* tabs = qobject_cast<QTabWidget*>(pages->parentWidget()))
                tabs->setCurrentWidget(child);
            else
                pages->setCurrentWidget(child);
        }
}

// A control the user can reach once its page is turned to: shown and
// enabled.
bool Offered(QWidget* control)
{
    ShowPageOf(control);
    return control->isVisible() && control->isEnabled();
}

// What the user does to give the control of a field a value: a text typed
// into a cleared edit and left with Tab; a click on the radio button of the
// value; a click on a check box whose state differs; the item (from 0)
// picked in a list. False, and nothing done, for a control the user cannot
// reach (disabled or hidden).
bool SetField(const app_widgets::TFieldControl& control, const std::string& value)
{
    if (control.Choices) {
        bool ok = false;
        const int id = QString::fromStdString(value).toInt(&ok);
        QAbstractButton* button = ok ? control.Choices->button(id) : nullptr;
        if (!button)
            throw EProbeUsage("no choice " + value + " for " + control.Field);
        if (!Offered(button))
            return false;
        button->click();
        return true;
    }
    if (!Offered(control.Control))
        return false;
    if (auto* check = qobject_cast<QCheckBox*>(control.Control)) {
        if (check->isChecked() != (value == "1"))
            check->click();
        return true;
    }
    if (auto* list = qobject_cast<QComboBox*>(control.Control); list && !list->isEditable()) {
        bool ok = false;
        const int item = QString::fromStdString(value).toInt(&ok);
        if (!ok || item < 0 || item >= list->count())
            throw EProbeUsage("no item " + value + " for " + control.Field);
        list->setCurrentIndex(item);
        return true;
    }
    QWidget* field = control.Control;
    if (!qobject_cast<QLineEdit*>(field) && !qobject_cast<QPlainTextEdit*>(field))
        throw EProbeUsage(control.Field + " takes no value");
    field->setFocus(Qt::MouseFocusReason);
    Settle();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->clear();
    else
        qobject_cast<QPlainTextEdit*>(field)->clear();
    for (const QChar c : QString::fromStdString(value))
        Key(field, 0, QString(c));
    // Tab leaves the field; a refused entry takes the focus back through the
    // event loop, and the dialog left right after it shows no second message.
    Key(field, Qt::Key_Tab);
    return true;
}

// Each --set FIELD=VALUE given to the control of its field, in order; the
// settings whose control the window did not offer, as "refused".
QJsonArray ApplySettings(const TProbeArgs& args, const app_widgets::TFieldControls& fields)
{
    QJsonArray refused;
    for (const std::string& setting : args.Options("--set")) {
        const std::size_t eq = setting.find('=');
        if (eq == std::string::npos)
            throw EProbeUsage("--set needs FIELD=VALUE: " + setting);
        const app_widgets::TFieldControl* control = fields.Find(setting.substr(0, eq));
        if (!control)
            throw EProbeUsage("no control edits " + setting.substr(0, eq));
        if (!SetField(*control, setting.substr(eq + 1)))
            refused.append(QString::fromStdString(setting));
    }
    return refused;
}

// The picture OUT and the project saved with --save write no file that
// opening the project reads.
bool SparesProject(const TProbeArgs& args, const std::string& project, const std::string& out)
{
    std::vector<std::string> outputs{std::filesystem::absolute(out).string()};
    if (const auto target = args.Option("--save"))
        for (const std::string& file : ProjectOutputs(std::filesystem::absolute(*target).string()))
            outputs.push_back(file);
    return SparesInputs(ProjectInputs(std::filesystem::absolute(project).string()), outputs);
}

// --save OUT.kv7d: the project saved as the File menu's Save As saves it;
// true without --save.
bool SaveAsGiven(TProbeContext& context, const TProbeArgs& args, TMainForm& form)
{
    const auto target = args.Option("--save");
    if (!target)
        return true;
    context.Services.Files.Answers.push_back(
        widgets::TFileDialogResult{std::filesystem::absolute(*target).string(), 1});
    const bool saved = form.FileSaveAsClick();
    context.Result["saved"] = saved;
    return saved;
}

QJsonObject FieldsJson(const app_widgets::TFieldControls& fields)
{
    QJsonObject json;
    for (const app_widgets::TFieldControl& control : fields.All())
        json[QString::fromStdString(control.Field)] =
            QJsonObject{{"text", QString::fromStdString(app_widgets::ShownText(control))},
                        {"enabled", app_widgets::ShownEnabled(control)}};
    return json;
}

const std::map<std::string, TChildKind> kDialogs = {
    {"material", TChildKind::Material},        {"methods", TChildKind::Methods},
    {"circular", TChildKind::CircularSection}, {"noncircular", TChildKind::NoncircularSection},
    {"options", TChildKind::Options},          {"title", TChildKind::Title},
    {"tzprint", TChildKind::TzPrint},
};

// dialog NAME PROJECT OUT.png [--set FIELD=VALUE ...] [--save OUT.kv7d]:
// the dialog opened from its menu entry (refused, with a message, while the
// entry is disabled for the project), each value given to the control of
// its field, the dialog left (its store), the picture taken, the dialog
// closed, the project saved as the File menu's Save As saves it. "refused"
// holds the settings whose control the dialog did not offer (disabled or
// hidden): they are not typed, and the verb is not ok.
bool Dialog(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {"--set", "--save"});
    const auto kind = kDialogs.find(args.Positional(0));
    if (kind == kDialogs.end())
        throw EProbeUsage("unknown dialog " + args.Positional(0));
    const std::string out = args.Positional(2);
    if (!SparesProject(args, args.Positional(1), out))
        return false;
    const std::unique_ptr<TMainForm> form = OpenMainWindow(context, args.Positional(1));
    if (!form)
        return false;

    QWidget* window = OpenFromMenu(*form, kind->second);
    if (!window)
        return false;
    auto* dialog = dynamic_cast<app_widgets::IFieldDialog*>(window);
    if (!dialog)
        throw EProbeUsage("the dialog " + kind->first + " has no fields");
    const QJsonArray refused = ApplySettings(args, dialog->Fields());
    context.Result["refused"] = refused;
    const bool stored = form->DeactivateActiveChild();
    Settle();
    context.Result["modified"] = form->IsModified();

    auto* input = dynamic_cast<app_widgets::TInputDialog*>(window);
    QWidget* shown = input && input->SubWindow() ? static_cast<QWidget*>(input->SubWindow()) : window;
    const bool written = shown->grab().toImage().save(QString::fromStdString(out), "PNG");
    context.Result["fields"] = FieldsJson(dialog->Fields());
    const app_widgets::TFieldControls& fields = dialog->Fields();
    context.Result["outside"] = JsonStrings(
        widgets::ControlsOutside(shown, [&fields](const QWidget* control) { return fields.FieldOf(control); }));
    context.Result["stored"] = stored;
    context.Result["active"] = input && form->MdiArea()->activeSubWindow() == input->SubWindow();

    // Closed as its close box closes it, then saved: a dialog opened and
    // closed without --set saves the project unchanged.
    if (input)
        input->RequestClose();
    Settle();
    context.Result["closed"] = !form->Child(kind->second);
    return written && SaveAsGiven(context, args, *form) && refused.isEmpty();
}

// soil-properties PROJECT LAYER OUT.png [--set FIELD=VALUE ...] [--save
// OUT.kv7d]: the soil layers window opened from the Data menu, "Edit Layer
// LAYER" pressed, each value given to the control of its field on the
// layer's page (soil_properties_dialog.h names them), the picture taken,
// the page closed with its Close button (its store) and the project saved
// as Save As saves it; "refused" as for dialog.
bool SoilProperties(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {"--set", "--save"});
    const int layer = args.Integer(args.Positional(1));
    const std::string out = args.Positional(2);
    if (!SparesProject(args, args.Positional(0), out))
        return false;
    const std::unique_ptr<TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    auto* layers = dynamic_cast<app_widgets::TDlgSoilLayers*>(OpenFromMenu(*form, TChildKind::SoilLayers));
    if (!layers)
        return false;
    QPushButton* edit = layers->EditButton(layer - 1);
    if (!edit)
        throw EProbeUsage("no layer " + std::to_string(layer));
    edit->click();
    Settle();
    app_widgets::TDlgSoils* page = layers->SoilsDialog();
    if (!page)
        return false;
    const QJsonArray refused = ApplySettings(args, page->Fields());
    context.Result["refused"] = refused;
    Settle();
    const bool written = page->grab().toImage().save(QString::fromStdString(out), "PNG");
    context.Result["fields"] = FieldsJson(page->Fields());
    context.Result["caption"] = page->windowTitle();
    const bool closed = page->close();
    Settle();
    context.Result["closed"] = closed;
    context.Result["modified"] = form->IsModified();
    return written && closed && SaveAsGiven(context, args, *form) && refused.isEmpty();
}

QJsonArray PointJson(int x, int y)
{
    return QJsonArray{x, y};
}

QJsonArray WorldJson(const app::TWorldPoint& point)
{
    return QJsonArray{static_cast<double>(point.X), static_cast<double>(point.Y)};
}

// elevation PROJECT OUT.png|OUT.pdf: the view of the Computation menu's
// "View Soil Layer Coordinates", saved as a picture, or printed to a PDF
// file as its Print button prints. "pile_rect" holds the pile's corners in
// pixels of the picture or the page, "layers" each layer with its label.
bool Elevation(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::string out = args.Positional(1);
    if (!SparesInputs(ProjectInputs(std::filesystem::absolute(args.Positional(0)).string()),
                      {std::filesystem::absolute(out).string()}))
        return false;
    const std::unique_ptr<TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    auto* view = dynamic_cast<app_widgets::TDlgSideView*>(OpenFromMenu(*form, TChildKind::ElevationView));
    if (!view)
        return false;

    const app::TElevationProfile& profile = view->Profile();
    context.Result["pile_world"] = QJsonObject{{"top_left", WorldJson(profile.Pile.P0)},
                                               {"top_right", WorldJson(profile.Pile.P1)},
                                               {"bottom_left", WorldJson(profile.Pile.P2)},
                                               {"bottom_right", WorldJson(profile.Pile.P3)}};
    QJsonArray layers;
    bool written = false;
    if (EndsWith(out, ".pdf") || EndsWith(out, ".PDF")) {
        context.Services.Printers.PdfPath = std::filesystem::absolute(out).string();
        const app_widgets::TProfilePrint print = view->Print();
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
        const QPoint origin = view->Canvas()->pos();
        const app::TElevationScene scene = view->Scene();
        const app::TElevationMapping mapping = view->Mapping();
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
        written = view->grab().toImage().save(QString::fromStdString(out), "PNG");
        context.Result["size"] = PointJson(view->width(), view->height());
    }
    context.Result["layers"] = layers;
    context.Result["caption"] = view->windowTitle();
    return written;
}

const TVerbRegistration dialogVerb{
    {"dialog", "NAME PROJECT OUT.png [--set FIELD=VALUE ...] [--save OUT.kv7d]  (NAME: material, methods, circular, "
               "noncircular, options, title, tzprint)",
     &Dialog}};
const TVerbRegistration elevationVerb{{"elevation", "PROJECT OUT.png|OUT.pdf", &Elevation}};
const TVerbRegistration soilPropertiesVerb{
    {"soil-properties", "PROJECT LAYER OUT.png [--set FIELD=VALUE ...] [--save OUT.kv7d]", &SoilProperties}};

} // namespace

} // namespace korva::probe
