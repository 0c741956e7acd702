#include "app/Artwork.h"

#include "app/GlyphIconEngine.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <utility>

namespace {

// The palette of the whole program: the blue of the group header bars, the
// pale blue of the list header, and the deeper blues and accents around them.
const QColor GroupBlue(91, 172, 242);
const QColor HeaderBlue(202, 227, 255);
const QColor SkyBlue(126, 194, 248);
const QColor DeepBlue(30, 108, 198);
const QColor Navy(22, 74, 136);
const QColor Ink(33, 99, 170);
const QColor Paper(246, 250, 255);
const QColor Leaf(39, 158, 84);
const QColor Coral(212, 64, 60);

qreal EffectiveRatio(qreal ratio) {
    if (ratio > 0)
        return ratio;
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// A transparent pixmap of the given device-independent size, rendered at
// the given ratio; painting on it works in device-independent pixels.
QPixmap Canvas(const QSize& size, qreal ratio) {
    if (size.isEmpty())
        return {};
    const qreal effective = EffectiveRatio(ratio);
    QPixmap pixmap(QSize(qCeil(size.width() * effective), qCeil(size.height() * effective)));
    pixmap.setDevicePixelRatio(effective);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Smooth(QPainter& painter) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

QPainterPath Rounded(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPen RoundPen(const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QLinearGradient Vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

QFont PixelFont(int pixelSize, QFont::Weight weight) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A soft shadow under a shape: a few widening strokes of a faint colour,
// which blend into a blur without an image filter.
void SoftShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset, qreal spread,
                int alpha) {
    painter.save();
    painter.translate(offset);
    const QColor shade(16, 45, 80, alpha);
    for (int layer = 4; layer >= 1; --layer) {
        painter.setPen(RoundPen(shade, spread * layer / 2.0));
        painter.setBrush(shade);
        painter.drawPath(shape);
    }
    painter.restore();
}

// The upper half of a shape lit from above.
void Gloss(QPainter& painter, const QPainterPath& shape, int alpha) {
    const QRectF bounds = shape.boundingRect();
    painter.save();
    painter.setClipPath(shape, Qt::IntersectClip);
    QLinearGradient light(bounds.topLeft(), QPointF(bounds.left(), bounds.center().y()));
    light.setColorAt(0, QColor(255, 255, 255, alpha));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(bounds, light);
    painter.restore();
}

QPolygonF PlayTriangle(const QPointF& centre, qreal radius) {
    return QPolygonF({centre + QPointF(-radius * 0.55, -radius * 0.8),
                      centre + QPointF(-radius * 0.55, radius * 0.8), centre + QPointF(radius * 0.85, 0)});
}

// Draws in a 24-unit square; callers scale the painter.
void PaintEmblem(QPainter& painter) {
    const QRectF tile(1.5, 1.5, 21, 21);
    const QPainterPath shape = Rounded(tile, 5);
    painter.setPen(QPen(Navy, 0.6));
    painter.setBrush(Vertical(tile, SkyBlue, DeepBlue));
    painter.drawPath(shape);
    Gloss(painter, shape, 80);

    // Film perforations along both edges only where there are pixels enough
    // to show them; at small sizes they would only blur the tile.
    if (painter.deviceTransform().m11() >= 1.3) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 190));
        for (const qreal x : {4.6, 8.3, 12.0, 15.7, 19.4}) {
            painter.drawRoundedRect(QRectF(x - 1.0, 3.3, 2.0, 1.5), 0.4, 0.4);
            painter.drawRoundedRect(QRectF(x - 1.0, 19.2, 2.0, 1.5), 0.4, 0.4);
        }
    }

    painter.setPen(RoundPen(Qt::white, 1.4));
    painter.setBrush(Qt::white);
    painter.drawPolygon(PlayTriangle(QPointF(12.6, 12), 5.2));
}

// ---------------------------------------------------------------------------
// Glyphs, each in a 24-unit square.

void PlusBadge(QPainter& painter, const QPointF& centre) {
    const QRectF disc(centre.x() - 5.4, centre.y() - 5.4, 10.8, 10.8);
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(Vertical(disc, QColor(92, 200, 120), Leaf));
    painter.drawEllipse(disc);
    painter.setPen(RoundPen(Qt::white, 1.8));
    painter.drawLine(centre + QPointF(-2.6, 0), centre + QPointF(2.6, 0));
    painter.drawLine(centre + QPointF(0, -2.6), centre + QPointF(0, 2.6));
}

void CrossBadge(QPainter& painter, const QPointF& centre) {
    const QRectF disc(centre.x() - 5.4, centre.y() - 5.4, 10.8, 10.8);
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(Vertical(disc, QColor(238, 112, 104), Coral));
    painter.drawEllipse(disc);
    painter.setPen(RoundPen(Qt::white, 1.7));
    painter.drawLine(centre + QPointF(-2.1, -2.1), centre + QPointF(2.1, 2.1));
    painter.drawLine(centre + QPointF(2.1, -2.1), centre + QPointF(-2.1, 2.1));
}

void PaintDocument(QPainter& painter) {
    QPainterPath sheet;
    sheet.moveTo(5, 2.5);
    sheet.lineTo(13.5, 2.5);
    sheet.lineTo(18.5, 7.5);
    sheet.lineTo(18.5, 21.5);
    sheet.lineTo(5, 21.5);
    sheet.closeSubpath();
    painter.setPen(RoundPen(Ink, 1.5));
    painter.setBrush(Vertical(sheet.boundingRect(), Qt::white, QColor(228, 240, 255)));
    painter.drawPath(sheet);

    QPainterPath fold;
    fold.moveTo(13.5, 2.5);
    fold.lineTo(13.5, 7.5);
    fold.lineTo(18.5, 7.5);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(fold);

    painter.setPen(RoundPen(QColor(140, 180, 226), 1.3));
    painter.drawLine(QPointF(8, 11), QPointF(15.5, 11));
    painter.drawLine(QPointF(8, 14.5), QPointF(12.5, 14.5));
}

QPainterPath FolderBack() {
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.quadTo(2.5, 4.5, 3.5, 4.5);
    back.lineTo(8.6, 4.5);
    back.lineTo(10.6, 6.5);
    back.lineTo(20.5, 6.5);
    back.quadTo(21.5, 6.5, 21.5, 7.5);
    back.lineTo(21.5, 19.5);
    back.quadTo(21.5, 20.5, 20.5, 20.5);
    back.lineTo(3.5, 20.5);
    back.quadTo(2.5, 20.5, 2.5, 19.5);
    return back;
}

void PaintFolder(QPainter& painter) {
    painter.setPen(RoundPen(Ink, 1.4));
    painter.setBrush(QColor(150, 198, 245));
    painter.drawPath(FolderBack());
    const QRectF front(2.5, 9, 19, 11.5);
    painter.setBrush(Vertical(front, QColor(200, 228, 255), QColor(120, 180, 240)));
    painter.drawRoundedRect(front, 1.2, 1.2);
}

void PaintAddFile(QPainter& painter) {
    PaintDocument(painter);
    PlusBadge(painter, QPointF(17.5, 17.5));
}

void PaintAddDir(QPainter& painter) {
    PaintFolder(painter);
    PlusBadge(painter, QPointF(17.5, 17.5));
}

void PaintSettings(QPainter& painter) {
    const QPointF centre(12, 12);
    QPolygonF gear;
    for (int tooth = 0; tooth < 8; ++tooth) {
        const qreal middle = tooth * 45.0;
        for (const auto& [offset, radius] : {std::pair{-17.0, 7.4}, {-9.0, 10.2}, {9.0, 10.2}, {17.0, 7.4}}) {
            const qreal angle = qDegreesToRadians(middle + offset);
            gear << centre + QPointF(qCos(angle) * radius, qSin(angle) * radius);
        }
    }
    painter.setPen(RoundPen(Navy, 1.2));
    painter.setBrush(Vertical(gear.boundingRect(), SkyBlue, DeepBlue));
    painter.drawPolygon(gear);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 3.3, 3.3);
}

