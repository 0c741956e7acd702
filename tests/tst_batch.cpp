// The batch conversion driver on the real main window: progress from the
// encoder's output, statuses, stop, failures, the end-of-batch actions, the
// clock, and one batch of real clips through the real encoder adapter.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestMedia.h"

#include "app/PictureButton.h"
#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "storage/TSettingForm.h"
#include "tasks/TaskAdding.h"
#include "tasks/TaskRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

constexpr int EncoderChunk = 4095;
// Real conversions of short clips; generous for a loaded machine.
constexpr int ConversionTimeoutMs = 60000;

const QString DefaultStart = QStringLiteral("00:00:00.0");

QByteArray Fixture(const QString& name)
{
    QFile file(QStringLiteral(FW_FIXTURES_DIR "/batch/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A main window over a temporary program directory with the fake encoder,
// shown, with an existing output folder.
struct Window {
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm* form = nullptr;

    explicit Window(bool fakeEncoder = true, bool shippedProfiles = false)
    {
        if (fakeEncoder)
            dir.installFakeEncoder(Fixture(QStringLiteral("fake_encoder.sh")));
        if (shippedProfiles)
            dir.copyShippedProfiles();
        QDir().mkpath(outputFolder());
        form = new TMainForm(dir.programFile());
        form->show();
        form->edtOutputdir->setText(outputFolder());
        form->ProfileExt = QStringLiteral(".avi");
    }
    ~Window() { delete form; }
    Q_DISABLE_COPY_MOVE(Window)

    QString outputFolder() const { return dir.path() + QStringLiteral("out/"); }

    // A task as adding a probed file leaves it; `clipLength` empty means the
    // whole source.
    int addTask(const QString& path, const QString& duration, const QString& clipStart = DefaultStart,
                const QString& clipLength = QString()) const
    {
        NewTaskItem(form->ltvTask);
        ltvItemData task;
        task.FileName = path;
        task.Duration = duration;
        task.VideoSize = QStringLiteral("320x240");
        task.Status = QStringLiteral("OK");
        task.OutputName = QFileInfo(path).completeBaseName();
        task.OutputExt = form->ProfileExt;
        task.SourceStart = DefaultStart;
        task.SourceEnd = duration;
        task.ClipLength = clipLength.isEmpty() ? duration : clipLength;
        task.ClipStart = clipStart;
        task.ClipEnd = duration;
        const int row = form->ltvTask->topLevelItemCount() - 1;
        WriteTask(form->ltvTask, row, -2, task);
        return row;
    }

    QString status(int row) const { return form->ltvTask->topLevelItem(row)->text(3); }

    // The argument lists of the encoder runs so far, in order.
    QList<QStringList> runs() const
    {
        QList<QStringList> result;
        QStringList current;
        for (const QString& line : QString::fromUtf8(dir.read(QStringLiteral("runs.log"))).split(u'\n')) {
            if (line == QStringLiteral("----")) {
                result.append(current);
                current.clear();
            } else if (!line.isEmpty()) {
                current.append(line);
            }
        }
        return result;
    }

    // Makes the fake encoder write exactly these chunks, one per read: each
    // is padded in front to the size of one read.
    void setChunks(const QList<QByteArray>& chunks) const
    {
        for (int i = 0; i < chunks.size(); ++i) {
            const QByteArray& text = chunks.at(i);
            dir.write(QStringLiteral("chunks/%1").arg(i, 2, 10, QLatin1Char('0')),
                      QByteArray(EncoderChunk - text.size(), '#') + text);
        }
    }

    bool isIdle() const
    {
        return !form->Driver->IsBusy() && form->Driver->RunState() == 0 && form->ltvTask->isEnabled() &&
               form->sbtnAddFile->isEnabled() && form->sbtnOptions->isEnabled() && form->imgStart->isVisible() &&
               !form->imgStop->isVisible() && form->panBottomCenter->isVisible() &&
               !form->panBottomLeft->isVisible() && !form->timerTime->isActive();
    }
};

bool ProcessExists(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

// A desktop that keeps the order of what was asked of it.
class OrderedDesktop final : public Desktop
{
public:
    OrderedDesktop() { Desktop::setCurrent(this); }
    ~OrderedDesktop() override { Desktop::setCurrent(nullptr); }

    QMessageBox::StandardButton message(QWidget*, Icon, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons) override
    {
        events << QStringLiteral("message ") + caption + QStringLiteral(": ") + text;
        return QMessageBox::Ok;
    }
    void openUrl(const QUrl& url) override { events << QStringLiteral("open ") + url.toLocalFile(); }
    bool browseForFolder(QWidget*, const QString&, QString*) override { return false; }
    QStringList openFileNames(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    void balloonTip(QWidget*, int, const QString&, const QString&) override {}
    void powerOff() override { events << QStringLiteral("power off"); }

    QStringList events;
};

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void startRefusedWithoutFolderOrTasks();
    void progressFollowsChunks_data();
    void progressFollowsChunks();
    void totalCountsCompletedTasks();
    void realBatchThroughAdapter();
    void stopDuringSecondOfThree();
    void startTwiceAndWhileWindingUp();
    void failingEncoderIsCounted();
    void missingEncoderEndsBatch();
    void outputNeverOverwritesInput();
    void malformedProfileRunsNothing();
    void endOfBatchActions_data();
    void endOfBatchActions();
    void clockEstimatesRemainingTime();
    void closingWindowStopsBatch();
};

void TestBatch::startRefusedWithoutFolderOrTasks()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.form));
    w.form->tbtnStartClick();
    QVERIFY(w.desktop.messages.isEmpty());
    QVERIFY(w.isIdle());

    w.addTask(w.dir.path() + QStringLiteral("a.avi"), QStringLiteral("00:00:10"));
    w.form->edtOutputdir->setText(w.dir.path() + QStringLiteral("missing"));
    w.form->tbtnStartClick();
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::Information);
    QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Output path does not exist"));
    QCOMPARE(w.desktop.messages[0].text, QStringLiteral("The output path does not exist. Please specify another one."));
    QVERIFY(w.form->edtOutputdir->hasFocus());
    QVERIFY(w.isIdle());
    QCOMPARE(w.status(0), QStringLiteral("OK"));
    QVERIFY(w.runs().isEmpty());
}

