#include "app/TProcessForm.h"

#include <QPushButton>

TProcessForm::TProcessForm(QWidget* owner)
    : OwnedDialog(owner, QStringLiteral("TProcessForm"), QStringLiteral("Process"), QSize(300, 120))
{
    auto* stop = new QPushButton(QStringLiteral("Stop"), this);
    stop->setObjectName(QStringLiteral("btnStop"));
    stop->setGeometry(112, 80, 75, 25);
}
