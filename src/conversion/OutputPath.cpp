#include "conversion/OutputPath.h"

#include "platform/NumberText.h"
#include "platform/PathRules.h"

#include <QDir>

namespace {

// The same file named two ways ("/v/./a.avi", "/v//a.avi") must count as
// the input too, or the encoder would overwrite the file it is reading.
bool namesInput(const QString& path, const ltvItemData& task, const std::function<bool(const QString&)>& isInput)
{
    return path == task.FileName || QDir::cleanPath(path) == QDir::cleanPath(task.FileName) ||
           (isInput && isInput(path));
}

} // namespace

QString BuildOutputPath(const QString& folderText, const ltvItemData& task, const QString& profileExt,
                        int taskIndex, bool overwrite, const std::function<bool(const QString&)>& fileExists,
                        const std::function<bool(const QString&)>& isInput)
{
    const QString folder = AppendSeparator(folderText);
    const QString plain = folder + task.OutputName + profileExt;
    if (!namesInput(plain, task, isInput) && (overwrite || !fileExists(plain)))
        return plain;

    const QString indexedStem = folder + task.OutputName + u'_' + QString::number(taskIndex + 1);
    QString indexed = indexedStem + task.OutputExt;
    for (int further = 2; namesInput(indexed, task, isInput); ++further)
        indexed = indexedStem + u'_' + QString::number(further) + task.OutputExt;
    return indexed;
}

QString ClipSwitches(const ltvItemData& task)
{
    QString switches;
    if (task.ClipStartSec != task.SourceStartSec)
        switches += QStringLiteral(" -ss ") + task.ClipStart;
    if (task.ClipLengthSec != task.DurationSec)
        switches += QStringLiteral(" -t ") + IntToStr(RoundHalfEven(task.ClipLengthSec));
    return switches;
}