void TestBatch::progressFollowsChunks_data()
{
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("total");

    const QByteArray banner = "fake encoder version 1\n";
    const QByteArray input = "  Duration: 00:00:10.00, start: 0.000000, bitrate: 1000 kb/s\n";
    QTest::addRow("first two chunks never read")
        << QStringLiteral("00:00:10") << QList<QByteArray>{"time=5.00 a", "time=6.00 b", "frame=1 no progress\n"}
        << 0 << 0;
    QTest::addRow("third chunk read") << QStringLiteral("00:00:10")
                                      << QList<QByteArray>{banner, input, "frame=9 time=2.50 bitrate=1k\n"} << 25
                                      << 25;
    QTest::addRow("smaller value does not move back")
        << QStringLiteral("00:00:10")
        << QList<QByteArray>{banner, input, "time=6.00 bitrate=1k\n", "time=3.00 bitrate=1k\n"} << 60 << 60;
    QTest::addRow("number without blank after it")
        << QStringLiteral("00:00:10") << QList<QByteArray>{banner, input, "time=4.00 x\n", "frame=9 time=12.5"}
        << 40 << 40;
    QTest::addRow("clamped at 100") << QStringLiteral("00:00:10")
                                    << QList<QByteArray>{banner, input, "time=15.00 bitrate=1k\n"} << 100 << 100;
    QTest::addRow("ties round to even down") << QStringLiteral("00:00:08")
                                             << QList<QByteArray>{banner, input, "time=1.00 b\n"} << 12 << 12;
    QTest::addRow("ties round to even up") << QStringLiteral("00:00:08")
                                           << QList<QByteArray>{banner, input, "time=1.08 b\n"} << 14 << 14;
    QTest::addRow("malformed length shows 0")
        << QStringLiteral("bad") << QList<QByteArray>{banner, input, "time=1.00 b\n"} << 0 << 0;
}

void TestBatch::progressFollowsChunks()
{
    QFETCH(QString, duration);
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, current);
    QFETCH(int, total);

    Window w;
    w.setChunks(chunks);
    w.addTask(w.dir.path() + QStringLiteral("clip.avi"), duration);
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.status(0), QStringLiteral("Complete"));
    QTRY_VERIFY(w.isIdle());

    // The last task's bar keeps its final value after the batch.
    QCOMPARE(w.form->pgbCurrent->value(), current);
    QCOMPARE(w.form->pgbTotal->value(), total);
    QCOMPARE(w.form->labCurProgress->text(), QString::number(current) + u'%');
    QCOMPARE(w.form->labTotalProgress->text(), QString::number(total) + u'%');
    QCOMPARE(w.form->labConvertingFile->text(), QStringLiteral("clip.avi"));
}

