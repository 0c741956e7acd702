#include "profiles/GroupHeader.h"

#include <QLabel>
#include <QPushButton>

GroupHeader::GroupHeader(const QString& panelName, const QString& buttonName, const QString& title,
                         const QColor& colour, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(panelName);
    setFixedHeight(18);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; }").arg(panelName, colour.name()));

    // Six blanks leave room for the button at the left edge.
    m_title = new QLabel(QStringLiteral("      ") + title, this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setGeometry(0, 0, 400, 18);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_button = new QPushButton(QStringLiteral("-"), this);
    m_button->setObjectName(buttonName);
    m_button->setGeometry(5, 3, 12, 12);
    QFont buttonFont = m_button->font();
    buttonFont.setBold(true);
    buttonFont.setPixelSize(16);
    m_button->setFont(buttonFont);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setStyleSheet(QStringLiteral("QPushButton { padding: 0; margin: 0; border: 1px solid #3f7fb8;"
                                           " background: white; color: black; font-weight: bold; font-size: 12px; }"));
}

void GroupHeader::mouseDoubleClickEvent(QMouseEvent* event)
{
    QFrame::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
