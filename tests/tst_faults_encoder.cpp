// Encoders that misbehave on purpose, odd file names, an output folder
// that goes away and long batches: the window keeps answering, every
// encoder run ends, no input is overwritten and nothing leaks.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestHelpers.h"

#include "app/PictureButton.h"
#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "platform/PathRules.h"
#include "storage/TSettingForm.h"
#include "tasks/MediaNames.h"
#include "tasks/TaskAdding.h"
#include "tasks/TaskRecord.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// Generous for a loaded machine; every wait ends as soon as its condition holds.
constexpr int BatchTimeoutMs = 20000;

QByteArray Fixture(const QString& name)
{
    QFile file(QStringLiteral(FW_FIXTURES_DIR "/faults/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A process that has ended but is not yet reaped counts as gone.
bool IsAlive(qint64 pid)
{
    const QByteArray stat = ReadBytes(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype close = stat.lastIndexOf(')');
    return close > 0 && stat.size() > close + 2 && stat.at(close + 2) != 'Z';
}

QList<qint64> LivingProcesses()
{
    QList<qint64> pids;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (number && IsAlive(pid))
            pids << pid;
    }
    return pids;
}

// Living processes whose command line mentions `marker` (a temporary
// folder's unique name), this test itself excepted.
QList<qint64> ProcessesMentioning(const QString& marker)
{
    QList<qint64> found;
    for (const qint64 pid : LivingProcesses()) {
        if (pid != QCoreApplication::applicationPid() &&
            ReadBytes(QStringLiteral("/proc/%1/cmdline").arg(pid)).contains(marker.toUtf8()))
            found << pid;
    }
    return found;
}

int LivingChildren()
{
    int children = 0;
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    for (const qint64 pid : LivingProcesses()) {
        const QByteArray stat = ReadBytes(QStringLiteral("/proc/%1/stat").arg(pid));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.value(1) == self)
            ++children;
    }
    return children;
}

int OpenDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// The same noise on every run, so a failure can be repeated.
QByteArray Noise(quint32 seed, qsizetype size)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// Each misbehaving encoder notes its process id in wmaspi.dll.pid first.
QByteArray Script(const QByteArray& body)
{
    return "#!/bin/sh\necho $$ > \"$0.pid\"\n" + body;
}

const QByteArray Report = "printf \"Input #0, avi, from '%s':\\n  Duration: 00:00:07.00, start: 0.000000, "
                          "bitrate: 1 kb/s\\n    Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps\\n\" \"$2\"\n";

// A main window over a temporary program directory, shown, converting
// into an existing output folder.
struct Window {
    RecordingDesktop desktop;
    ProgramDir dir;
    std::unique_ptr<TMainForm> form;

    explicit Window(const QByteArray& encoder = Fixture(QStringLiteral("args_encoder.sh")))
    {
        if (!encoder.isEmpty())
            dir.installFakeEncoder(encoder);
        QDir().mkpath(outputFolder());
        form = std::make_unique<TMainForm>(dir.programFile());
        form->show();
        form->edtOutputdir->setText(outputFolder());
        form->ProfileExt = QStringLiteral(".avi");
    }

    QString outputFolder() const { return dir.path() + QStringLiteral("out/"); }
    QString media(const QString& name) const { return dir.path() + QStringLiteral("media/") + name; }

    // An input file holding its own name, queued without a probe.
    QString addTask(const QString& name) const
    {
        const QString path = media(name);
        WriteBytes(path, name.toUtf8());
        NewTaskItem(form->ltvTask);
        ltvItemData task;
        task.FileName = path;
        task.Duration = task.ClipLength = task.SourceEnd = task.ClipEnd = QStringLiteral("00:00:07.00");
        task.SourceStart = task.ClipStart = QStringLiteral("00:00:00.0");
        task.Status = QStringLiteral("OK");
        task.OutputName = BaseName(FileNamePart(path));
        task.OutputExt = form->ProfileExt;
        WriteTask(form->ltvTask, form->ltvTask->topLevelItemCount() - 1, -2, task);
        return path;
    }

    QString status(int row) const { return form->ltvTask->topLevelItem(row)->text(3); }
    qint64 encoderPid() const { return dir.read(QStringLiteral("wmaspi.dll.pid")).trimmed().toLongLong(); }

    bool isIdle() const
    {
        return !form->Driver->IsBusy() && form->Driver->RunState() == 0 && form->ltvTask->isEnabled() &&
               form->imgStart->isVisible() && !form->timerTime->isActive();
    }

    // The arguments of every run of the recording encoder, in order.
    QList<QStringList> runs() const
    {
        QList<QStringList> result;
        const int count = dir.read(QStringLiteral("runs")).trimmed().toInt();
        for (int n = 1; n <= count; ++n) {
            QStringList arguments;
            for (const QByteArray& argument : dir.read(QStringLiteral("args.%1").arg(n)).split('\0'))
                arguments << QString::fromUtf8(argument);
            arguments.removeLast(); // after the last NUL
            result << arguments;
        }
        return result;
    }
};

} // namespace

class TestFaultsEncoder : public QObject
{
    Q_OBJECT

private slots:
    void probeEnds_data();
    void probeEnds();
    void batchSurvivesEncoder_data();
    void batchSurvivesEncoder();
    void hangingConversionStops_data();
    void hangingConversionStops();
    void outputFolderGoesAway_data();
    void outputFolderGoesAway();
    void outputNeverOverwritesAnotherInput();
    void oddNamesReachEncoderWhole();
    void shellSyntaxInProfileStaysText();
    void longBatchLeaksNothing();
};

void TestFaultsEncoder::probeEnds_data()
{
    QTest::addColumn<QByteArray>("script"); // empty: no encoder at all
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("duration"); // null: whatever the noise gives
    QTest::addColumn<QString>("size");

    const QString seven = QStringLiteral("00:00:07.00");
    const QString frame = QStringLiteral(" 640x480");
    QTest::addRow("missing") << QByteArray() << true << QString("") << QString("");
    QTest::addRow("not executable") << Script(Report) << false << QString("") << QString("");
    QTest::addRow("crashes after the duration")
        << Script("printf \"from '%s':\\n  Duration: 00:00:07.00, start: 0.0, bitrate: 1 kb/s\\n\" \"$2\"\n"
                  "kill -SEGV $$\nsleep 5\n")
        << true << seven << QString("");
    QTest::addRow("random bytes") << Script("cat \"$0.noise\"\n") << true << QString() << QString();
    QTest::addRow("NUL bytes after the report")
        << Script(Report + "head -c 200000 /dev/zero\n") << true << seven << frame;
    QTest::addRow("one huge line after the report")
        << Script(Report + "head -c 3000000 /dev/zero | tr '\\000' x\n") << true << seven << frame;
    QTest::addRow("nothing at all") << Script("exit 0\n") << true << QString("") << QString("");
    QTest::addRow("never stops talking") << Script(Report + "exec yes 'Duration: 9'\n") << true << QString()
                                         << QString();
    QTest::addRow("trickles forever") << Script(Report + "while :; do printf .; sleep 0.05; done\n") << true << seven
                                      << frame;
    QTest::addRow("silent forever") << Script(Report + "exec sleep 1000\n") << true << seven << frame;
}

void TestFaultsEncoder::probeEnds()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, executable);
    QFETCH(QString, duration);
    QFETCH(QString, size);

    Window w(script);
    if (!executable)
        QVERIFY(QFile(w.dir.encoderPath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    WriteBytes(w.dir.encoderPath() + QStringLiteral(".noise"), Noise(3, 256 * 1024));
    const QString input = w.media(QStringLiteral("clip.avi"));
    WriteBytes(input, "input");
    w.form->LastDuration = w.form->LastVideoSize = QStringLiteral("stale");

    QElapsedTimer clock;
    clock.start();
    ProbeMedia(*w.form, input, 300, 2000);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    if (!duration.isNull()) {
        QCOMPARE(w.form->LastDuration, duration);
        QCOMPARE(w.form->LastVideoSize, size);
    }
    QVERIFY(w.form->LastDuration != QStringLiteral("stale"));
    QCOMPARE(w.form->LastSourceEnd, w.form->LastDuration);
    QCOMPARE(ReadBytes(input), QByteArray("input"));
    if (w.encoderPid() > 0)
        QVERIFY(!IsAlive(w.encoderPid()));
    QCOMPARE(ProcessesMentioning(w.dir.path()), QList<qint64>());
    QVERIFY(w.desktop.messages.isEmpty());
}

void TestFaultsEncoder::batchSurvivesEncoder_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QStringList>("statuses");
    QTest::addColumn<QString>("message");

    const QString launchFailed = QStringLiteral("Error on CreateProcess()");
    const QString bothFailed = QStringLiteral("The coversion is completed, but 2 of 2 files failed.");
    const QString success = QStringLiteral("The coversion is completed successfully.");
    const QStringList complete{QStringLiteral("Complete"), QStringLiteral("Complete")};
    QTest::addRow("missing") << QByteArray() << true << QStringList{QStringLiteral("Failed"), QStringLiteral("OK")}
                             << launchFailed;
    QTest::addRow("not executable") << Script("exit 0\n") << false
                                    << QStringList{QStringLiteral("Failed"), QStringLiteral("OK")} << launchFailed;
    QTest::addRow("crashes mid-run")
        << Script("echo banner; echo input; echo 'frame=1 time=3.00 bitrate=1k'\nkill -SEGV $$\nsleep 5\n") << true
        << QStringList{QStringLiteral("Failed"), QStringLiteral("Failed")} << bothFailed;
    QTest::addRow("random bytes") << Script("cat \"$0.noise\"\n") << true << complete << success;
    QTest::addRow("NUL bytes") << Script("head -c 200000 /dev/zero\n") << true << complete << success;
    QTest::addRow("one huge line") << Script("head -c 3000000 /dev/zero | tr '\\000' 't'\n") << true << complete
                                   << success;
    QTest::addRow("nothing at all") << Script("exit 0\n") << true << complete << success;
}

