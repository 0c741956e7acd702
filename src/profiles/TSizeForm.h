#pragma once

#include "app/OwnedDialog.h"

class QLineEdit;
class QPushButton;
class TMainForm;

// Asks for the width and height of a custom output frame size.
class TSizeForm final : public OwnedDialog
{
    Q_OBJECT

public:
    explicit TSizeForm(TMainForm* mainForm);

    QLineEdit* edtWidth = nullptr;
    QLineEdit* edtHeight = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    TMainForm* m_main;
};

// The main window's Video grid changed: a "Video Size" row set to
// "Custom Size" asks for the size (vleVideoStringsChange).
void VideoGridChanged(TMainForm& form);
