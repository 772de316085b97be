#include "dialogs/option_dialogs.h"

#include <filesystem>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "data_edit.h"
#include "document_rules.h"
#include "file_text.h"
#include "main_window/main_form.h"
#include "option_rules.h"
#include "ui_services.h"

namespace korva::app_widgets {

// ---------------------------------------------------------------------------
// Control Options

TDlgOptions::TDlgOptions(TMainForm& main) : TInputDialog(main, QStringLiteral("Control Options"))
{
    auto* printBox = new QGroupBox(QStringLiteral("Print Controls"), this);
    QLabel* incrementLabel = nullptr;
    dataEdit3_ = NewEntry(printBox, "Length of each computation &increment ", "L2", &incrementLabel);
    dataEdit3_->SetMaxVal(app::kMaxIncrementLength);
    QLabel* everyLabel = nullptr;
    dataEdit2_ = NewEntry(printBox, "&Print only every ", "", &everyLabel);
    dataEdit2_->SetMaxVal(app::kMaxPrintEvery);
    dataEdit2_->SetMinVal(app::kMinPrintEvery);
    // Left, each field shows what the store will keep: the increment
    // repaired, the interval a whole number.
    dataEdit3_->SetStoredForm(app::UsableIncrement);
    dataEdit2_->SetStoredForm(
        [](app::Extended every) { return static_cast<app::Extended>(app::RoundedPrintEvery(every)); });
    auto* printGrid = new QGridLayout(printBox);
    printGrid->addWidget(incrementLabel, 0, 0);
    printGrid->addWidget(dataEdit3_, 0, 1);
    printGrid->addWidget(everyLabel, 1, 0);
    printGrid->addWidget(dataEdit2_, 1, 1);
    printGrid->addWidget(new QLabel(QStringLiteral("computation increment(s)"), printBox), 1, 2);

    auto* editorBox = new QGroupBox(QStringLiteral("Text Editor"), this);
    edtWord_ = new QLineEdit(QStringLiteral("C:\\Windows\\notepad.exe"), editorBox);
    auto* btnBrowse = new QPushButton(QStringLiteral("&Browse..."), editorBox);
    auto* editorRow = new QHBoxLayout(editorBox);
    editorRow->addWidget(edtWord_, 1);
    editorRow->addWidget(btnBrowse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printBox);
    layout->addWidget(editorBox);
    layout->addLayout(NewCloseRow(this, this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edtWord_->setMinimumWidth(280);

    fields_.Add("IncrementLength", dataEdit3_);
    fields_.Add("PrintEvery", dataEdit2_);
    fields_.Add("WordProcessor", edtWord_);

    for (widgets::TDataEdit* field : {dataEdit2_, dataEdit3_})
        connect(field, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    connect(btnBrowse, &QPushButton::clicked, this, [this] { BrowseClick(); });
}

void TDlgOptions::LoadFromProject()
{
    const app::TProgramData& p = Project();
    dataEdit3_->SetUnits(p.Units);
    const app::TOptionsForm form = app::LoadOptionsForm(p);
    dataEdit2_->SetNumber(form.PrintEvery);
    dataEdit3_->SetNumber(form.IncrementLength);
    edtWord_->setText(QString::fromStdString(Main().WordProcessorPath()));
}

void TDlgOptions::StoreToProject()
{
    // The word processor belongs to the program's settings, not the project.
    Main().SetWordProcessorPath(edtWord_->text().toStdString());
    const app::TOptionsForm form{dataEdit2_->Number(), dataEdit3_->Number()};
    if (app::StoreOptionsForm(form, Project()))
        MarkModified();
}

void TDlgOptions::BrowseClick()
{
    widgets::TFileDialogOptions options;
    options.Filters = {"Programs (*)", "All Files (*)"};
    options.FileMustExist = true;
    const std::filesystem::path current = edtWord_->text().toStdString();
    options.FileName = current.string();
    // The editor's own folder; for a program named without one, the
    // project's folder as every chooser.
    options.InitialDir =
        current.has_parent_path() ? current.parent_path().string() : app::ProjectFolder(Project().FileName);
    if (const auto chosen = widgets::Ui().Files->Open(options))
        edtWord_->setText(QString::fromStdString(chosen->FileName));
}

// ---------------------------------------------------------------------------
// Project Title

TSingleLineMemo::TSingleLineMemo(int maxLength, QWidget* parent) : QPlainTextEdit(parent), maxLength_(maxLength)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void TSingleLineMemo::Insert(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char(' ');
    QTextCursor cursor = textCursor();
    const int kept = toPlainText().size() - (cursor.selectionEnd() - cursor.selectionStart());
    text.truncate(std::max(0, maxLength_ - kept));
    cursor.insertText(text);
    setTextCursor(cursor);
}

void TSingleLineMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !typed.isEmpty() && typed.at(0).isPrint()) {
        Insert(typed);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TSingleLineMemo::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        Insert(source->text());
}

TdlgTitle::TdlgTitle(TMainForm& main) : TInputDialog(main, QStringLiteral("Project Title"))
{
    titleMemo_ = new TSingleLineMemo(app::kMaxTitleLength, this);
    titleMemo_->setFixedHeight(titleMemo_->fontMetrics().height() * 3 + 10);
    titleMemo_->setMinimumWidth(360);
    dataEdit1_ = new QLineEdit(this);
    dataEdit2_ = new QLineEdit(this);
    auto* memoLabel = new QLabel(QStringLiteral("Enter line of text for project description:"), this);
    memoLabel->setBuddy(titleMemo_);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Name of the Designer : "), this), 0, 0);
    grid->addWidget(dataEdit1_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Job Number : "), this), 1, 0);
    grid->addWidget(dataEdit2_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memoLabel);
    layout->addWidget(titleMemo_);
    layout->addLayout(grid);
    layout->addLayout(NewCloseRow(this, this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_.Add("ProjectTitle", titleMemo_);
    fields_.Add("DesignerName", dataEdit1_);
    fields_.Add("JobNumber", dataEdit2_);

    // Left, a text pasted over several lines shows on the one line it is
    // stored on.
    for (QLineEdit* edit : {dataEdit1_, dataEdit2_})
        connect(edit, &QLineEdit::editingFinished, this, [edit] {
            const QString kept = QString::fromStdString(app::SingleLine(edit->text().toStdString()));
            if (kept != edit->text())
                edit->setText(kept);
        });
}

void TdlgTitle::LoadFromProject()
{
    const app::TTitleForm form = app::LoadTitleForm(Project());
    titleMemo_->setPlainText(QString::fromStdString(form.ProjectTitle));
    dataEdit1_->setText(QString::fromStdString(form.DesignerName));
    dataEdit2_->setText(QString::fromStdString(form.JobNumber));
}

void TdlgTitle::StoreToProject()
{
    const app::TTitleForm form{titleMemo_->toPlainText().toStdString(), dataEdit1_->text().toStdString(),
                               dataEdit2_->text().toStdString()};
    if (app::StoreTitleForm(form, Project()))
        MarkModified();
}

// ---------------------------------------------------------------------------
// Option of Printing t-z Curves

TDlgTZPrint::TDlgTZPrint(TMainForm& main) : TInputDialog(main, QStringLiteral("Option of Printing t-z Curves"))
{
    chkPrint_ = new QCheckBox(QStringLiteral("&Print Internally-Generated"), this);
    editDepths_ = new QPushButton(QStringLiteral("Edit Depths"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(chkPrint_);
    row->addWidget(editDepths_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("t-z Curves for Verification"), this));
    layout->addLayout(row);
    layout->addLayout(NewCloseRow(this, this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fields_.Add("ExtraTZDepths", chkPrint_);
    fields_.Add("TblTZDepth", editDepths_);

    connect(chkPrint_, &QCheckBox::toggled, editDepths_, &QWidget::setEnabled);
    connect(chkPrint_, &QCheckBox::clicked, this, [this] { MarkModified(); });
    connect(editDepths_, &QPushButton::clicked, this, [this] { EditDepthsClick(); });
}

void TDlgTZPrint::LoadFromProject()
{
    const bool print = Project().ExtraTZDepths == 1;
    chkPrint_->setChecked(print);
    editDepths_->setEnabled(print);
}

void TDlgTZPrint::StoreToProject()
{
    if (app::StoreExtraTzDepths(chkPrint_->isChecked(), Project()))
        MarkModified();
}

void TDlgTZPrint::EditDepthsClick()
{
    Tables().TblTZDepth.ShowTable();
}

} // namespace korva::app_widgets