void TestFaultsEncoder::batchSurvivesEncoder()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, executable);
    QFETCH(QStringList, statuses);
    QFETCH(QString, message);

    Window w(script);
    if (!executable)
        QVERIFY(QFile(w.dir.encoderPath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    WriteBytes(w.dir.encoderPath() + QStringLiteral(".noise"), Noise(4, 256 * 1024));
    const QString first = w.addTask(QStringLiteral("first.avi"));
    const QString second = w.addTask(QStringLiteral("second.avi"));

    w.form->tbtnStartClick();
    QVERIFY(WindowAnswers(w.form.get()));
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), BatchTimeoutMs);
    QCOMPARE((QStringList{w.status(0), w.status(1)}), statuses);
    QCOMPARE(w.desktop.messageTexts(), QStringList{message});
    QCOMPARE(ReadBytes(first), QByteArray("first.avi"));
    QCOMPARE(ReadBytes(second), QByteArray("second.avi"));
    QTRY_COMPARE(ProcessesMentioning(w.dir.path()), QList<qint64>());
}

void TestFaultsEncoder::hangingConversionStops_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("withinMs"); // Stop takes effect this soon

    QTest::addRow("silent") << Script("echo banner\nexec sleep 1000\n") << 2000;
    QTest::addRow("talking") << Script("while :; do echo 'frame=1 time=1.00 bitrate=1k'; sleep 0.05; done\n") << 2000;
    // An encoder that ignores the request to end is killed after the grace
    // it gets to remove its unfinished output.
    QTest::addRow("deaf to the stop request") << Script("trap '' TERM\necho banner\nexec sleep 1000\n") << 6000;
}