void TestBatch::totalCountsCompletedTasks()
{
    Window w;
    w.setChunks({"banner\n", "input\n", "time=5.00 bitrate=1k\n"});
    w.addTask(w.dir.path() + QStringLiteral("one.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("two.avi"), QStringLiteral("00:00:30"));
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.status(1), QStringLiteral("Complete"));
    QTRY_VERIFY(w.isIdle());

    // The second run starts its bar over: 5 of 30 s; the total holds the
    // first task whole and 5 s of the second: 15 of 40 s, 37.5 % shown as 38.
    QCOMPARE(w.form->pgbCurrent->value(), 17);
    QCOMPARE(w.form->pgbTotal->value(), 38);
    QCOMPARE(w.form->labTotalProgress->text(), QStringLiteral("38%"));
    QCOMPARE(w.status(0), QStringLiteral("Complete"));
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Complete"));
    QCOMPARE(w.desktop.messages[0].text, QStringLiteral("The coversion is completed successfully."));
}

void TestBatch::realBatchThroughAdapter()
{
    Window w(false, true);
    QVERIFY(w.dir.installAdapter());
    // The real adapter runs behind a wrapper that records the command line.
    const QString realEncoder = w.dir.path() + QStringLiteral("real-encoder");
    QVERIFY(QFile::rename(w.dir.encoderPath(), realEncoder));
    w.dir.installFakeEncoder("#!/bin/sh\n"
                             "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done >> \"$(dirname \"$0\")/runs.log\"\n"
                             "printf '%s\\n' '----' >> \"$(dirname \"$0\")/runs.log\"\n"
                             "exec \"$(dirname \"$0\")/real-encoder\" \"$@\"\n");
    const int profile = w.form->cmbProfile->findText(QStringLiteral("AVI Video (MPEG-4 + MP3)"));
    QVERIFY(profile >= 0);
    w.form->cmbProfile->setCurrentIndex(profile);
    w.form->cmbProfileChange();
    QCOMPARE(w.form->ProfileExt, QStringLiteral(".avi"));

    const QString media = w.dir.path() + QStringLiteral("media/");
    QDir().mkpath(media);
    QVERIFY(TestMedia::MakeClip(media + QStringLiteral("first clip.avi"), 2));
    QVERIFY(TestMedia::MakeClip(media + QStringLiteral("second.avi"), 2));
    AddTaskFile(*w.form, media + QStringLiteral("first clip.avi"));
    AddTaskFile(*w.form, media + QStringLiteral("second.avi"));
    QCOMPARE(w.form->ltvTask->topLevelItemCount(), 2);
    QCOMPARE(w.status(1), QStringLiteral("OK"));
    // The first task is cut to 1 s from 0.5 s on; the probes are not part of
    // the batch's record.
    ltvItemData task;
    ReadTask(w.form->ltvTask, 0, -2, task);
    task.ClipStart = QStringLiteral("00:00:00.5");
    task.ClipLength = QStringLiteral("00:00:01");
    WriteTask(w.form->ltvTask, 0, 8, task);
    WriteTask(w.form->ltvTask, 0, 7, task);
    QVERIFY(QFile::remove(w.dir.path() + QStringLiteral("runs.log")));

    w.form->tbtnStartClick();
    QTRY_COMPARE_WITH_TIMEOUT(w.status(1), QStringLiteral("Complete"), ConversionTimeoutMs);
    QTRY_VERIFY(w.isIdle());
    QCOMPARE(w.status(0), QStringLiteral("Complete"));
    QCOMPARE(w.desktop.messageTexts(), QStringList{QStringLiteral("The coversion is completed successfully.")});

    const QList<QStringList> runs = w.runs();
    QCOMPARE(runs.size(), 2);
    const QString firstOutput = w.outputFolder() + QStringLiteral("first clip.avi");
    const QString secondOutput = w.outputFolder() + QStringLiteral("second.avi");
    QCOMPARE(runs[0].mid(0, 3), (QStringList{QStringLiteral("-y"), QStringLiteral("-i"),
                                              media + QStringLiteral("first clip.avi")}));
    QCOMPARE(runs[0].last(), firstOutput);
    QVERIFY(runs[0].contains(QStringLiteral("mpeg4")));
    QCOMPARE(runs[0].mid(runs[0].size() - 5, 4), (QStringList{QStringLiteral("-ss"), QStringLiteral("00:00:00.5"),
                                                              QStringLiteral("-t"), QStringLiteral("1")}));
    // The clip switches belong to the first task alone.
    QCOMPARE(runs[1].last(), secondOutput);
    QVERIFY(!runs[1].contains(QStringLiteral("-ss")));
    QVERIFY(!runs[1].contains(QStringLiteral("-t")));
    QCOMPARE(runs[1].mid(3, runs[1].size() - 4), runs[0].mid(3, runs[0].size() - 8));

    QVERIFY(qAbs(TestMedia::ProbeDuration(firstOutput) - 1.0) < 0.3);
    QVERIFY(qAbs(TestMedia::ProbeDuration(secondOutput) - 2.0) < 0.3);
    QCOMPARE(w.form->pgbTotal->value(), 100);
    QCOMPARE(w.form->labConvertingFile->text(), QStringLiteral("second.avi"));
}

void TestBatch::stopDuringSecondOfThree()
{
    Window w;
    w.addTask(w.dir.path() + QStringLiteral("first.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("slow.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("third.avi"), QStringLiteral("00:00:10"));
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.runs().size(), 2);

    // The busy state while the second task runs.
    QCOMPARE(w.status(0), QStringLiteral("Complete"));
    QCOMPARE(w.form->Driver->RunState(), 1);
    QVERIFY(!w.form->ltvTask->isEnabled());
    for (QToolButton* button : {w.form->sbtnAddFile, w.form->sbtnAddDir, w.form->sbtnUp, w.form->sbtnDown,
                                w.form->sbtnDelete, w.form->sbtnClear, w.form->sbtnOptions})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(!w.form->imgStart->isVisible());
    QVERIFY(w.form->imgStop->isVisible());
    QVERIFY(w.form->panBottomLeft->isVisible());
    QVERIFY(!w.form->panBottomCenter->isVisible());
    QVERIFY(w.form->timerTime->isActive());
    QCOMPARE(w.form->labConvertingFile->text(), QStringLiteral("slow.avi"));

    w.form->imgStopClick();
    QTRY_VERIFY(w.isIdle());
    QCOMPARE(w.status(0), QStringLiteral("Complete"));
    QCOMPARE(w.status(1), QStringLiteral("Stop"));
    QCOMPARE(w.status(2), QStringLiteral("OK"));
    QCOMPARE(w.runs().size(), 2);
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::Information);
    QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Cancel"));
    QCOMPARE(w.desktop.messages[0].text, QStringLiteral("The Coversion is canceled."));
}

