#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The program's own pictures, all drawn in code: backgrounds, the welcome
// panel, the Start and Stop button frames, glyphs and the window icon.
//
// Every picture takes its size in device-independent pixels and the pixel
// ratio of the screen it is meant for; a ratio of 0 means the application's
// highest ratio. The result is rendered at that ratio (its
// deviceIndependentSize() is the size asked for), so it stays sharp on
// high-density screens. An empty size gives a null pixmap.
namespace Artwork {

// Size of one frame of the Start and Stop picture buttons.
inline constexpr QSize ButtonFrameSize{133, 65};

// Behind the task area (552 by 442 in the main window).
QPixmap MainBackground(const QSize& size, qreal ratio = 0);
// The welcome panel over the empty task list (536 by 362). Its middle
// column is left free for the window's own pieces on top: the logo
// (WelcomeLogo, 100 by 100 at 218, 90, which sits in a soft halo) and the
// product label below it (from 210 to 250 down, centred). Other sizes
// scale the design evenly and centre it.
QPixmap WelcomePanel(const QSize& size, qreal ratio = 0);
// The small emblem on the welcome panel.
QPixmap WelcomeLogo(const QSize& size, qreal ratio = 0);
// Behind the Start and Stop buttons (165 by 90, the buttons at 16, 16).
QPixmap BottomBackground(const QSize& size, qreal ratio = 0);
// Frames of the Start and Stop buttons: 0 normal, 1 hover, 2 pressed; any
// other number gives the normal frame. Corners outside the rounded button
// are transparent.
QPixmap StartFrame(int frame, qreal ratio = 0);
QPixmap StopFrame(int frame, qreal ratio = 0);
// The small plate behind the preview's position label; light, so the
// label's ordinary dark text reads well on it.
QPixmap PreviewTimeBackground(const QSize& size, qreal ratio = 0);
// The About dialog's background (476 by 330). Its upper right part is kept
// light for the product name and version drawn over it.
QPixmap AboutBackground(const QSize& size, qreal ratio = 0);

// Names accepted by Glyph, in no particular order.
QStringList GlyphNames();
// A command glyph, designed for 16 and 24 pixels and sharp at any size;
// a null icon for a name not in GlyphNames().
QIcon Glyph(const QString& name);
// The window and task bar icon.
QIcon AppIcon();

} // namespace Artwork