void TestFaultsEncoder::hangingConversionStops()
{
    QFETCH(QByteArray, script);
    QFETCH(int, withinMs);

    Window w(script);
    const QString input = w.addTask(QStringLiteral("hangs.avi"));
    w.addTask(QStringLiteral("next.avi"));
    w.form->tbtnStartClick();
    QTRY_VERIFY(w.encoderPid() > 0);
    const qint64 pid = w.encoderPid();
    QTRY_VERIFY(IsAlive(pid));
    QVERIFY(WindowAnswers(w.form.get()));
    QCOMPARE(w.status(0), QStringLiteral("Converting"));

    QElapsedTimer clock;
    clock.start();
    w.form->imgStopClick();
    // The window keeps answering while the encoder winds up.
    QVERIFY(WindowAnswers(w.form.get()));
    QTRY_COMPARE_WITH_TIMEOUT(w.status(0), QStringLiteral("Stop"), withinMs);
    QVERIFY2(clock.elapsed() < withinMs, qPrintable(QString::number(clock.elapsed())));
    QTRY_VERIFY(w.isIdle());
    QCOMPARE(w.status(1), QStringLiteral("OK"));
    QCOMPARE(w.desktop.messageTexts(), QStringList{QStringLiteral("The Coversion is canceled.")});
    QVERIFY(!IsAlive(pid));
    QTRY_COMPARE(ProcessesMentioning(w.dir.path()), QList<qint64>());
    QCOMPARE(ReadBytes(input), QByteArray("hangs.avi"));
}

