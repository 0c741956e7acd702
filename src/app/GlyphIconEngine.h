#pragma once

#include <QIconEngine>
#include <QImage>
#include <QList>
#include <QSize>

class QPainter;

// An icon drawn by a painting routine instead of stored pictures, so that it
// is sharp at every size and pixel ratio a button or a window frame asks for.
// The routine paints into a square of 24 by 24 units; the engine scales it to
// the requested size, centred when the size is not square. Disabled icons are
// the same drawing in a faded grey.
class GlyphIconEngine final : public QIconEngine {
  public:
    using PaintRoutine = void (*)(QPainter& painter);

    GlyphIconEngine(QString name, PaintRoutine paintRoutine, QList<QSize> sizes);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QString iconName() override;
    bool isNull() override;
    QIconEngine* clone() const override;

  private:
    QImage Render(const QSize& pixels, QIcon::Mode mode) const;

    QString m_name;
    PaintRoutine m_paintRoutine;
    QList<QSize> m_sizes;
};
