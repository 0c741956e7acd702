#pragma once

#include "platform/Desktop.h"

// The real desktop: Qt's dialogs, QDesktopServices and the platform's power-off.
class SystemDesktop final : public Desktop
{
public:
    QMessageBox::StandardButton message(QWidget* owner, Icon icon, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    void openUrl(const QUrl& url) override;
    bool browseForFolder(QWidget* owner, const QString& title, QString* folder) override;
    QStringList openFileNames(QWidget* owner, const QString& filter) override;
    QString saveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix) override;
    void balloonTip(QWidget* tool, int icon, const QString& title, const QString& text) override;
    void powerOff() override;
};

// Implemented once per operating system.
void RequestPowerOff();
