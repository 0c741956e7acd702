#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// The coloured title bar above a parameter grid: the group's name and a
// small "-"/"+" button that collapses and expands the grid below.
class GroupHeader final : public QFrame
{
    Q_OBJECT

public:
    // `panelName` and `buttonName` are the object names of the bar and its button.
    GroupHeader(const QString& panelName, const QString& buttonName, const QString& title, const QColor& colour,
                QWidget* parent = nullptr);

    QPushButton* button() const { return m_button; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QLabel* m_title;
    QPushButton* m_button;
};
