// Verbs of the numeric entry field and the table editor window.
#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "data_edit.h"
#include "exceptions.h"
#include "probe.h"
#include "project_session.h"
#include "table_form.h"

namespace korva::probe {

namespace {

// entry TEXT [--min X] [--max Y] [--integer] [--hex] [--units CODE
// --unit-system N --caption C]: a field in a dialog of its own, TEXT typed
// into it and the field left. "valid", "text" (after leaving), "value" (the
// number of that text, null when it has none) and "label".
bool Entry(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {"--min", "--max", "--units", "--unit-system", "--caption"},
                          {"--integer", "--hex"});
    QWidget dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(&dialog);
    auto* field = new widgets::TDataEdit(&dialog);
    layout->addWidget(label);
    layout->addWidget(field);
    field->SetEditLabel(label);
    field->SetIntegerOnly(args.Flag("--integer"));
    field->SetHex(args.Flag("--hex"));
    if (const auto max = args.Option("--max"))
        field->SetMaxVal(args.Number(*max));
    if (const auto min = args.Option("--min"))
        field->SetMinVal(args.Number(*min));
    if (const auto caption = args.Option("--caption"))
        field->SetCaption(*caption);
    if (const auto units = args.Option("--units"))
        field->SetUnitsString(*units);
    if (const auto system = args.Option("--unit-system"))
        field->SetUnits(args.Integer(*system));
    dialog.show();
    field->setFocus();
    field->setText(QString::fromStdString(args.Positional(0)));

    const bool valid = widgets::ValidateDataEdit(field);
    QApplication::processEvents();
    context.Result["valid"] = valid;
    context.Result["text"] = field->text();
    try {
        context.Result["value"] = static_cast<double>(field->Number());
    } catch (const components::Exception&) {
        context.Result["value"] = QJsonValue();
    }
    context.Result["label"] = label->text();
    return true;
}

QJsonObject ButtonJson(const QPushButton* button)
{
    return QJsonObject{{"visible", !button->isHidden()}, {"enabled", button->isEnabled()}};
}

// The table named on the command line: D, Sectionaldata, TblTZDepth, or the
// property table of layer k as D:k.
components::TGridTable* TableNamed(app::TProjectSession& session, const std::string& name)
{
    app::TProjectTables& tables = session.Tables();
    if (name == "D")
        return &tables.D;
    if (name == "Sectionaldata")
        return &tables.Sectionaldata;
    if (name == "TblTZDepth")
        return &tables.TblTZDepth;
    if (name.rfind("D:", 0) == 0) {
        const int layer = TProbeArgs({}, {}).Integer(name.substr(2));
        if (layer < 1 || layer > tables.D.RowCount())
            throw EProbeUsage("the project has no layer " + name.substr(2));
        return &tables.D.Cell(app::layer_col::Properties, layer - 1).GetAsTable();
    }
    throw EProbeUsage("unknown table " + name + " (D, Sectionaldata, TblTZDepth or D:k)");
}

// render-table PROJECT TABLE OUT.png [--rows N]: the table's window as
// ShowTable opens it (after the table was resized to N rows), saved as a
// picture. "rows", "visible_rows", "buttons" (visible and enabled state of
// add, insert and delete) and "png".
bool RenderTable(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {"--rows"});
    if (!SparesInputs(ProjectInputs(std::filesystem::absolute(args.Positional(0)).string()),
                      {std::filesystem::absolute(args.Positional(2)).string()}))
        return false;
    const std::unique_ptr<app::TProjectSession> session = MakeProbeSession();
    session->OpenProject(args.Positional(0), app::pfvAnyFile);
    const std::size_t opened = context.Services.Messages.Shown.size();
    components::TGridTable* table = TableNamed(*session, args.Positional(1));
    const std::string out = args.Positional(2);
    widgets::InstallTableForms(table->Registry());
    if (const auto rows = args.Option("--rows"))
        table->SetRowCount(args.Integer(*rows));

    table->ShowTable();
    auto* form = dynamic_cast<widgets::TTableForm*>(table->Form());
    if (!form)
        return false;
    QApplication::processEvents();
    context.Result["rows"] = table->RowCount();
    context.Result["visible_rows"] = form->VisibleDataRows();
    context.Result["buttons"] = QJsonObject{
        {"add", ButtonJson(form->BtnAdd())}, {"insert", ButtonJson(form->BtnIns())}, {"delete", ButtonJson(form->BtnDel())}};
    const bool saved = form->grab().save(QString::fromStdString(out), "PNG");
    if (saved)
        context.Result["png"] = QString::fromStdString(out);
    table->HideTable();
    return saved && opened == context.Services.Messages.Shown.size();
}

const TVerbRegistration entryVerb{
    {"entry", "TEXT [--min X] [--max Y] [--integer] [--hex] [--units CODE --unit-system N --caption C]", &Entry}};
const TVerbRegistration renderTableVerb{{"render-table", "PROJECT TABLE OUT.png [--rows N]", &RenderTable}};

} // namespace

} // namespace korva::probe