void TestBatch::startTwiceAndWhileWindingUp()
{
    Window w;
    w.addTask(w.dir.path() + QStringLiteral("slow.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("next.avi"), QStringLiteral("00:00:10"));
    w.form->tbtnStartClick();
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.runs().size(), 1);
    QCOMPARE(w.status(1), QStringLiteral("OK"));

    // Stop is asked for and the encoder has not ended yet: the Start picture
    // is back, but a new batch must wait for this one to wind up.
    w.form->imgStopClick();
    QVERIFY(w.form->imgStart->isVisible());
    QCOMPARE(w.form->Driver->RunState(), 2);
    w.form->imgStartClick();
    QCOMPARE(w.form->Driver->RunState(), 2);
    QTRY_VERIFY(w.isIdle());
    QCOMPARE(w.runs().size(), 1);
    QCOMPARE(w.status(0), QStringLiteral("Stop"));
    QCOMPARE(w.status(1), QStringLiteral("OK"));
    QCOMPARE(w.desktop.messageTexts(), QStringList{QStringLiteral("The Coversion is canceled.")});

    // Once idle, Start runs a new batch from the first task.
    ltvItemData task;
    task.FileName = w.dir.path() + QStringLiteral("quick.avi");
    WriteTask(w.form->ltvTask, 0, -1, task);
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.status(1), QStringLiteral("Complete"));
    QTRY_VERIFY(w.isIdle());
    QCOMPARE(w.status(0), QStringLiteral("Complete"));
    QCOMPARE(w.runs().size(), 3);
}

