// What the program costs on top of the encoder. Converts the same clips
// twice: as a batch through the whole program (the main window offscreen,
// the real adapter in a temporary program directory, one shipped profile)
// and as the same ffmpeg command lines run directly one after another. Then
// adds a folder of files through the Add Dir route (one probe per file)
// against running "ffmpeg -i" on each file directly. Prints the wall times
// and their ratios.
//
// Usage: bench_batch [clips] [seconds per clip] [files to add] [rounds]
#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "conversion/EncoderCommand.h"
#include "conversion/OutputPath.h"
#include "platform/Desktop.h"
#include "profiles/OptionSynthesis.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ValueListEditor.h"
#include "storage/TSettingForm.h"
#include "tasks/TaskAdding.h"
#include "tasks/TaskRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <cstdlib>

namespace {

const QString Profile = QStringLiteral("AVI Video (MPEG-4 + MP3)");

// Answers every question with OK and never leaves the process.
class SilentDesktop final : public Desktop
{
public:
    QMessageBox::StandardButton message(QWidget*, Icon, const QString&, const QString&,
                                        QMessageBox::StandardButtons) override
    {
        return QMessageBox::Ok;
    }
    void openUrl(const QUrl&) override {}
    bool browseForFolder(QWidget*, const QString&, QString*) override { return false; }
    QStringList openFileNames(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    void balloonTip(QWidget*, int, const QString&, const QString&) override {}
    void powerOff() override {}
};

bool Run(const QString& program, const QStringList& arguments, bool mustSucceed = true)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1))
        return false;
    process.readAll();
    return !mustSucceed || (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0);
}

bool MakeClip(const QString& path, int seconds)
{
    const QString length = QString::number(seconds);
    return Run(QStringLiteral("ffmpeg"),
               {QStringLiteral("-nostdin"), QStringLiteral("-y"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("testsrc=size=640x360:rate=25:duration=") + length, QStringLiteral("-f"),
                QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("sine=frequency=440:sample_rate=44100:duration=") + length, QStringLiteral("-c:v"),
                QStringLiteral("mpeg4"), QStringLiteral("-q:v"), QStringLiteral("4"), QStringLiteral("-c:a"),
                QStringLiteral("libmp3lame"), QStringLiteral("-shortest"), path});
}

bool CopyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

// A temporary installation: the real adapter and the shipped profiles.
bool Install(const QString& programDirectory)
{
    const QString bin = QStringLiteral(FW_BIN_DIR "/");
    if (!CopyFile(bin + QStringLiteral("wmaspi.dll"), programDirectory + QStringLiteral("wmaspi.dll")))
        return false;
    QFile(programDirectory + QStringLiteral("wmaspi.dll"))
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(programDirectory + QStringLiteral("Profiles"));
    const QDir profiles(bin + QStringLiteral("Profiles"));
    for (const QString& name : profiles.entryList({QStringLiteral("*.apf")}, QDir::Files)) {
        if (!CopyFile(profiles.filePath(name), programDirectory + QStringLiteral("Profiles/") + name))
            return false;
    }
    return true;
}

// Runs the event loop until the batch has ended and the window is idle.
qint64 TimeBatch(TMainForm& form)
{
    QElapsedTimer clock;
    clock.start();
    form.tbtnStartClick();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &form, [&form] {
        if (!form.Driver->IsBusy())
            QCoreApplication::quit();
    });
    poll.start(5);
    QCoreApplication::exec();
    return clock.elapsed();
}

// The encoder command lines of the batch just run, as the driver built them.
QList<QStringList> CommandLines(const TMainForm& form, const QString& outputFolder)
{
    const ParameterGrids grids = form.grids();
    QString options;
    BuildOptionString(ProfilePathOf(form.ProfileFolder, form.cmbProfile->currentText()),
                      [grids](int grid, const QString& name) {
                          const ValueListEditor* editor = grids.grid(grid);
                          return editor ? editor->Values(name) : QString();
                      },
                      options);
    QList<QStringList> lines;
    for (int row = 0; row < form.ltvTask->topLevelItemCount(); ++row) {
        ltvItemData task;
        ReadTask(form.ltvTask, row, -2, task);
        const QString output = BuildOutputPath(outputFolder, task, form.ProfileExt, row, true,
                                               [](const QString&) { return false; });
        // The adapter puts -nostdin before what it is given.
        QStringList line{QStringLiteral("-nostdin")};
        line << ConvertCommand(task.FileName, options + ClipSwitches(task), output).arguments;
        lines.append(line);
    }
    return lines;
}

double Seconds(qint64 ms)
{
    return double(ms) / 1000.0;
}

QString Samples(const QList<qint64>& ms)
{
    QStringList texts;
    for (qint64 value : ms)
        texts << QString::number(Seconds(value), 'f', 3);
    return texts.join(QStringLiteral(", "));
}

