#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

// Everything that leaves the program's own windows goes through here:
// message boxes, the shell's "open", folder and file pickers, the balloon
// tip and power-off. Tests install a recording double so that nothing ever
// blocks on a dialog, opens a browser or switches the machine off.
class Desktop
{
public:
    enum class Icon { None, Information, Question, Warning, Critical };

    virtual ~Desktop() = default;

    // A message box owned by `owner`; returns the button pressed.
    virtual QMessageBox::StandardButton message(QWidget* owner, Icon icon, const QString& caption,
                                                const QString& text, QMessageBox::StandardButtons buttons) = 0;
    // The shell's "open" on a folder, a web address or a file; the result is
    // not looked at.
    virtual void openUrl(const QUrl& url) = 0;
    // The folder picker; false when cancelled.
    virtual bool browseForFolder(QWidget* owner, const QString& title, QString* folder) = 0;
    // The multi-select open dialog, with a filter in Qt's "Name (patterns);;..." form.
    // Returns the chosen files in the dialog's order; empty when cancelled.
    virtual QStringList openFileNames(QWidget* owner, const QString& filter) = 0;
    // The save dialog; empty when cancelled.
    virtual QString saveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix) = 0;
    // A balloon tip with an icon number (1 information), title and text over `tool`.
    virtual void balloonTip(QWidget* tool, int icon, const QString& title, const QString& text) = 0;
    // Asks the operating system to switch the computer off; returns at once.
    virtual void powerOff() = 0;

    // The desktop in use: the real one unless a test installed another.
    static Desktop& current();
    // Installs `desktop` (not owned); nullptr restores the real one.
    static void setCurrent(Desktop* desktop);
};

// Shorthand for the information box that most of the program's messages use.
void ShowInformation(QWidget* owner, const QString& caption, const QString& text);
