#pragma once

#include <QString>

class QApplication;

// The program's skin: the Fusion style as a base that looks the same on
// every platform, a light blue palette, and one application-wide style sheet
// (":/skin.qss") over every window, including the standard message boxes and
// file dialogs.
//
// A widget whose dynamic property "tag" is 9999 keeps its plain look. Style
// sheets match properties when a widget is polished, so give the tag before
// the widget is first shown.
void ApplySkin(QApplication& app);

// The text of the skin's style sheet; empty if the resource is missing.
QString SkinStyleSheet();
