#include "app/TAboutForm.h"

#include "app/Artwork.h"
#include "app/ProgramInfo.h"
#include "app/TMainForm.h"
#include "platform/Desktop.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// A label that behaves as a link: hand cursor, click signal.
class LinkLabel final : public QLabel
{
public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), m_onClick(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
};

void openAddress(const QString& address)
{
    Desktop::current().openUrl(QUrl(address));
}

} // namespace

TAboutForm::TAboutForm(TMainForm* owner)
    : OwnedDialog(owner, QStringLiteral("TAboutForm"), QStringLiteral("About"), QSize(476, 330))
{
    const ProgramInfo& info = TheProgramInfo();

    // Made first, so every text and link lies over it.
    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("imgBackground"));
    background->setGeometry(0, 0, 476, 330);
    background->setPixmap(Artwork::AboutBackground(background->size()));

    labProgramName = new QLabel(info.ProductName, this);
    labProgramName->setObjectName(QStringLiteral("labProgramName"));
    labProgramName->setGeometry(16, 20, 444, 24);
    labProgramName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont nameFont(QStringLiteral("Verdana"));
    nameFont.setPixelSize(17);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    labProgramName->setFont(nameFont);

    labVersion = new QLabel(QStringLiteral("Version ") + owner->VersionText, this);
    labVersion->setObjectName(QStringLiteral("labVersion"));
    labVersion->setGeometry(16, 48, 444, 18);
    labVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    labVisitWebsite = new QLabel(QStringLiteral("Visit our website"), this);
    labVisitWebsite->setObjectName(QStringLiteral("labVisitWebsite"));
    labVisitWebsite->setGeometry(24, 150, 110, 18);
    labWebsite = newLink(QStringLiteral("labWebsite"), info.WebSite, QRect(136, 150, 320, 18), true);

    Label7 = new QLabel(QStringLiteral("More video converting softwares"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(24, 180, 200, 18);
    labMore = newLink(QStringLiteral("labMore"), QStringLiteral("(More)"), QRect(226, 180, 60, 18), false);
    Label8 = newLink(QStringLiteral("Label8"), info.RelatedProductName1, QRect(40, 204, 400, 18), false);
    Label9 = newLink(QStringLiteral("Label9"), info.RelatedProductName2, QRect(40, 224, 400, 18), false);
    Label10 = newLink(QStringLiteral("Label10"), info.RelatedProductName3, QRect(40, 244, 400, 18), false);

    labCopyright = new QLabel(QStringLiteral("Copyright (C) %1 %2. All rights reserved.")
                                  .arg(info.CopyrightYear, info.CompanyName),
                              this);
    labCopyright->setObjectName(QStringLiteral("labCopyright"));
    labCopyright->setGeometry(24, 296, 330, 18);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(380, 292, 75, 25);
    connect(btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);
}

QLabel* TAboutForm::newLink(const QString& name, const QString& text, const QRect& geometry, bool underline)
{
    std::function<void()> handler;
    if (name == QLatin1String("labWebsite"))
        handler = [this] { labWebsiteClick(); };
    else if (name == QLatin1String("labMore"))
        handler = [this] { labMoreClick(); };
    else if (name == QLatin1String("Label8"))
        handler = [this] { Label8Click(); };
    else if (name == QLatin1String("Label9"))
        handler = [this] { Label9Click(); };
    else
        handler = [this] { Label10Click(); };
    auto* link = new LinkLabel(text, this, handler);
    link->setObjectName(name);
    link->setGeometry(geometry);
    QFont font = link->font();
    font.setUnderline(underline);
    link->setFont(font);
    link->setStyleSheet(QStringLiteral("color: blue;"));
    return link;
}

void TAboutForm::btnOKClick()
{
    close();
}

void TAboutForm::labWebsiteClick()
{
    openAddress(labWebsite->text());
}

void TAboutForm::labMoreClick()
{
    openAddress(TheProgramInfo().MoreProductsPage);
}

void TAboutForm::Label8Click()
{
    openAddress(TheProgramInfo().RelatedProductPage1);
}

void TAboutForm::Label9Click()
{
    openAddress(TheProgramInfo().RelatedProductPage2);
}

void TAboutForm::Label10Click()
{
    openAddress(TheProgramInfo().RelatedProductPage3);
}
