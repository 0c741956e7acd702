#pragma once

#include "app/OwnedDialog.h"

// A progress window kept from an earlier design: created at start and never shown.
class TProcessForm final : public OwnedDialog
{
    Q_OBJECT

public:
    explicit TProcessForm(QWidget* owner);
};
