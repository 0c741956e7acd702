#pragma once

#include <QLabel>
#include <QPixmap>
#include <array>

// A picture that acts as a button with three frames: 0 normal, 1 hover,
// 2 pressed. The frame shown is kept in the widget's "tag" property, which
// survives hiding and showing: a picture shown again keeps the frame it had
// until the mouse passes over a hover reset area.
class PictureButton final : public QLabel
{
    Q_OBJECT

public:
    PictureButton(const QString& name, const std::array<QPixmap, 3>& frames, QWidget* parent = nullptr);

    int tag() const;
    // Draws frame n and records it in the tag.
    void ShowFrame(int frame);
    // The hover reset: back to the normal frame when visible and not normal already.
    void ResetHover();

signals:
    // A left-button press and release on the picture, as a button clicks.
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::array<QPixmap, 3> m_frames;
    bool m_pressedInside = false;
};
