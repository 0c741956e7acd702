#pragma once

#include "app/OwnedDialog.h"

class QLabel;
class QPushButton;
class TMainForm;

// The About dialog: product name, version, the maker's links.
class TAboutForm final : public OwnedDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(TMainForm* owner);

    QLabel* labProgramName = nullptr;
    QLabel* labVersion = nullptr;
    QLabel* labVisitWebsite = nullptr;
    QLabel* labWebsite = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* labMore = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* labCopyright = nullptr;
    QPushButton* btnOK = nullptr;

public slots:
    void btnOKClick();
    void labWebsiteClick();
    void labMoreClick();
    void Label8Click();
    void Label9Click();
    void Label10Click();

private:
    QLabel* newLink(const QString& name, const QString& text, const QRect& geometry, bool underline);
};