void TestFaultsEncoder::outputFolderGoesAway_data()
{
    QTest::addColumn<bool>("replacedByFile");
    QTest::addRow("removed") << false;
    QTest::addRow("replaced by a file") << true;
}

void TestFaultsEncoder::outputFolderGoesAway()
{
    QFETCH(bool, replacedByFile);
    // The first run waits for a sign from the test, then writes its output
    // as every run does; a run that cannot write fails.
    Window w(Script("here=$(dirname \"$0\")\nfor output; do :; done\n"
                    "case \"$3\" in *first*) while [ ! -e \"$here/go\" ]; do sleep 0.02; done ;; esac\n"
                    "echo banner; echo input; echo 'frame=1 time=7.00 bitrate=1k'\n"
                    "printf 'converted\\n' > \"$output\" || exit 1\n"));
    const QStringList inputs{w.addTask(QStringLiteral("first.avi")), w.addTask(QStringLiteral("second.avi")),
                             w.addTask(QStringLiteral("third.avi"))};
    w.form->tbtnStartClick();
    QTRY_VERIFY(w.encoderPid() > 0);

    QVERIFY(QDir(w.outputFolder()).removeRecursively());
    if (replacedByFile)
        QVERIFY(WriteBytes(w.dir.path() + QStringLiteral("out"), "not a folder"));
    WriteBytes(w.dir.path() + QStringLiteral("go"), "");
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), BatchTimeoutMs);

    QCOMPARE((QStringList{w.status(0), w.status(1), w.status(2)}),
             (QStringList{QStringLiteral("Failed"), QStringLiteral("Failed"), QStringLiteral("Failed")}));
    QCOMPARE(w.desktop.messageTexts(),
             QStringList{QStringLiteral("The coversion is completed, but 3 of 3 files failed.")});
    for (const QString& input : inputs)
        QCOMPARE(ReadBytes(input), QFileInfo(input).fileName().toUtf8());
    if (replacedByFile)
        QCOMPARE(ReadBytes(w.dir.path() + QStringLiteral("out")), QByteArray("not a folder"));
    else
        QVERIFY(!QFileInfo::exists(w.dir.path() + QStringLiteral("out")));
}

void TestFaultsEncoder::outputNeverOverwritesAnotherInput()
{
    // The output folder holds the inputs: the first task's indexed name is
    // the second task's input and the third task's plain name is the first
    // task's input. Neither "Overwrite" nor the index may make a run write
    // over an input, before or after it is converted.
    Window w;
    QVERIFY(w.form->SettingForm->rdbOverWrite->isChecked());
    const QString first = w.addTask(QStringLiteral("clip.avi"));
    w.form->edtOutputdir->setText(w.media(QString()));
    const QString second = w.addTask(QStringLiteral("clip_1.avi"));
    const QString third = w.addTask(QStringLiteral("sub/clip.avi"));
    w.form->tbtnStartClick();
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), BatchTimeoutMs);

    QCOMPARE(ReadBytes(first), QByteArray("clip.avi"));
    QCOMPARE(ReadBytes(second), QByteArray("clip_1.avi"));
    QCOMPARE(ReadBytes(third), QByteArray("sub/clip.avi"));
    QStringList outputs;
    for (const QStringList& run : w.runs())
        outputs << run.last();
    QCOMPARE(outputs.size(), 3);
    // The first two tasks' own names and the indexed name of the first are
    // inputs; the third task's plain name is the first task's input.
    QCOMPARE(outputs, (QStringList{w.media(QStringLiteral("clip_1_2.avi")), w.media(QStringLiteral("clip_1_2.avi")),
                                   w.media(QStringLiteral("clip_3.avi"))}));
}

