#include "platform/SystemDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QToolTip>
#include <QWidget>

namespace {

Desktop* g_current = nullptr;

QMessageBox::Icon toQtIcon(Desktop::Icon icon)
{
    switch (icon) {
    case Desktop::Icon::Information:
        return QMessageBox::Information;
    case Desktop::Icon::Question:
        return QMessageBox::Question;
    case Desktop::Icon::Warning:
        return QMessageBox::Warning;
    case Desktop::Icon::Critical:
        return QMessageBox::Critical;
    case Desktop::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Desktop& Desktop::current()
{
    static SystemDesktop system;
    return g_current ? *g_current : system;
}

void Desktop::setCurrent(Desktop* desktop)
{
    g_current = desktop;
}

void ShowInformation(QWidget* owner, const QString& caption, const QString& text)
{
    Desktop::current().message(owner, Desktop::Icon::Information, caption, text, QMessageBox::Ok);
}

QMessageBox::StandardButton SystemDesktop::message(QWidget* owner, Icon icon, const QString& caption,
                                                   const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(toQtIcon(icon), caption, text, buttons, owner);
    return QMessageBox::StandardButton(box.exec());
}

void SystemDesktop::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

bool SystemDesktop::browseForFolder(QWidget* owner, const QString& title, QString* folder)
{
    const QString chosen = QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return false;
    *folder = QDir::toNativeSeparators(chosen);
    return true;
}

QStringList SystemDesktop::openFileNames(QWidget* owner, const QString& filter)
{
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(filter);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString SystemDesktop::saveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    // Replacing a file is confirmed by the caller, which knows what it is about to write.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void SystemDesktop::balloonTip(QWidget* tool, int icon, const QString& title, const QString& text)
{
    Q_UNUSED(icon);
    if (!tool)
        return;
    QToolTip::showText(tool->mapToGlobal(QPoint(tool->width() / 2, tool->height() / 2)),
                       QStringLiteral("<b>%1</b><br>%2").arg(title.toHtmlEscaped(), text.toHtmlEscaped()), tool);
}

void SystemDesktop::powerOff()
{
    RequestPowerOff();
}
