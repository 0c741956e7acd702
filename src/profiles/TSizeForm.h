#pragma once

#include "app/OwnedDialog.h"

class QLineEdit;
class QPushButton;
class TMainForm;

// Asks for the width and height of a custom output frame size and puts
// them, as typed, into the main window's "Video Size" row. Leaving it
// without a size puts "Original Size" there instead.
class TSizeForm final : public OwnedDialog
{
    Q_OBJECT

public:
    explicit TSizeForm(TMainForm* mainForm);

    QLineEdit* edtWidth = nullptr;
    QLineEdit* edtHeight = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOKClick();
    void btnCancelClick();

protected:
    // Every way of closing the dialog ends here (FormClose).
    void hideEvent(QHideEvent* event) override;

private:
    TMainForm* m_main;
};

// The main window's Video grid changed: a "Video Size" row set to
// "Custom Size" asks for the size (vleVideoStringsChange).
void VideoGridChanged(TMainForm& form);
