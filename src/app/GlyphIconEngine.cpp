#include "app/GlyphIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <utility>

namespace {

constexpr qreal DesignUnits = 24.0;

// A disabled glyph keeps its shape but loses its colour and half its
// strength, like the platform's own greyed-out icons.
void Fade(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 0)
                continue;
            // Premultiplied: work on the colour as it would look unmultiplied.
            const int grey =
                qGray(qRed(pixel) * 255 / alpha, qGreen(pixel) * 255 / alpha, qBlue(pixel) * 255 / alpha);
            const int lifted = 110 + grey * 120 / 255;
            const int faded = alpha * 45 / 100;
            line[x] = qRgba(lifted * faded / 255, lifted * faded / 255, lifted * faded / 255, faded);
        }
    }
}

} // namespace

GlyphIconEngine::GlyphIconEngine(QString name, PaintRoutine paintRoutine, QList<QSize> sizes)
    : m_name(std::move(name)), m_paintRoutine(paintRoutine), m_sizes(std::move(sizes)) {}

// Buttons paint icons straight onto their own surface: render at that
// surface's pixel density so the glyph is as sharp as the text beside it.
void GlyphIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap pixmap = QPixmap::fromImage(Render(rect.size() * ratio, mode));
    pixmap.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, pixmap);
}

QSize GlyphIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const int side = qMin(size.width(), size.height());
    return {side, side};
}

// The icon asks for device pixels here (the requested size times the pixel
// ratio) and sets the ratio on the result itself.
QPixmap GlyphIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    return QPixmap::fromImage(Render(size, mode));
}

QImage GlyphIconEngine::Render(const QSize& pixels, QIcon::Mode mode) const {
    if (pixels.isEmpty())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        const qreal side = qMin(pixels.width(), pixels.height());
        painter.translate((pixels.width() - side) / 2.0, (pixels.height() - side) / 2.0);
        painter.scale(side / DesignUnits, side / DesignUnits);
        m_paintRoutine(painter);
    }
    if (mode == QIcon::Disabled)
        Fade(image);
    return image;
}

QList<QSize> GlyphIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    return m_sizes;
}

QString GlyphIconEngine::key() const {
    return QStringLiteral("framewright-glyph");
}

QString GlyphIconEngine::iconName() {
    return m_name;
}

bool GlyphIconEngine::isNull() {
    return m_paintRoutine == nullptr;
}

QIconEngine* GlyphIconEngine::clone() const {
    return new GlyphIconEngine(*this);
}