void TestFaultsEncoder::oddNamesReachEncoderWhole()
{
    Window w;
    w.dir.write(QStringLiteral("Profiles/Plain.apf"),
                "[Main]\r\nType=avi\r\nPara=1\r\n0=Bit Rate\r\n[Bit Rate]\r\nSort=1\r\nList=0\r\ncmd=-b\r\n"
                "Caption=800k\r\n");
    const QStringList names{QStringLiteral("blanks, \"double\" and 'single' quotes.avi"),
                            QStringLiteral("$(touch pwned).avi"),
                            QStringLiteral("`touch pwned`.avi"),
                            QStringLiteral("; touch pwned; #.avi"),
                            QStringLiteral("a line\nbreak.avi"),
                            QStringLiteral("-y -i leading dash.avi"),
                            QStringLiteral("back\\slash | pipe & star * ?.avi"),
                            QString::fromUtf8("Ünïcødé 名前 ø.avi"),
                            QString(250, u'L') + QStringLiteral(".avi")};
    QStringList inputs;
    for (const QString& name : names) {
        inputs << w.media(name);
        QVERIFY(WriteBytes(inputs.last(), name.toUtf8()));
    }
    w.form->cmbProfile->clear();
    w.form->cmbProfile->addItem(QStringLiteral("Plain"));
    w.form->cmbProfile->setCurrentIndex(0);
    w.form->cmbProfileChange();
    for (const QString& input : inputs)
        AddTaskFile(*w.form, input);
    QCOMPARE(w.form->ltvTask->topLevelItemCount(), names.size());
    QCOMPARE(w.form->ltvTask->topLevelItem(0)->text(1), QStringLiteral("00:00:07.00"));
    w.form->tbtnStartClick();
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), BatchTimeoutMs);

    const QList<QStringList> runs = w.runs();
    QCOMPARE(runs.size(), 2 * names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QString output = w.outputFolder() + BaseName(names[i]) + QStringLiteral(".avi");
        QCOMPARE(runs[i], (QStringList{QStringLiteral("-i"), inputs[i]}));
        QCOMPARE(runs[names.size() + i], (QStringList{QStringLiteral("-y"), QStringLiteral("-i"), inputs[i],
                                                      QStringLiteral("-b"), QStringLiteral("800k"), output}));
        QCOMPARE(ReadBytes(output), QByteArray("converted\n"));
        QCOMPARE(ReadBytes(inputs[i]), names[i].toUtf8());
        QCOMPARE(w.status(i), QStringLiteral("Complete"));
    }
    for (const QString& folder : {w.dir.path(), w.media(QString()), w.outputFolder(), QDir::currentPath()})
        QVERIFY2(!QFileInfo::exists(folder + QStringLiteral("/pwned")), qPrintable(folder));
}

