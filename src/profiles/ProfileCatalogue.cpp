#include "profiles/ProfileCatalogue.h"

#include "tasks/MediaNames.h"

#include <QDir>

QStringList SplitList(const QString& text)
{
    QStringList items;
    qsizetype start = 0;
    for (qsizetype comma = text.indexOf(u','); comma >= 0; comma = text.indexOf(u',', start)) {
        items += text.mid(start, comma - start);
        start = comma + 1;
    }
    return items;
}

QStringList ListProfiles(const QString& folder, const QString& extension)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    const QDir dir(folder);
    // Some file systems list a folder in hash order, which would show the
    // profiles in a different jumble on every machine; by name, without
    // regard to case, is the order users know from their file managers, and
    // it keeps the stored "Profile" position stable.
    const QStringList entries =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : entries) {
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString nameExtension = dot < 0 ? QString() : name.mid(dot);
        if (nameExtension.compare(extension, Qt::CaseInsensitive) == 0)
            names += name;
    }
    return names;
}

QString ProfileNameOf(const QString& fileName)
{
    return BaseName(fileName);
}

QString ProfilePathOf(const QString& profileFolder, const QString& name)
{
    return profileFolder + name + QStringLiteral(".apf");
}
