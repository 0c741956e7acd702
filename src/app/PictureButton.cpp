#include "app/PictureButton.h"

#include <QMouseEvent>

PictureButton::PictureButton(const QString& name, const std::array<QPixmap, 3>& frames, QWidget* parent)
    : QLabel(parent), m_frames(frames)
{
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    ShowFrame(0);
}

int PictureButton::tag() const
{
    return property("tag").toInt();
}

void PictureButton::ShowFrame(int frame)
{
    setPixmap(m_frames.at(size_t(frame)));
    setProperty("tag", frame);
}

void PictureButton::ResetHover()
{
    if (isVisible() && tag() != 0)
        ShowFrame(0);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    if (tag() == 0)
        ShowFrame(1);
    // Kept here: passed on, the move would reach the panel behind, whose
    // hover reset would take the hover frame straight away again.
    event->accept();
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (tag() != 2)
        ShowFrame(2);
    m_pressedInside = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (tag() == 2)
        ShowFrame(1);
    const bool click =
        m_pressedInside && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    event->accept();
    if (click)
        emit clicked();
}