void TestBatch::failingEncoderIsCounted()
{
    Window w;
    w.setChunks({"banner\n", "input\n", "time=5.00 bitrate=1k\n"});
    w.addTask(w.dir.path() + QStringLiteral("good.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("bad.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("also bad.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("fine.avi"), QStringLiteral("00:00:10"));
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.status(3), QStringLiteral("Complete"));
    QTRY_VERIFY(w.isIdle());

    QCOMPARE(w.status(0), QStringLiteral("Complete"));
    QCOMPARE(w.status(1), QStringLiteral("Failed"));
    QCOMPARE(w.status(2), QStringLiteral("Failed"));
    QCOMPARE(w.runs().size(), 4);
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Complete"));
    QCOMPARE(w.desktop.messages[0].text, QStringLiteral("The coversion is completed, but 2 of 4 files failed."));
    // Failed tasks add nothing to the work done: the first task whole and
    // 5 s of the last make 15 of 40 s.
    QCOMPARE(w.form->pgbTotal->value(), 38);
}

void TestBatch::missingEncoderEndsBatch()
{
    Window w(false);
    w.addTask(w.dir.path() + QStringLiteral("one.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("two.avi"), QStringLiteral("00:00:10"));
    w.form->tbtnStartClick();

    QVERIFY(w.isIdle());
    QCOMPARE(w.status(0), QStringLiteral("Failed"));
    QCOMPARE(w.status(1), QStringLiteral("OK"));
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::None);
    QCOMPARE(w.desktop.messages[0].caption, QCoreApplication::applicationName());
    QCOMPARE(w.desktop.messages[0].text, QStringLiteral("Error on CreateProcess()"));
    QCOMPARE(w.desktop.messages[0].owner, w.form);
}

void TestBatch::outputNeverOverwritesInput()
{
    // The output folder is the input's folder, and the output name and the
    // profile's extension are the input's own: the encoder must not be told
    // to write over the file it reads.
    Window w;
    const QString input = w.outputFolder() + QStringLiteral("clip.avi");
    QFile(input).open(QIODevice::WriteOnly);
    w.addTask(input, QStringLiteral("00:00:10"));
    w.form->tbtnStartClick();
    QTRY_COMPARE(w.status(0), QStringLiteral("Complete"));
    const QList<QStringList> runs = w.runs();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].at(2), input);
    QCOMPARE(runs[0].last(), w.outputFolder() + QStringLiteral("clip_1.avi"));
}

void TestBatch::malformedProfileRunsNothing()
{
    Window w;
    w.dir.write(QStringLiteral("Profiles/Broken.apf"), Fixture(QStringLiteral("Broken.apf")));
    w.form->cmbProfile->addItem(QStringLiteral("Broken"));
    w.form->cmbProfile->setCurrentIndex(w.form->cmbProfile->findText(QStringLiteral("Broken")));
    w.form->cmbProfileChange();
    QVERIFY(w.desktop.messages.isEmpty());
    w.addTask(w.dir.path() + QStringLiteral("clip.avi"), QStringLiteral("00:00:10"));

    w.form->tbtnStartClick();
    QVERIFY(w.isIdle());
    QCOMPARE(w.status(0), QStringLiteral("OK"));
    QVERIFY(w.runs().isEmpty());
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::Warning);
    QVERIFY(w.desktop.messages[0].text.contains(QDir::toNativeSeparators(w.dir.profileFolder() +
                                                                        QStringLiteral("Broken.apf"))));
    QVERIFY(w.desktop.messages[0].text.contains(QStringLiteral("\"Video Codec\"")));
}

void TestBatch::endOfBatchActions_data()
{
    QTest::addColumn<bool>("turnOff");
    QTest::addColumn<bool>("exit");
    QTest::addColumn<bool>("openDir");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("closed");

    const QString complete = QStringLiteral("message Complete: The coversion is completed successfully.");
    QTest::addRow("turn off and exit") << true << true << true << QStringList{QStringLiteral("power off")} << true;
    QTest::addRow("turn off") << true << false << false << QStringList{QStringLiteral("power off")} << true;
    QTest::addRow("exit") << false << true << true << QStringList() << true;
    QTest::addRow("open folder") << false << false << true
                                 << QStringList{complete, QStringLiteral("open OUTPUT")} << false;
    QTest::addRow("nothing") << false << false << false << QStringList{complete} << false;
}