void Report(const QString& programName, const QString& directName, const QList<qint64>& programMs,
            const QList<qint64>& directMs)
{
    const qint64 program = *std::min_element(programMs.begin(), programMs.end());
    const qint64 direct = *std::min_element(directMs.begin(), directMs.end());
    std::printf("  %-22s %8.3f s   (%s)\n", qPrintable(programName), Seconds(program), qPrintable(Samples(programMs)));
    std::printf("  %-22s %8.3f s   (%s)\n", qPrintable(directName), Seconds(direct), qPrintable(Samples(directMs)));
    std::printf("  %-22s %8.3f\n", "ratio program/direct", double(program) / double(direct));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.multimedia*=false");
    QApplication app(argc, argv);
    const int clipCount = argc > 1 ? std::atoi(argv[1]) : 4;
    const int clipSeconds = argc > 2 ? std::atoi(argv[2]) : 5;
    const int addCount = argc > 3 ? std::atoi(argv[3]) : 50;
    const int rounds = std::max(1, argc > 4 ? std::atoi(argv[4]) : 3);

    SilentDesktop desktop;
    Desktop::setCurrent(&desktop);
    QTemporaryDir temp;
    const QString root = temp.path() + u'/';
    const QString programDirectory = root + QStringLiteral("program/");
    const QString media = root + QStringLiteral("media/");
    const QString many = root + QStringLiteral("many/");
    const QString programOut = root + QStringLiteral("out-program/");
    const QString directOut = root + QStringLiteral("out-direct/");
    for (const QString& folder : {programDirectory, media, many, programOut, directOut})
        QDir().mkpath(folder);
    if (!Install(programDirectory)) {
        std::fprintf(stderr, "cannot install the adapter and profiles from %s\n", FW_BIN_DIR);
        return 1;
    }

    std::printf("making %d clips of %d s (640x360, MPEG-4 + MP3)...\n", clipCount, clipSeconds);
    QStringList clips;
    for (int i = 0; i < clipCount; ++i) {
        clips << media + QStringLiteral("clip%1.avi").arg(i + 1);
        if (!MakeClip(clips.last(), clipSeconds)) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", qPrintable(clips.last()));
            return 1;
        }
    }
    for (int i = 0; i < addCount; ++i)
        CopyFile(clips.first(), many + QStringLiteral("file%1.avi").arg(i + 1, 3, 10, QLatin1Char('0')));

    auto form = std::make_unique<TMainForm>(programDirectory + QStringLiteral("framewright"));
    form->show();
    form->cmbProfile->setCurrentIndex(form->cmbProfile->findText(Profile));
    form->cmbProfileChange();
    form->edtOutputdir->setText(programOut);
    form->SettingForm->chkTurnoff->setChecked(false);
    form->SettingForm->chkExit->setChecked(false);
    form->SettingForm->chkOpenDir->setChecked(false);
    for (const QString& clip : clips)
        AddTaskFile(*form, clip);

    // One direct run first, so that neither side pays for cold caches; then
    // the two sides take turns, and the best round of each counts.
    const QList<QStringList> lines = CommandLines(*form, directOut);
    Run(QStringLiteral("ffmpeg"), lines.first());
    QList<qint64> programMs;
    QList<qint64> directMs;
    int complete = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            if ((round + side) % 2 == 0) {
                programMs << TimeBatch(*form);
                complete = 0;
                for (int row = 0; row < form->ltvTask->topLevelItemCount(); ++row)
                    complete += form->ltvTask->topLevelItem(row)->text(3) == QStringLiteral("Complete");
            } else {
                QElapsedTimer clock;
                clock.start();
                for (const QStringList& line : lines) {
                    if (!Run(QStringLiteral("ffmpeg"), line)) {
                        std::fprintf(stderr, "ffmpeg failed: %s\n", qPrintable(line.join(u' ')));
                        return 1;
                    }
                }
                directMs << clock.elapsed();
            }
        }
    }
    std::printf("\nbatch of %d clips x %d s, profile \"%s\" (%d of %d tasks Complete), best of %d rounds\n",
                clipCount, clipSeconds, qPrintable(Profile), complete, clipCount, rounds);
    Report(QStringLiteral("through the program"), QStringLiteral("ffmpeg directly"), programMs, directMs);

    QList<qint64> addMs;
    QList<qint64> probeMs;
    int added = 0;
    int probed = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            if ((round + side) % 2 == 0) {
                // A fresh window each time, so the list starts empty.
                form = std::make_unique<TMainForm>(programDirectory + QStringLiteral("framewright"));
                form->show();
                QElapsedTimer clock;
                clock.start();
                AddTaskFolder(*form, many);
                addMs << clock.elapsed();
                added = form->ltvTask->topLevelItemCount();
                probed = 0;
                for (int row = 0; row < added; ++row)
                    probed += !form->ltvTask->topLevelItem(row)->text(1).isEmpty();
            } else {
                QElapsedTimer clock;
                clock.start();
                for (const QString& name : QDir(many).entryList(QDir::Files, QDir::Name))
                    Run(QStringLiteral("ffmpeg"), {QStringLiteral("-nostdin"), QStringLiteral("-i"), many + name},
                        false);
                probeMs << clock.elapsed();
            }
        }
    }
    std::printf("\nadding a folder of %d files (%d added, %d with a duration), best of %d rounds\n", addCount, added,
                probed, rounds);
    Report(QStringLiteral("AddTaskFolder"), QStringLiteral("ffmpeg -i directly"), addMs, probeMs);
    return 0;
}
