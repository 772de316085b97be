#include "main_window/about_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "program_version.h"
#include "ui_services.h"

namespace korva::app_widgets {

namespace {

constexpr const char* kSupportAddress = "support@varnek.com";
constexpr const char* kWebAddress = "https://www.varnek.com";

// A line that acts as a link: a click hands it to the desktop.
QLabel* LinkLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(QString("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About KORVA");
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    auto* product = new QLabel("KORVA", this);
    QFont productFont = product->font();
    productFont.setPointSize(productFont.pointSize() * 2);
    productFont.setBold(true);
    product->setFont(productFont);
    version_ = new QLabel(this);
    auto* description = new QLabel("A program for analyzing the axial capacity and short-term settlement of driven "
                                   "piles under axial loading.",
                                   this);
    description->setWordWrap(true);
    auto* maker = new QLabel("Varnek\nTechnical support:", this);
    QLabel* mail = LinkLabel(kSupportAddress, this);
    QLabel* web = LinkLabel(kWebAddress, this);
    connect(mail, &QLabel::linkActivated, this, [this] { Label4Click(); });
    connect(web, &QLabel::linkActivated, this, [this] { Label6Click(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* heading = new QHBoxLayout;
    heading->addWidget(icon);
    auto* names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(version_);
    heading->addLayout(names, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(description);
    layout->addSpacing(8);
    layout->addWidget(maker);
    layout->addWidget(mail);
    layout->addWidget(web);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    description->setMinimumWidth(320);
}

QString TAboutBox::VersionText() const
{
    return version_->text();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    version_->setText(QString::fromStdString("Version " + app::GetVersion() + " - Offshore"));
    QDialog::showEvent(event);
}

void TAboutBox::Label4Click()
{
    widgets::Ui().Desktop->OpenDocument(std::string("mailto:") + kSupportAddress);
}

void TAboutBox::Label6Click()
{
    widgets::Ui().Desktop->OpenDocument(kWebAddress);
}

} // namespace korva::app_widgets
