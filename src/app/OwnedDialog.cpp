#include "app/OwnedDialog.h"

#include <QKeyEvent>

OwnedDialog::OwnedDialog(QWidget* owner, const QString& objectName, const QString& caption, const QSize& clientSize)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      m_owner(owner)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setModal(false);
    if (owner)
        setFont(owner->font());
}

void OwnedDialog::showEvent(QShowEvent* event)
{
    if (m_owner) {
        move(m_owner->geometry().center() - rect().center());
        m_owner->setEnabled(false);
    }
    QDialog::showEvent(event);
}

void OwnedDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (m_owner)
        m_owner->setEnabled(true);
}

void OwnedDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
