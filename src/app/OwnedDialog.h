#pragma once

#include <QDialog>

// A dialog that lives for the whole run and is shown without a modal loop:
// while it is visible its owner window is disabled, so the user works with
// one window at a time, and closing it (by any means) only hides it.
// It is a top-level window of its own rather than a child of the owner,
// so disabling the owner leaves the dialog usable.
class OwnedDialog : public QDialog
{
    Q_OBJECT

public:
    OwnedDialog(QWidget* owner, const QString& objectName, const QString& caption, const QSize& clientSize);

    QWidget* owner() const { return m_owner; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Keeps Escape from closing the dialog: none of the program's dialogs
    // has a cancel button bound to it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* m_owner;
};
