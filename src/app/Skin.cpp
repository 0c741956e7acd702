#include "app/Skin.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

// The resources live in a static library; registering them by hand keeps
// the linker from dropping them from programs that only reach them by name.
// Outside the anonymous namespace: the registration function it names is a
// global one.
static void RegisterResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

// Colours that the style draws by itself (check marks, focus frames,
// selections, window backgrounds) follow the skin through the palette.
QPalette SkinPalette(QPalette palette) {
    const QColor window(244, 248, 253);
    const QColor text(29, 43, 58);
    const QColor selection(61, 143, 224);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::AlternateBase, QColor(245, 249, 255));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Button, QColor(233, 242, 253));
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::ToolTipBase, Qt::white);
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::Link, QColor(0, 90, 200));
        palette.setColor(group, QPalette::LinkVisited, QColor(90, 60, 170));
    }
    palette.setColor(QPalette::Active, QPalette::Highlight, selection);
    palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(156, 199, 240));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
    palette.setColor(QPalette::Disabled, QPalette::Window, window);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 163, 177));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 163, 177));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 163, 177));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 243, 247));
    return palette;
}

} // namespace

QString SkinStyleSheet() {
    RegisterResources();
    QFile file(QStringLiteral(":/skin.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

void ApplySkin(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    app.setPalette(SkinPalette(app.style()->standardPalette()));
    app.setStyleSheet(SkinStyleSheet());
}
