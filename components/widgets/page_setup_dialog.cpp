#include "page_setup_dialog.h"

#include <exception>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "data_edit.h"
#include "dialog_buttons.h"
#include "int_utils.h"
#include "ui_services.h"

namespace korva::widgets {

using namespace components;

namespace {

constexpr std::array<const char*, 4> kSideCaptions = {"&Left", "&Top", "&Right", "&Bottom"};

std::array<int, 4> Sides(const TPageMargins& m)
{
    return {m.Left, m.Top, m.Right, m.Bottom};
}

// The paper the current printer prints on (its page size, portrait).
QSizeF CurrentPaperInches()
{
    const QPrinter printer;
    return printer.pageLayout().pageSize().size(QPageSize::Inch);
}

} // namespace

TPageSetupForm::TPageSetupForm(QWidget* owner, const TPageSetup& setup)
    : QDialog(owner), setup_(setup)
{
    setWindowTitle(QStringLiteral("Page Setup"));
    auto* group = new QGroupBox(QStringLiteral("Margins"), this);
    auto* grid = new QGridLayout(group);
    const std::array<int, 4> initial = Sides(setup.InitialMargins());
    const std::array<int, 4> lowest = Sides(setup.LowestMargins());
    // Units of the options in one unit shown (1000 a inch, 100 a millimetre).
    const Extended scale = setup.UnitsPerShownUnit();
    for (std::size_t side = 0; side < margins_.size(); ++side) {
        auto* label = new QLabel(group);
        auto* edit = new TDataEdit(group);
        edit->SetUnits(kUnitsPlaceholders);
        edit->SetUnitsString(setup.ShownUnit());
        edit->SetCaption(kSideCaptions[side]);
        edit->SetEditLabel(label);
        edit->SetMaxVal(static_cast<Extended>(setup.MaxMargin()) / scale);
        edit->SetMinVal(static_cast<Extended>(lowest[side]) / scale);
        edit->SetNumber(static_cast<Extended>(initial[side]) / scale);
        edit->SetStoredForm([this](Extended shown) { return setup_.KeptMargin(shown); });
        edit->setEnabled(setup.MarginsEnabled());
        grid->addWidget(label, static_cast<int>(side) / 2, 2 * (static_cast<int>(side) % 2));
        grid->addWidget(edit, static_cast<int>(side) / 2, 2 * (static_cast<int>(side) % 2) + 1);
        margins_[side] = edit;
    }
    const TOkCancelRow buttons = MakeOkCancelRow(this, [this] { OkClick(); });
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons.Row);
}

void TPageSetupForm::OkClick()
{
    for (TDataEdit* edit : margins_)
        if (edit->isEnabled() && !ValidateDataEdit(edit))
            return;
    const std::string refusal = setup_.MarginsRefusal(Margins());
    if (!refusal.empty()) {
        Ui().Messages->Information(refusal);
        margins_[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}

TPageMargins TPageSetupForm::Margins() const
{
    std::array<int, 4> values{};
    for (std::size_t side = 0; side < margins_.size(); ++side)
        values[side] = setup_.MarginUnits(margins_[side]->Number());
    return {values[0], values[1], values[2], values[3]};
}

void TPageSetupForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen()) {
        const QRect s = shown->geometry();
        const TPixelPoint at =
            CenteredOnScreen({s.left(), s.top(), s.right() + 1, s.bottom() + 1}, frameGeometry().width(),
                             frameGeometry().height());
        move(at.X, at.Y);
    }
}

bool TPageSetupDialog::Execute(QWidget* owner)
{
    try {
        const QSizeF paper = CurrentPaperInches();
        setup_.SetPaperInches(paper.width(), paper.height());
        TPageSetupForm form(owner, setup_);
        if (RunDialog(form) != QDialog::Accepted)
            return false;
        setup_.SetMargins(form.Margins());
        return true;
    } catch (const std::exception& e) {
        Ui().Messages->Information(std::string("Error in TPageSetupDialog.Execute\r") + e.what());
        return false;
    }
}

} // namespace korva::widgets