void TestBatch::endOfBatchActions()
{
    QFETCH(bool, turnOff);
    QFETCH(bool, exit);
    QFETCH(bool, openDir);
    QFETCH(QStringList, events);
    QFETCH(bool, closed);

    OrderedDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(Fixture(QStringLiteral("fake_encoder.sh")));
    QDir().mkpath(dir.path() + QStringLiteral("out"));
    TMainForm form(dir.programFile());
    form.show();
    // The folder is opened as typed, without the separator the output
    // paths get.
    const QString typed = dir.path() + QStringLiteral("out");
    form.edtOutputdir->setText(typed);
    form.SettingForm->chkTurnoff->setChecked(turnOff);
    form.SettingForm->chkExit->setChecked(exit);
    form.SettingForm->chkOpenDir->setChecked(openDir);
    NewTaskItem(form.ltvTask);
    ltvItemData task;
    task.FileName = dir.path() + QStringLiteral("clip.avi");
    task.OutputName = QStringLiteral("clip");
    task.Duration = task.ClipLength = QStringLiteral("00:00:10");
    WriteTask(form.ltvTask, 0, -2, task);

    form.tbtnStartClick();
    QTRY_COMPARE(form.ltvTask->topLevelItem(0)->text(3), QStringLiteral("Complete"));
    QTRY_VERIFY(!form.Driver->IsBusy());
    events.replaceInStrings(QStringLiteral("OUTPUT"), typed);
    QCOMPARE(desktop.events, events);
    QCOMPARE(form.isVisible(), !closed);
    // Closing saves the preferences.
    QCOMPARE(dir.read(QStringLiteral("Preferences.ini")).contains("Auto Open Dir="), closed);
    QVERIFY(!form.timerTime->isActive());
    // A batch that closes the window leaves its progress on view until the
    // program ends; otherwise the settings come back.
    QCOMPARE(form.Driver->RunState(), closed ? 1 : 0);
    QCOMPARE(form.panBottomCenter->isVisibleTo(&form), !closed);
}

void TestBatch::clockEstimatesRemainingTime()
{
    Window w;
    BatchDriver& driver = *w.form->Driver;
    w.form->pgbTotal->setValue(0);
    driver.ShowClock(12);
    QCOMPARE(w.form->labElapsed->text(), QStringLiteral("00:00:12"));
    QCOMPARE(w.form->labRemaining->text(), QStringLiteral("00:00:00"));

    w.form->pgbTotal->setValue(25);
    driver.ShowClock(30);
    QCOMPARE(w.form->labElapsed->text(), QStringLiteral("00:00:30"));
    QCOMPARE(w.form->labRemaining->text(), QStringLiteral("00:01:30"));

    // Without progress there is no pace: the last estimate stays.
    w.form->pgbTotal->setValue(0);
    driver.ShowClock(31);
    QCOMPARE(w.form->labRemaining->text(), QStringLiteral("00:01:30"));

    w.form->pgbTotal->setValue(100);
    driver.ShowClock(3725);
    QCOMPARE(w.form->labElapsed->text(), QStringLiteral("01:02:05"));
    QCOMPARE(w.form->labRemaining->text(), QStringLiteral("00:00:00"));
}

void TestBatch::closingWindowStopsBatch()
{
    Window w;
    w.addTask(w.dir.path() + QStringLiteral("slow.avi"), QStringLiteral("00:00:10"));
    w.addTask(w.dir.path() + QStringLiteral("next.avi"), QStringLiteral("00:00:10"));
    w.form->tbtnStartClick();
    QTRY_VERIFY(!w.dir.read(QStringLiteral("encoder.pid")).isEmpty());
    const qint64 pid = w.dir.read(QStringLiteral("encoder.pid")).trimmed().toLongLong();
    QVERIFY(ProcessExists(pid));

    QVERIFY(w.form->close());
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.status(0), QStringLiteral("Stop"));
    QVERIFY(w.dir.read(QStringLiteral("Preferences.ini")).contains("Auto Open Dir="));
    QTRY_VERIFY(!ProcessExists(pid));
    QVERIFY(!w.form->Driver->IsBusy());
    QCOMPARE(w.form->Driver->RunState(), 0);
    QVERIFY(!w.form->timerTime->isActive());
    QCOMPARE(w.status(0), QStringLiteral("Stop"));
    QCOMPARE(w.status(1), QStringLiteral("OK"));
    QCOMPARE(w.runs().size(), 1);
    QVERIFY(w.desktop.messages.isEmpty());
}

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
