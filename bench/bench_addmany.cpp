// A folder of many files dropped on the main window, with a fake encoder
// that answers each probe at once: the time until every row is in, and the
// longest time the window's event loop went without a turn meanwhile (the
// longest the window could not answer). The same folder added in one go by
// AddTaskFolder, as the command line at start-up does, for comparison.
#include "app/TMainForm.h"
#include "tasks/TaskAddQueue.h"
#include "tasks/TaskAdding.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

const QByteArray FastEncoder =
    "#!/bin/sh\n"
    "printf \"Input #0, avi, from '%s':\\n  Duration: 00:00:07.00, start: 0.0, bitrate: 1 kb/s\\n"
    "    Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps\\n\" \"$2\"\n";

struct Result {
    qint64 totalMs = 0;
    qint64 longestGapMs = 0;
    int rows = 0;
};

// The window fills from a drop; a zero timer that runs all the while
// measures the gaps between two turns of the event loop.
Result AddThroughDrop(QApplication& app, const QString& programFile, const QString& folder)
{
    TMainForm form(programFile);
    form.show();
    Result result;
    QElapsedTimer clock;
    QElapsedTimer sinceTurn;
    QTimer heartbeat;
    heartbeat.setInterval(0);
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&] { result.longestGapMs = qMax(result.longestGapMs, sinceTurn.restart()); });
    QObject::connect(&TaskAddQueue::of(form), &TaskAddQueue::drained, &app, [&] {
        result.totalMs = clock.elapsed();
        app.quit();
    });
    clock.start();
    sinceTurn.start();
    heartbeat.start();
    DropPaths(form, {folder});
    app.exec();
    result.rows = form.ltvTask->topLevelItemCount();
    return result;
}

// The whole folder in one call: the window cannot answer until it returns.
Result AddInOneGo(const QString& programFile, const QString& folder)
{
    TMainForm form(programFile);
    form.show();
    Result result;
    QElapsedTimer clock;
    clock.start();
    AddTaskFolder(form, folder);
    result.totalMs = result.longestGapMs = clock.elapsed();
    result.rows = form.ltvTask->topLevelItemCount();
    return result;
}

void Print(const char* route, const Result& result)
{
    std::printf("%-28s %5d rows  %7.2f s in all  %6.2f ms per file  longest unanswered %7.1f ms\n", route, result.rows,
                result.totalMs / 1000.0, result.rows ? double(result.totalMs) / result.rows : 0.0,
                double(result.longestGapMs));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;

    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/framewright");
    QDir(dir.path()).mkpath(QStringLiteral("Profiles"));
    QDir(dir.path()).mkpath(QStringLiteral("many"));
    QFile encoder(dir.path() + QStringLiteral("/wmaspi.dll"));
    if (!encoder.open(QIODevice::WriteOnly) || encoder.write(FastEncoder) != FastEncoder.size())
        return 1;
    encoder.close();
    encoder.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString folder = dir.path() + QStringLiteral("/many");
    for (int i = 0; i < files; ++i)
        QFile(folder + QStringLiteral("/clip %1.avi").arg(i, 5, 10, QLatin1Char('0'))).open(QIODevice::WriteOnly);

    std::printf("%d files, a fake encoder that answers each probe at once\n", files);
    Print("drop (queued, window live)", AddThroughDrop(app, program, folder));
    Print("AddTaskFolder (in one go)", AddInOneGo(program, folder));
    return 0;
}
