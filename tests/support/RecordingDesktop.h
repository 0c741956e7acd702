#pragma once

#include "platform/Desktop.h"

#include <QList>
#include <QStringList>
#include <QUrl>

// A desktop that records every request and answers from queues the test
// fills beforehand. Installed for the lifetime of the object.
class RecordingDesktop final : public Desktop
{
public:
    struct Message {
        QWidget* owner;
        Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    struct Balloon {
        QWidget* tool;
        int icon;
        QString title;
        QString text;
    };

    RecordingDesktop() { Desktop::setCurrent(this); }
    ~RecordingDesktop() override { Desktop::setCurrent(nullptr); }

    QMessageBox::StandardButton message(QWidget* owner, Icon icon, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons) override
    {
        messages.append({owner, icon, caption, text, buttons});
        if (!nextAnswers.isEmpty())
            return nextAnswers.takeFirst();
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
    }
    void openUrl(const QUrl& url) override { opened.append(url); }
    bool browseForFolder(QWidget*, const QString& title, QString* folder) override
    {
        folderTitles.append(title);
        if (nextFolders.isEmpty())
            return false;
        *folder = nextFolders.takeFirst();
        return !folder->isEmpty();
    }
    QStringList openFileNames(QWidget*, const QString& filter) override
    {
        openFilters.append(filter);
        return nextOpenFiles.isEmpty() ? QStringList() : nextOpenFiles.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& filter, const QString& defaultSuffix) override
    {
        saveFilters.append(filter + QStringLiteral(" | ") + defaultSuffix);
        return nextSaveNames.isEmpty() ? QString() : nextSaveNames.takeFirst();
    }
    void balloonTip(QWidget* tool, int icon, const QString& title, const QString& text) override
    {
        balloons.append({tool, icon, title, text});
    }
    void powerOff() override { ++powerOffs; }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message& m : messages)
            texts.append(m.text);
        return texts;
    }

    QList<Message> messages;
    QList<QMessageBox::StandardButton> nextAnswers;
    QList<QUrl> opened;
    QStringList folderTitles;
    QStringList nextFolders;
    QStringList openFilters;
    QList<QStringList> nextOpenFiles;
    QStringList saveFilters;
    QStringList nextSaveNames;
    QList<Balloon> balloons;
    int powerOffs = 0;
};