void TestFaultsEncoder::shellSyntaxInProfileStaysText()
{
    Window w;
    QVERIFY(w.dir.installAdapter());
    const QString realEncoder = w.dir.path() + QStringLiteral("adapter");
    QVERIFY(QFile::rename(w.dir.encoderPath(), realEncoder));
    w.dir.installFakeEncoder(Fixture(QStringLiteral("args_encoder.sh")));
    w.dir.write(QStringLiteral("Profiles/Shell.apf"),
                "[Main]\r\nType=avi\r\nPara=4\r\n0=Semicolon\r\n1=Substitution\r\n2=Pipe\r\n3=Quoted\r\n"
                "[Semicolon]\r\nSort=1\r\nList=0\r\nReadOnly=1\r\ncmd=; touch pwned;\r\nCaption=x\r\nValue=x\r\n"
                "[Substitution]\r\nSort=2\r\nList=0\r\nReadOnly=1\r\ncmd=$(touch pwned)\r\nCaption=x\r\n"
                "Value=`touch pwned`\r\n"
                "[Pipe]\r\nSort=3\r\nList=0\r\ncmd=| touch pwned &&\r\nCaption=$HOME>pwned\r\n"
                "[Quoted]\r\nSort=3\r\nList=0\r\ncmd=-metadata\r\nCaption=\"title=a b\"; touch pwned\r\n");
    w.form->cmbProfile->clear();
    w.form->cmbProfile->addItem(QStringLiteral("Shell"));
    w.form->cmbProfile->setCurrentIndex(0);
    w.form->cmbProfileChange();
    QVERIFY(w.desktop.messages.isEmpty());
    const QString input = w.addTask(QStringLiteral("clip.avi"));

    // Once through the recording encoder, once through the real adapter,
    // which fails on an input that is no video but must start no shell.
    w.form->tbtnStartClick();
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), BatchTimeoutMs);
    QCOMPARE(w.runs().size(), 1);
    QCOMPARE(w.runs()[0], (QStringList{QStringLiteral("-y"),
                                       QStringLiteral("-i"),
                                       input,
                                       QStringLiteral(";"),
                                       QStringLiteral("touch"),
                                       QStringLiteral("pwned;"),
                                       QStringLiteral("x"),
                                       QStringLiteral("$(touch"),
                                       QStringLiteral("pwned)"),
                                       QStringLiteral("`touch"),
                                       QStringLiteral("pwned`"),
                                       QStringLiteral("|"),
                                       QStringLiteral("touch"),
                                       QStringLiteral("pwned"),
                                       QStringLiteral("&&"),
                                       QStringLiteral("$HOME>pwned"),
                                       QStringLiteral("-metadata"),
                                       QStringLiteral("title=a b;"),
                                       QStringLiteral("touch"),
                                       QStringLiteral("pwned"),
                                       w.outputFolder() + QStringLiteral("clip.avi")}));
    QVERIFY(QFile::remove(w.dir.encoderPath()));
    QVERIFY(QFile::rename(realEncoder, w.dir.encoderPath()));
    w.form->tbtnStartClick();
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), BatchTimeoutMs);
    QCOMPARE(w.status(0), QStringLiteral("Failed"));

    for (const QString& folder : {w.dir.path(), w.media(QString()), w.outputFolder(), QDir::currentPath()})
        QVERIFY2(!QFileInfo::exists(folder + QStringLiteral("/pwned")), qPrintable(folder));
    QCOMPARE(ReadBytes(input), QByteArray("clip.avi"));
}

void TestFaultsEncoder::longBatchLeaksNothing()
{
    Window w(Script("echo banner; echo input; echo 'frame=1 time=7.00 bitrate=1k'\n"));
    // One task first, so that whatever the first run sets up for good is
    // not counted as a leak.
    w.addTask(QStringLiteral("warm-up.avi"));
    w.form->tbtnStartClick();
    QTRY_VERIFY(w.isIdle());
    w.form->ltvTask->clear();
    const int descriptors = OpenDescriptors();
    const int children = LivingChildren();

    for (int i = 0; i < 200; ++i)
        w.addTask(QStringLiteral("task %1.avi").arg(i, 3, 10, QLatin1Char('0')));
    w.form->tbtnStartClick();
    QTRY_VERIFY_WITH_TIMEOUT(w.isIdle(), 60000);
    QCOMPARE(w.status(199), QStringLiteral("Complete"));
    QCOMPARE(w.desktop.messageTexts().last(), QStringLiteral("The coversion is completed successfully."));
    QCOMPARE(OpenDescriptors(), descriptors);
    QTRY_COMPARE(LivingChildren(), children);
}

QTEST_MAIN(TestFaultsEncoder)
#include "tst_faults_encoder.moc"
