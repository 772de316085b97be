#include "dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace korva::widgets {

TOkCancelRow MakeOkCancelRow(QDialog* dialog, std::function<void()> onOk)
{
    TOkCancelRow row;
    row.Ok = new QPushButton(QStringLiteral("OK"), dialog);
    row.Ok->setDefault(true);
    row.Cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    QObject::connect(row.Ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(row.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row.Row = new QHBoxLayout;
    row.Row->addStretch();
    row.Row->addWidget(row.Ok);
    row.Row->addWidget(row.Cancel);
    return row;
}

} // namespace korva::widgets
