#include "tasks/MediaNames.h"

#include "platform/PathRules.h"

namespace {

// The file name's extension as typed: from its last ".", dot included.
QString extensionOfFileName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot);
}

// The patterns of one filter entry, split on ";" and on blanks.
QStringList patternsOf(const QString& patterns)
{
    QStringList result;
    for (const QString& part : patterns.split(u';', Qt::SkipEmptyParts))
        result += part.split(u' ', Qt::SkipEmptyParts);
    return result;
}

// True when the caption already ends in "(…)" holding exactly these
// patterns, blank-separated, as "AVI Files (*.avi)" does.
bool captionShowsPatterns(const QString& caption, const QStringList& patterns)
{
    if (!caption.endsWith(u')'))
        return false;
    const qsizetype open = caption.lastIndexOf(u'(');
    if (open < 0)
        return false;
    const QString shown = caption.mid(open + 1, caption.size() - open - 2);
    return shown.split(u' ', Qt::SkipEmptyParts) == patterns;
}

} // namespace

QString BaseName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

bool HasInputExtension(const QString& path, const QStringList& extensions)
{
    return extensions.contains(extensionOfFileName(FileNamePart(path)).toLower());
}

QString OutputExtensionOf(const QString& text)
{
    return extensionOfFileName(FileNamePart(text));
}

QStringList InputExtensions()
{
    return {QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mpeg"), QStringLiteral(".mp4"),
            QStringLiteral(".wmv"), QStringLiteral(".mov"), QStringLiteral(".vob"),  QStringLiteral(".asf")};
}

QString InputMask()
{
    QString mask;
    for (const QString& extension : InputExtensions())
        mask += u'*' + extension + u';';
    return mask;
}

QString OpenDialogFilterText()
{
    QString perType;
    for (const QString& extension : InputExtensions()) {
        const QString label = extension.mid(1).toUpper() + QStringLiteral(" Files (*") + extension + u')';
        perType += label + u'|' + u'*' + extension + u'|';
    }
    const QString mask = InputMask();
    return QStringLiteral("All Support Files(") + mask + QStringLiteral(")|") + mask + u'|' + perType +
           QStringLiteral("All Files (*.*)|*.*");
}

QString ToQtNameFilter(const QString& filterText)
{
    const QStringList parts = filterText.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString& caption = parts[i];
        const QStringList patterns = i + 1 < parts.size() ? patternsOf(parts[i + 1]) : QStringList();
        if (caption.isEmpty() && patterns.isEmpty())
            continue;
        if (patterns.isEmpty() || captionShowsPatterns(caption, patterns))
            filters += caption;
        else
            filters += caption + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}
