#include "profiles/TSizeForm.h"

#include "app/TMainForm.h"
#include "platform/Desktop.h"
#include "platform/NumberText.h"
#include "profiles/ValueListEditor.h"

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
    connect(btnOK, &QPushButton::clicked, this, &TSizeForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSizeForm::btnCancelClick);
}

namespace {

const QString kVideoSize = QStringLiteral("Video Size");
const QString kCustomSize = QStringLiteral("Custom Size");
const QString kOriginalSize = QStringLiteral("Original Size");

bool isWholeNumber(const QString& text)
{
    bool ok = false;
    StrToInt32(text, &ok);
    return ok;
}

} // namespace

void TSizeForm::btnOKClick()
{
    if (!isWholeNumber(edtWidth->text())) {
        ShowInformation(this, QStringLiteral("Incorrect Width"),
                        QStringLiteral("Please specify a proper width for output videos."));
        edtWidth->setFocus();
        return;
    }
    if (!isWholeNumber(edtHeight->text())) {
        ShowInformation(this, QStringLiteral("Incorrect Height"),
                        QStringLiteral("Please specify a proper height for output videos."));
        edtHeight->setFocus();
        return;
    }
    // The size goes to the encoder as typed: it is not one of the row's
    // captions, so option synthesis passes it on unchanged.
    ValueListEditor* grid = m_main->vleVideo;
    const int row = grid->FindRow(kVideoSize);
    if (row >= 0)
        grid->SetValue(row, edtWidth->text() + QStringLiteral("x") + edtHeight->text());
    close();
}

void TSizeForm::btnCancelClick()
{
    close();
}

void TSizeForm::hideEvent(QHideEvent* event)
{
    // "Custom Size" is no size the encoder knows: left without one, the
    // row falls back to the source's own size.
    ValueListEditor* grid = m_main->vleVideo;
    const int row = grid->FindRow(kVideoSize);
    if (row >= 0 && grid->Value(row) == kCustomSize)
        grid->SetValue(row, kOriginalSize);
    OwnedDialog::hideEvent(event);
}

void VideoGridChanged(TMainForm& form)
{
    // The grid is filled before the dialog exists.
    if (!form.SizeForm)
        return;
    const ValueListEditor* grid = form.vleVideo;
    const int current = grid->currentRow();
    if (current >= 0 && grid->Key(current) == kVideoSize && grid->Values(kVideoSize) == kCustomSize)
        form.SizeForm->show();
}
