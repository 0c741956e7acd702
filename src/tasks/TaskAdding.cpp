#include "tasks/TaskAdding.h"

#include "app/TMainForm.h"
#include "conversion/EncoderCommand.h"
#include "conversion/EncoderProcess.h"
#include "platform/Desktop.h"
#include "platform/PathRules.h"
#include "tasks/MediaNames.h"
#include "tasks/ProbeParse.h"
#include "tasks/TaskAddQueue.h"
#include "tasks/TaskRecord.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QTextStream>
#include <QTreeWidget>

namespace {

// A probe prints a few kilobytes; this only bounds an encoder that never
// stops talking.
constexpr qsizetype MaxProbeOutput = 1024 * 1024;

// The longest dropped path taken. A longer one is skipped whole: cut short
// it would name some other file or folder.
constexpr qsizetype MaxDroppedPathLength = 253;

const QString ZeroTime = QStringLiteral("00:00:00.0");

bool HasTasks(const TMainForm& form)
{
    return form.ltvTask->topLevelItemCount() > 0;
}

void EnableListCommandsIfTasks(TMainForm& form)
{
    if (HasTasks(form))
        form.SetListCommandsEnabled(true);
}

bool IsListed(const QTreeWidget* list, const QString& path)
{
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->text(0) == path)
            return true;
    }
    return false;
}

// The lower-cased extension of a path's file name, dot included.
QString LowerExtensionOf(const QString& path)
{
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

// The lines of a list file, each one path; CR LF and LF both end a line.
// A file that cannot be read lists nothing.
QStringList ReadListFile(const QString& listFile)
{
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream lines(&file);
    QStringList paths;
    QString line;
    while (lines.readLineInto(&line))
        paths.append(line);
    return paths;
}

QStringList FolderPatterns(const QString& inputMask)
{
    return inputMask.split(u';', Qt::SkipEmptyParts);
}

// The accepted files directly inside a folder, sorted by name without
// regard to case, each with the folder's path.
QStringList FolderFiles(const TMainForm& form, const QString& folder)
{
    // Without QDir::Hidden and QDir::System hidden and system entries stay
    // out, and without QDir::CaseSensitive the patterns ignore case.
    const QStringList names = QDir(folder).entryList(FolderPatterns(form.InputMask), QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    const QString prefix = AppendSeparator(folder);
    QStringList files;
    files.reserve(names.size());
    for (const QString& name : names)
        files.append(prefix + name);
    return files;
}

} // namespace

void AddTaskFile(TMainForm& form, const QString& path)
{
    form.panbg->hide();
    QTreeWidget* list = form.ltvTask;
    if (IsListed(list, path))
        return;

    // The row shows its path while the encoder looks at the file.
    NewTaskItem(list)->setText(0, path);
    ProbeMedia(form, path);

    ltvItemData task;
    task.FileName = path;
    task.Duration = form.LastDuration;
    task.VideoSize = form.LastVideoSize;
    task.Status = QStringLiteral("OK");
    task.OutputName = BaseName(FileNamePart(path));
    task.OutputExt = form.ProfileExt;
    task.SourceStart = form.LastSourceStart;
    task.SourceEnd = form.LastSourceEnd;
    task.ClipLength = form.LastDuration;
    task.ClipStart = form.LastSourceStart;
    task.ClipEnd = form.LastSourceEnd;
    WriteTask(list, list->topLevelItemCount() - 1, -2, task);
}

void AddTaskFolder(TMainForm& form, const QString& folder)
{
    for (const QString& file : FolderFiles(form, folder)) {
        AddTaskFile(form, file);
        // Each probe blocks; painting the list after it lets a large folder
        // be seen filling row by row without handing control back to the
        // event loop in the middle of an add.
        form.ltvTask->viewport()->repaint();
    }
}

void ProbeMedia(TMainForm& form, const QString& path, int silenceLimitMs, int timeLimitMs)
{
    // The encoder writes its report line by line, so one read may hold any
    // part of it; the markers are looked for in the output as a whole.
    QByteArray output;
    const bool started = RunProbe(
        form.EncoderPath, ProbeCommand(path), silenceLimitMs,
        [&output](const QByteArray& chunk) {
            if (output.size() < MaxProbeOutput)
                output += chunk.left(MaxProbeOutput - output.size());
        },
        timeLimitMs);
    // An encoder that cannot be started has found nothing, just as one that
    // printed nothing: the new task must never inherit the findings of the
    // file probed before it.
    const ProbeFindings findings = started ? ParseProbeChunk(output, path) : ProbeFindings();
    form.LastDuration = findings.duration;
    form.LastVideoSize = findings.videoSize;
    form.LastSourceStart = ZeroTime;
    form.LastSourceEnd = form.LastDuration;
}

void ImportCommandLine(TMainForm& form, const QStringList& arguments)
{
    if (arguments.isEmpty())
        return;
    const QStringList paths = LowerExtensionOf(arguments.first()) == QStringLiteral(".tmp")
                                  ? ReadListFile(arguments.first())
                                  : arguments;
    for (const QString& path : paths) {
        const QFileInfo entry(path);
        if (entry.isFile()) {
            if (HasInputExtension(path, form.InputExtensions))
                AddTaskFile(form, path);
        } else if (entry.isDir()) {
            AddTaskFolder(form, path);
        }
    }
}

void AddFilesCommand(TMainForm& form)
{
    const QStringList files = Desktop::current().openFileNames(&form, ToQtNameFilter(form.OpenDialogFilter));
    // The order earlier versions used and users know: the second entry
    // through the last, then the first.
    for (qsizetype i = 1; i < files.size(); ++i)
        AddTaskFile(form, files[i]);
    if (!files.isEmpty())
        AddTaskFile(form, files.first());

    QTreeWidget* list = form.ltvTask;
    if (list->topLevelItemCount() == 1) {
        QTreeWidgetItem* only = list->topLevelItem(0);
        list->setCurrentItem(only);
        only->setSelected(true);
        form.ltvTaskClick();
    }
    list->setFocus();
    EnableListCommandsIfTasks(form);
}

void AddDirCommand(TMainForm& form)
{
    QString folder;
    if (Desktop::current().browseForFolder(&form, QStringLiteral("Add a directory to the Task List"), &folder))
        TaskAddQueue::of(form).append(FolderFiles(form, folder));
    form.ltvTask->setFocus();
    EnableListCommandsIfTasks(form);
}

void DropPaths(TMainForm& form, const QStringList& paths)
{
    // A running conversion disables the list; it shares the encoder with the probe.
    if (!form.ltvTask->isEnabled())
        return;
    QStringList files;
    for (const QString& path : paths) {
        if (path.size() > MaxDroppedPathLength)
            continue;
        if (QFileInfo(path).isDir())
            files += FolderFiles(form, path);
        else if (HasInputExtension(path, form.InputExtensions))
            files.append(path);
    }
    TaskAddQueue::of(form).append(files);
    EnableListCommandsIfTasks(form);
}
