#include "platform/PathRules.h"

#include <QDir>

namespace {

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/' || c == u':';
#else
    return c == u'/';
#endif
}

} // namespace

QString AppendSeparator(const QString& folder)
{
    const QChar separator = QDir::separator();
    if (!folder.isEmpty() && (folder.endsWith(separator) || folder.endsWith(u'/')))
        return folder;
    return folder + separator;
}

QString ProgramDirectoryOf(const QString& programFilePath)
{
    const QString native = QDir::toNativeSeparators(programFilePath);
    qsizetype cut = native.size();
    while (cut > 0 && !isSeparator(native[cut - 1]))
        --cut;
    // Keep the separator only where it is the whole folder (the root);
    // AppendSeparator then restores exactly one.
    QString folder = native.left(cut);
    while (folder.size() > 1 && isSeparator(folder.back()) && !(folder.size() == 3 && folder[1] == u':'))
        folder.chop(1);
    return AppendSeparator(folder);
}

QString FileNamePart(const QString& path)
{
    qsizetype i = path.size();
    while (i > 0 && !isSeparator(path[i - 1]))
        --i;
    return path.mid(i);
}
