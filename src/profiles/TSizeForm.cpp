#include "profiles/TSizeForm.h"

#include "app/TMainForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSizeForm::TSizeForm(TMainForm* mainForm)
    : OwnedDialog(mainForm, QStringLiteral("TSizeForm"), QStringLiteral("Video Size of output files"), QSize(336, 106)),
      m_main(mainForm)
{
    auto* widthLabel = new QLabel(QStringLiteral("Width:"), this);
    widthLabel->setGeometry(12, 22, 42, 18);
    edtWidth = new QLineEdit(this);
    edtWidth->setObjectName(QStringLiteral("edtWidth"));
    edtWidth->setGeometry(56, 20, 81, 22);
    auto* heightLabel = new QLabel(QStringLiteral("Height:"), this);
    heightLabel->setGeometry(168, 22, 46, 18);
    edtHeight = new QLineEdit(this);
    edtHeight->setObjectName(QStringLiteral("edtHeight"));
    edtHeight->setGeometry(216, 20, 97, 22);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(160, 64, 75, 25);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(248, 64, 75, 25);
    for (QPushButton* button : {btnOK, btnCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void VideoGridChanged(TMainForm&) {}