void PaintDelete(QPainter& painter) {
    painter.setPen(RoundPen(Coral, 1.8));
    painter.drawLine(QPointF(4.5, 6.5), QPointF(19.5, 6.5));
    QPainterPath handle;
    handle.moveTo(9.5, 6.5);
    handle.lineTo(9.5, 4.6);
    handle.quadTo(9.5, 3.5, 10.6, 3.5);
    handle.lineTo(13.4, 3.5);
    handle.quadTo(14.5, 3.5, 14.5, 4.6);
    handle.lineTo(14.5, 6.5);
    painter.setPen(RoundPen(Coral, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(handle);

    QPainterPath body;
    body.moveTo(6, 8.5);
    body.lineTo(18, 8.5);
    body.lineTo(17, 20);
    body.quadTo(16.9, 21.2, 15.7, 21.2);
    body.lineTo(8.3, 21.2);
    body.quadTo(7.1, 21.2, 7, 20);
    body.closeSubpath();
    painter.setBrush(Vertical(body.boundingRect(), QColor(254, 240, 239), QColor(246, 200, 197)));
    painter.drawPath(body);
    painter.setPen(RoundPen(Coral, 1.3));
    painter.drawLine(QPointF(10, 11.2), QPointF(10, 18.4));
    painter.drawLine(QPointF(14, 11.2), QPointF(14, 18.4));
}

void PaintClear(QPainter& painter) {
    painter.setPen(RoundPen(Ink, 2.0));
    painter.drawLine(QPointF(3.5, 5.5), QPointF(18.5, 5.5));
    painter.drawLine(QPointF(3.5, 10.5), QPointF(18.5, 10.5));
    painter.drawLine(QPointF(3.5, 15.5), QPointF(10.5, 15.5));
    painter.drawLine(QPointF(3.5, 20.5), QPointF(9.5, 20.5));
    CrossBadge(painter, QPointF(17, 17));
}

void PaintArrow(QPainter& painter, bool up) {
    // Drawn pointing up; the down arrow mirrors the outline but keeps the
    // light from above.
    const std::array<QPointF, 7> outline{QPointF(12, 3),    QPointF(20.5, 12), QPointF(15, 12),
                                         QPointF(15, 20.5), QPointF(9, 20.5),  QPointF(9, 12),
                                         QPointF(3.5, 12)};
    QPolygonF arrow;
    for (const QPointF& point : outline)
        arrow << (up ? point : QPointF(point.x(), 24 - point.y()));
    painter.setPen(RoundPen(Navy, 1.2));
    painter.setBrush(Vertical(arrow.boundingRect(), SkyBlue, DeepBlue));
    painter.drawPolygon(arrow);
}

void PaintUp(QPainter& painter) {
    PaintArrow(painter, true);
}

void PaintDown(QPainter& painter) {
    PaintArrow(painter, false);
}

void RoundBadge(QPainter& painter) {
    const QRectF disc(2, 2, 20, 20);
    painter.setPen(QPen(Navy, 1.0));
    painter.setBrush(Vertical(disc, SkyBlue, DeepBlue));
    painter.drawEllipse(disc);
    Gloss(
        painter,
        [&] {
            QPainterPath path;
            path.addEllipse(disc);
            return path;
        }(),
        70);
}

void PaintAbout(QPainter& painter) {
    RoundBadge(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12, 7.3), 1.6, 1.6);
    painter.drawRoundedRect(QRectF(10.6, 10.2, 2.8, 8.2), 1.3, 1.3);
}

void PaintHelp(QPainter& painter) {
    RoundBadge(painter);
    QPainterPath hook;
    hook.moveTo(8.7, 9.2);
    hook.cubicTo(8.7, 6.9, 10.3, 5.6, 12.1, 5.6);
    hook.cubicTo(14.1, 5.6, 15.5, 7.0, 15.5, 8.8);
    hook.cubicTo(15.5, 10.6, 14.2, 11.3, 13.2, 12.0);
    hook.cubicTo(12.3, 12.6, 12.0, 13.2, 12.0, 14.3);
    painter.setPen(RoundPen(Qt::white, 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12, 17.7), 1.45, 1.45);
}

void MediaStyle(QPainter& painter, const QRectF& bounds) {
    painter.setPen(RoundPen(Navy, 1.4));
    painter.setBrush(Vertical(bounds, SkyBlue, DeepBlue));
}

void PaintPlay(QPainter& painter) {
    const QPolygonF triangle({QPointF(7, 4.5), QPointF(7, 19.5), QPointF(19.5, 12)});
    MediaStyle(painter, triangle.boundingRect());
    painter.drawPolygon(triangle);
}

void PaintPause(QPainter& painter) {
    const QRectF left(5.5, 4.5, 4.8, 15);
    const QRectF right(13.7, 4.5, 4.8, 15);
    MediaStyle(painter, left.united(right));
    painter.drawRoundedRect(left, 1.2, 1.2);
    painter.drawRoundedRect(right, 1.2, 1.2);
}

void PaintStop(QPainter& painter) {
    const QRectF square(5, 5, 14, 14);
    MediaStyle(painter, square);
    painter.drawRoundedRect(square, 2.2, 2.2);
}

void PaintBrowse(QPainter& painter) {
    PaintFolder(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Navy);
    for (const qreal x : {7.5, 12.0, 16.5})
        painter.drawEllipse(QPointF(x, 15), 1.3, 1.3);
}

void PaintOpen(QPainter& painter) {
    painter.setPen(RoundPen(Ink, 1.4));
    painter.setBrush(QColor(150, 198, 245));
    painter.drawPath(FolderBack());
    const QPolygonF flap({QPointF(5.8, 10), QPointF(23, 10), QPointF(19.6, 20.5), QPointF(2.5, 20.5)});
    painter.setBrush(Vertical(flap.boundingRect(), QColor(210, 234, 255), QColor(120, 180, 240)));
    painter.drawPolygon(flap);
}

struct GlyphEntry {
    const char* name;
    GlyphIconEngine::PaintRoutine paint;
};

constexpr std::array<GlyphEntry, 15> Glyphs{{
    {"add-file", PaintAddFile},
    {"add-dir", PaintAddDir},
    {"settings", PaintSettings},
    {"delete", PaintDelete},
    {"clear", PaintClear},
    {"up", PaintUp},
    {"down", PaintDown},
    {"about", PaintAbout},
    {"help", PaintHelp},
    {"play", PaintPlay},
    {"pause", PaintPause},
    {"stop", PaintStop},
    {"folder", PaintFolder},
    {"browse", PaintBrowse},
    {"open", PaintOpen},
}};

// ---------------------------------------------------------------------------
// Pieces of the welcome panel, drawn in its 536 by 362 design space.

void PaintFilmStrip(QPainter& painter, const QPointF& centre, qreal angle) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    const QRectF body(-68, -38, 136, 76);
    const QPainterPath shape = Rounded(body, 6);
    SoftShadow(painter, shape, QPointF(2, 5), 3, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Vertical(body, QColor(56, 84, 120), QColor(26, 44, 70)));
    painter.drawPath(shape);

    painter.setBrush(QColor(236, 244, 255, 225));
    for (qreal x = -62; x < 62; x += 12.6) {
        painter.drawRoundedRect(QRectF(x, -34, 7, 6), 1.5, 1.5);
        painter.drawRoundedRect(QRectF(x, 28, 7, 6), 1.5, 1.5);
    }

    for (int frame = 0; frame < 3; ++frame) {
        const QRectF picture(-62 + frame * 43, -22, 38, 44);
        painter.save();
        painter.setClipRect(picture);
        painter.fillRect(picture, Vertical(picture, QColor(160, 214, 253), QColor(86, 156, 230)));
        QPainterPath hill;
        hill.moveTo(picture.left(), picture.bottom());
        hill.lineTo(picture.left(), picture.bottom() - 12 - frame * 3);
        hill.quadTo(picture.center().x(), picture.bottom() - 28 + frame * 4, picture.right(),
                    picture.bottom() - 10);
        hill.lineTo(picture.right(), picture.bottom());
        hill.closeSubpath();
        painter.setBrush(QColor(48, 116, 196));
        painter.drawPath(hill);
        painter.setBrush(QColor(255, 243, 208));
        painter.drawEllipse(QPointF(picture.right() - 10 + frame * 2, picture.top() + 11), 4.5, 4.5);
        painter.restore();
        painter.setPen(QPen(QColor(18, 32, 52), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(picture);
        painter.setPen(Qt::NoPen);
    }
    painter.restore();
}

void PaintChevrons(QPainter& painter, const QPointF& centre) {
    for (int step = 0; step < 2; ++step) {
        const QPointF tip = centre + QPointF(-3 + step * 9, 0);
        painter.setPen(RoundPen(WithAlpha(GroupBlue, step == 0 ? 130 : 255), 3.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({tip + QPointF(-5, -8), tip, tip + QPointF(-5, 8)}));
    }
}

// A soft light behind the place where the window puts its logo, with a
// thin ring around it, so the logo reads as the heart of the picture.
void PaintHalo(QPainter& painter, const QPointF& centre, qreal radius) {
    QRadialGradient light(centre, radius * 1.7);
    light.setColorAt(0, WithAlpha(HeaderBlue, 170));
    light.setColorAt(0.6, WithAlpha(HeaderBlue, 60));
    light.setColorAt(1, WithAlpha(HeaderBlue, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawEllipse(centre, radius * 1.7, radius * 1.7);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(WithAlpha(GroupBlue, 90), 1.5));
    painter.drawEllipse(centre, radius, radius);
    QPen dashes(WithAlpha(GroupBlue, 60), 1.2);
    dashes.setDashPattern({3, 5});
    painter.setPen(dashes);
    painter.drawEllipse(centre, radius + 12, radius + 12);
}

void PaintCard(QPainter& painter, const QPointF& centre, qreal angle, bool front) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    const QRectF sheet(-34, -44, 68, 88);
    QPainterPath shape;
    shape.moveTo(sheet.topLeft() + QPointF(4, 0));
    shape.lineTo(sheet.right() - 14, sheet.top());
    shape.lineTo(sheet.right(), sheet.top() + 14);
    shape.lineTo(sheet.right(), sheet.bottom() - 4);
    shape.quadTo(sheet.bottomRight(), sheet.bottomRight() + QPointF(-4, 0));
    shape.lineTo(sheet.left() + 4, sheet.bottom());
    shape.quadTo(sheet.bottomLeft(), sheet.bottomLeft() + QPointF(0, -4));
    shape.lineTo(sheet.left(), sheet.top() + 4);
    shape.quadTo(sheet.topLeft(), sheet.topLeft() + QPointF(4, 0));
    SoftShadow(painter, shape, QPointF(2, 4), 3, 9);
    painter.setPen(QPen(QColor(160, 200, 240), 1.2));
    painter.setBrush(Vertical(sheet, Qt::white, Paper));
    painter.drawPath(shape);

    QPainterPath fold;
    fold.moveTo(sheet.right() - 14, sheet.top());
    fold.lineTo(sheet.right() - 14, sheet.top() + 14);
    fold.lineTo(sheet.right(), sheet.top() + 14);
    painter.setBrush(HeaderBlue);
    painter.drawPath(fold);

    if (front) {
        const QRectF screen(sheet.left() + 9, sheet.top() + 20, 50, 30);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Vertical(screen, GroupBlue, DeepBlue));
        painter.drawRoundedRect(screen, 4, 4);
        painter.setBrush(Qt::white);
        painter.drawPolygon(PlayTriangle(screen.center() + QPointF(1, 0), 8));
        painter.setPen(RoundPen(HeaderBlue, 3));
        painter.drawLine(QPointF(sheet.left() + 10, sheet.top() + 60),
                         QPointF(sheet.right() - 12, sheet.top() + 60));
        painter.drawLine(QPointF(sheet.left() + 10, sheet.top() + 70),
                         QPointF(sheet.left() + 38, sheet.top() + 70));

        const QPointF tickCentre(sheet.right() - 4, sheet.bottom() - 6);
        const QRectF disc(tickCentre - QPointF(12, 12), QSizeF(24, 24));
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(Vertical(disc, QColor(92, 200, 120), Leaf));
        painter.drawEllipse(disc);
        painter.setPen(RoundPen(Qt::white, 3));
        painter.drawPolyline(QPolygonF({tickCentre + QPointF(-5.5, 0.5), tickCentre + QPointF(-1.5, 4.5),
                                        tickCentre + QPointF(5.5, -4)}));
    }
    painter.restore();
}

void PaintSteps(QPainter& painter, qreal top) {
    const std::array<const char*, 3> captions{"Add videos", "Pick a profile", "Press Start"};
    const QFont numberFont = PixelFont(15, QFont::Bold);
    const QFont captionFont = PixelFont(13, QFont::DemiBold);
    for (int step = 0; step < 3; ++step) {
        const QRectF chip(31 + step * 162, top, 150, 48);
        painter.setPen(QPen(HeaderBlue, 1));
        painter.setBrush(Vertical(chip, Qt::white, QColor(236, 245, 255)));
        painter.drawRoundedRect(chip.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

        const QPointF badgeCentre(chip.left() + 25, chip.center().y());
        const QRectF badge(badgeCentre - QPointF(13, 13), QSizeF(26, 26));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Vertical(badge, SkyBlue, DeepBlue));
        painter.drawEllipse(badge);
        painter.setPen(Qt::white);
        painter.setFont(numberFont);
        painter.drawText(badge, Qt::AlignCenter, QString::number(step + 1));

        const QRectF captionBox(chip.left() + 46, chip.top(), chip.width() - 52, chip.height());
        painter.setPen(QColor(34, 66, 106));
        painter.setFont(captionFont);
        const QString caption =
            QFontMetricsF(captionFont)
                .elidedText(QString::fromLatin1(captions[step]), Qt::ElideRight, captionBox.width());
        painter.drawText(captionBox, Qt::AlignLeft | Qt::AlignVCenter, caption);
    }
}

// ---------------------------------------------------------------------------
// The picture buttons.

struct ButtonLook {
    std::array<QColor, 3> top;
    std::array<QColor, 3> bottom;
    QColor border;
    QColor glow;
    bool square;
    const char* text;
};

const ButtonLook StartLook{{QColor(104, 184, 248), QColor(128, 198, 252), QColor(40, 116, 200)},
                           {QColor(30, 108, 198), QColor(44, 128, 218), QColor(22, 86, 166)},
                           QColor(20, 82, 154),
                           QColor(150, 210, 255),
                           false,
                           "Start"};

const ButtonLook StopLook{{QColor(244, 128, 112), QColor(250, 150, 132), QColor(196, 68, 58)},
                          {QColor(198, 56, 48), QColor(216, 72, 62), QColor(158, 40, 34)},
                          QColor(142, 36, 30),
                          QColor(255, 186, 170),
                          true,
                          "Stop"};

QPixmap ButtonFrame(const ButtonLook& look, int frame, qreal ratio) {
    if (frame < 0 || frame > 2)
        frame = 0;
    const bool hover = frame == 1;
    const bool pressed = frame == 2;

    QPixmap pixmap = Canvas(Artwork::ButtonFrameSize, ratio);
    QPainter painter(&pixmap);
    Smooth(painter);

    // A pressed button sinks: it moves down and its shadow shrinks.
    const QRectF body(3.5, pressed ? 4.5 : 2.5, 126, 56);
    const QPainterPath shape = Rounded(body, 15);
    SoftShadow(painter, shape, QPointF(0, pressed ? 0.8 : 2.2), pressed ? 1.6 : 2.6, 16);
    if (hover) {
        painter.setPen(QPen(WithAlpha(look.glow, 170), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(Rounded(body.adjusted(-1, -1, 1, 1), 16));
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(Vertical(body, look.top[frame], look.bottom[frame]));
    painter.drawPath(shape);
    const int shine = pressed ? 45 : (hover ? 120 : 95);
    Gloss(painter, Rounded(body.adjusted(1.5, 1.5, -1.5, -body.height() * 0.45), 13), shine);
    if (pressed) {
        painter.save();
        painter.setClipPath(shape);
        QLinearGradient dent(body.topLeft(), body.topLeft() + QPointF(0, 9));
        dent.setColorAt(0, QColor(0, 0, 0, 60));
        dent.setColorAt(1, QColor(0, 0, 0, 0));
        painter.fillRect(body, dent);
        painter.restore();
    }
    painter.setPen(QPen(look.border, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.setPen(QPen(QColor(255, 255, 255, pressed ? 40 : 80), 1));
    painter.drawPath(Rounded(body.adjusted(1.3, 1.3, -1.3, -1.3), 13.8));

    const QPointF discCentre(body.left() + 31, body.center().y());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(discCentre + QPointF(0, 1.2), 18, 18);
    painter.setBrush(QColor(255, 255, 255, 242));
    painter.drawEllipse(discCentre, 18, 18);
    painter.setBrush(look.bottom[frame]);
    if (look.square) {
        painter.drawRoundedRect(QRectF(discCentre - QPointF(7, 7), QSizeF(14, 14)), 2.5, 2.5);
    } else {
        painter.setPen(RoundPen(look.bottom[frame], 2.5));
        painter.drawPolygon(PlayTriangle(discCentre + QPointF(1.2, 0), 8.5));
    }

    const QRectF textBox(discCentre.x() + 22, body.top(), body.right() - 10 - (discCentre.x() + 22),
                         body.height());
    const QFont font = PixelFont(23, QFont::Bold);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 70));
    painter.drawText(textBox.translated(0, 1.2), Qt::AlignCenter, QString::fromLatin1(look.text));
    painter.setPen(Qt::white);
    painter.drawText(textBox, Qt::AlignCenter, QString::fromLatin1(look.text));
    return pixmap;
}

QIcon IconFor(const char* name, GlyphIconEngine::PaintRoutine paint, QList<QSize> sizes) {
    return QIcon(new GlyphIconEngine(QString::fromLatin1(name), paint, std::move(sizes)));
}

} // namespace

namespace Artwork {

QPixmap MainBackground(const QSize& size, qreal ratio) {
    QPixmap pixmap = Canvas(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    Smooth(painter);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF area(0, 0, w, h);
    painter.fillRect(area, Vertical(area, QColor(249, 252, 255), QColor(222, 236, 252)));

    QRadialGradient glow(QPointF(w * 0.18, h * 0.05), w * 0.8);
    glow.setColorAt(0, QColor(255, 255, 255, 210));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(area, glow);

    // Two slow waves along the foot of the area give it depth without
    // competing with the list in front of it.
    const auto wave = [&](qreal baseline, qreal swing, const QColor& fill) {
        QPainterPath crest;
        crest.moveTo(0, baseline);
        crest.cubicTo(w * 0.3, baseline - swing, w * 0.62, baseline + swing, w, baseline - swing * 0.4);
        QPainterPath body = crest;
        body.lineTo(w, h);
        body.lineTo(0, h);
        body.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPath(body);
        painter.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(crest);
    };
    wave(h * 0.78, h * 0.05, WithAlpha(GroupBlue, 34));
    wave(h * 0.86, h * 0.04, WithAlpha(HeaderBlue, 130));
    return pixmap;
}

QPixmap WelcomePanel(const QSize& size, qreal ratio) {
    QPixmap pixmap = Canvas(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    Smooth(painter);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF card(0.5, 0.5, w - 1, h - 1);
    painter.setPen(QPen(HeaderBlue, 1));
    painter.setBrush(Vertical(card, Qt::white, QColor(240, 247, 255)));
    painter.drawRoundedRect(card, 14, 14);

    // The illustration is designed at 536 by 362 and scaled evenly, so
    // circles stay round at any panel size.
    const QSizeF design(536, 362);
    const qreal scale = qMin(w / design.width(), h / design.height());
    painter.translate((w - design.width() * scale) / 2, (h - design.height() * scale) / 2);
    painter.scale(scale, scale);

    // Input on the left flows through the logo in the middle to finished
    // files on the right; the middle column stays free for the logo and
    // the product label.
    PaintHalo(painter, QPointF(268, 140), 62);
    painter.save();
    painter.translate(104, 140);
    painter.scale(0.85, 0.85);
    PaintFilmStrip(painter, QPointF(0, 0), -8);
    painter.restore();
    PaintChevrons(painter, QPointF(192, 140));
    PaintChevrons(painter, QPointF(354, 140));
    painter.save();
    painter.translate(438, 140);
    painter.scale(0.9, 0.9);
    PaintCard(painter, QPointF(10, -4), 10, false);
    PaintCard(painter, QPointF(0, 0), 2, true);
    painter.restore();

    PaintSteps(painter, 272);

    painter.setFont(PixelFont(12, QFont::Normal));
    painter.setPen(QColor(104, 130, 162));
    painter.drawText(QRectF(0, 328, design.width(), 24), Qt::AlignCenter,
                     QStringLiteral("You can also drop video files or folders onto this window."));
    return pixmap;
}

QPixmap WelcomeLogo(const QSize& size, qreal ratio) {
    QPixmap pixmap = Canvas(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    Smooth(painter);
    const qreal side = qMin(size.width(), size.height());
    painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
    painter.scale(side / 24, side / 24);
    PaintEmblem(painter);
    return pixmap;
}

QPixmap BottomBackground(const QSize& size, qreal ratio) {
    QPixmap pixmap = Canvas(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    Smooth(painter);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF area(0, 0, w, h);
    painter.fillRect(area, Vertical(area, QColor(240, 247, 255), QColor(212, 230, 250)));

    QRadialGradient sheen(QPointF(w * 0.5, h * 0.15), w * 0.7);
    sheen.setColorAt(0, QColor(255, 255, 255, 150));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(area, sheen);

    QPainterPath arc;
    arc.moveTo(0, h * 0.82);
    arc.quadTo(w * 0.55, h * 0.62, w, h * 0.9);
    painter.setPen(QPen(WithAlpha(GroupBlue, 60), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);

    painter.setPen(QPen(QColor(255, 255, 255, 220), 1));
    painter.drawLine(QPointF(0, 0.5), QPointF(w, 0.5));
    painter.setPen(QPen(QColor(184, 210, 238), 1));
    painter.drawLine(QPointF(0.5, 0), QPointF(0.5, h));
    return pixmap;
}

QPixmap StartFrame(int frame, qreal ratio) {
    return ButtonFrame(StartLook, frame, ratio);
}

QPixmap StopFrame(int frame, qreal ratio) {
    return ButtonFrame(StopLook, frame, ratio);
}

QPixmap PreviewTimeBackground(const QSize& size, qreal ratio) {
    QPixmap pixmap = Canvas(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    Smooth(painter);
    const QRectF plate = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = qMin(plate.height() / 2, 8.0);
    const QPainterPath shape = Rounded(plate, radius);
    painter.setPen(QPen(QColor(150, 195, 238), 1));
    painter.setBrush(Vertical(plate, Qt::white, QColor(222, 237, 253)));
    painter.drawPath(shape);
    Gloss(painter, Rounded(plate.adjusted(1, 1, -1, -plate.height() * 0.5), radius), 160);
    return pixmap;
}

QPixmap AboutBackground(const QSize& size, qreal ratio) {
    QPixmap pixmap = Canvas(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    Smooth(painter);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF area(0, 0, w, h);
    painter.fillRect(area, Vertical(area, Qt::white, QColor(240, 247, 255)));

    // A faint play mark in the lower right, behind the links and the button.
    painter.setPen(Qt::NoPen);
    painter.setBrush(WithAlpha(GroupBlue, 16));
    painter.drawPolygon(PlayTriangle(QPointF(w * 0.8, h * 0.66), h * 0.3));

    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(w, 0);
    band.lineTo(w, h * 0.30);
    band.cubicTo(w * 0.7, h * 0.37, w * 0.35, h * 0.24, 0, h * 0.37);
    band.closeSubpath();
    QLinearGradient bandFill(QPointF(0, 0), QPointF(w, 0));
    bandFill.setColorAt(0, QColor(122, 188, 246));
    bandFill.setColorAt(0.45, HeaderBlue);
    bandFill.setColorAt(1, QColor(238, 246, 255));
    painter.setBrush(bandFill);
    painter.drawPath(band);

    QPainterPath edge;
    edge.moveTo(w, h * 0.30);
    edge.cubicTo(w * 0.7, h * 0.37, w * 0.35, h * 0.24, 0, h * 0.37);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.drawPath(edge);
    painter.setPen(QPen(WithAlpha(GroupBlue, 70), 1.5));
    painter.drawPath(edge.translated(0, 8));

    const qreal emblem = qMin(76.0, h * 0.23);
    painter.save();
    painter.translate(22, 16);
    SoftShadow(painter,
               Rounded(QRectF(emblem * 1.5 / 24, emblem * 1.5 / 24, emblem * 21 / 24, emblem * 21 / 24), 5),
               QPointF(0, 3), 3, 12);
    painter.scale(emblem / 24, emblem / 24);
    PaintEmblem(painter);
    painter.restore();

    painter.setPen(Qt::NoPen);
    painter.setBrush(WithAlpha(GroupBlue, 40));
    for (qreal x = 8; x + 8 <= w; x += 16)
        painter.drawRoundedRect(QRectF(x, h - 12, 8, 6), 1.5, 1.5);
    return pixmap;
}

QStringList GlyphNames() {
    QStringList names;
    for (const GlyphEntry& entry : Glyphs)
        names << QString::fromLatin1(entry.name);
    return names;
}

QIcon Glyph(const QString& name) {
    for (const GlyphEntry& entry : Glyphs) {
        if (name == QLatin1String(entry.name))
            return IconFor(entry.name, entry.paint, {QSize(16, 16), QSize(24, 24)});
    }
    return {};
}

QIcon AppIcon() {
    return IconFor("framewright", PaintEmblem,
                   {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64),
                    QSize(128, 128), QSize(256, 256)});
}

} // namespace Artwork
