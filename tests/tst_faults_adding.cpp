// A folder of thousands of files added through the window: the list fills
// row by row while the window keeps answering, and whatever the user does
// meanwhile (remove, add more, start a batch) is done, not refused.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestHelpers.h"

#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "tasks/TaskAddQueue.h"
#include "tasks/TaskAdding.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// Answers a probe at once; a conversion waits until the file "go" appears
// beside it, so that a batch lasts as long as the test needs.
const QByteArray FastEncoder =
    "#!/bin/sh\n"
    "if [ \"$1\" = \"-y\" ]; then\n"
    "    while [ ! -e \"$(dirname \"$0\")/go\" ]; do sleep 0.02; done\n"
    "    echo banner; echo input; echo 'frame=1 time=7.00 bitrate=1k'\n"
    "    exit 0\n"
    "fi\n"
    "printf \"Input #0, avi, from '%s':\\n  Duration: 00:00:07.00, start: 0.0, bitrate: 1 kb/s\\n"
    "    Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps\\n\" \"$2\"\n";

struct Window {
    RecordingDesktop desktop;
    ProgramDir dir;
    std::unique_ptr<TMainForm> form;

    Window()
    {
        dir.installFakeEncoder(FastEncoder);
        QDir().mkpath(dir.path() + QStringLiteral("out"));
        form = std::make_unique<TMainForm>(dir.programFile());
        form->show();
        form->edtOutputdir->setText(dir.path() + QStringLiteral("out"));
    }

    // A folder of `count` empty clips named with `stem` and a number, plus
    // files the folder scan must pass over; the clips' paths in name order.
    QStringList plantFolder(const QString& name, const QString& stem, int count) const
    {
        const QString folder = dir.path() + name + u'/';
        QDir().mkpath(folder + QStringLiteral("sub"));
        QStringList clips;
        for (int i = 0; i < count; ++i) {
            clips << folder + stem + QStringLiteral(" %1.avi").arg(i, 4, 10, QLatin1Char('0'));
            QFile(clips.last()).open(QIODevice::WriteOnly);
        }
        for (const char* other : {"notes.txt", "clip.mkv", "sub/inner.avi"})
            QFile(folder + QString::fromLatin1(other)).open(QIODevice::WriteOnly);
        return clips;
    }

    int rows() const { return form->ltvTask->topLevelItemCount(); }

    QStringList captions() const
    {
        QStringList texts;
        for (int row = 0; row < rows(); ++row)
            texts << form->ltvTask->topLevelItem(row)->text(0);
        return texts;
    }
};

} // namespace

class TestFaultsAdding : public QObject
{
    Q_OBJECT

private slots:
    void bigFolderFillsWhileWindowAnswers();
    void userActsWhileFolderIsAdded();
    void clearStopsAFolderBeingAdded();
};

void TestFaultsAdding::clearStopsAFolderBeingAdded()
{
    Window w;
    w.plantFolder(QStringLiteral("many"), QStringLiteral("c"), 300);
    DropPaths(*w.form, {w.dir.path() + QStringLiteral("many")});
    QTRY_VERIFY(w.rows() >= 1);
    w.form->tbtnClearClick();
    QCOMPARE(w.rows(), 0);
    for (int turn = 0; turn < 10; ++turn) {
        QVERIFY(WindowAnswers(w.form.get()));
        QCOMPARE(w.rows(), 0);
    }
    QVERIFY(!w.form->tbtnStart->isEnabled());
}

void TestFaultsAdding::bigFolderFillsWhileWindowAnswers()
{
    Window w;
    const QStringList clips = w.plantFolder(QStringLiteral("many"), QStringLiteral("clip"), 2000);
    QSignalSpy drained(&TaskAddQueue::of(*w.form), &TaskAddQueue::drained);

    QVERIFY(!w.form->tbtnStart->isEnabled());
    DropPaths(*w.form, {w.dir.path() + QStringLiteral("many")});
    QVERIFY(w.rows() < clips.size());
    // The list grows while the window handles its events, and the list
    // commands come on with the first row.
    QTRY_VERIFY(w.rows() > 0);
    QVERIFY(w.form->tbtnStart->isEnabled());
    for (int check = 0; check < 5; ++check) {
        const int before = w.rows();
        QVERIFY(WindowAnswers(w.form.get()));
        QVERIFY(w.rows() < clips.size());
        QTRY_VERIFY(w.rows() > before);
    }

    QVERIFY(drained.wait(120000));
    QCOMPARE(w.captions(), clips);
    QCOMPARE(w.form->ltvTask->topLevelItem(1999)->text(1), QStringLiteral("00:00:07.00"));
    QCOMPARE(w.form->ltvTask->topLevelItem(1999)->text(2), QStringLiteral(" 640x480"));
    QVERIFY(w.desktop.messages.isEmpty());
}

void TestFaultsAdding::userActsWhileFolderIsAdded()
{
    Window w;
    const QStringList first = w.plantFolder(QStringLiteral("first"), QStringLiteral("a"), 40);
    const QStringList second = w.plantFolder(QStringLiteral("second"), QStringLiteral("b"), 5);
    const QString single = w.dir.path() + QStringLiteral("single.avi");
    QFile(single).open(QIODevice::WriteOnly);

    w.desktop.nextFolders << w.dir.path() + QStringLiteral("first");
    w.form->tbtnAddDir->trigger();
    QTRY_VERIFY(w.rows() >= 3);

    // Remove the first row, add a file through Add File and drop a second
    // folder, all while the first folder is still being added.
    w.form->ltvTask->clearSelection();
    w.form->ltvTask->topLevelItem(0)->setSelected(true);
    w.form->tbtnRemoveClick();
    w.desktop.nextOpenFiles << QStringList{single};
    w.form->tbtnAddFileClick();
    QVERIFY(w.captions().contains(single));
    DropPaths(*w.form, {w.dir.path() + QStringLiteral("second")});
    QVERIFY(w.rows() < first.size() + second.size());

    // A batch over the rows there are; the queue waits while it runs.
    w.form->tbtnStartClick();
    QVERIFY(w.form->Driver->IsBusy());
    const int converting = w.rows();
    for (int turn = 0; turn < 20; ++turn) {
        QVERIFY(WindowAnswers(w.form.get()));
        QCOMPARE(w.rows(), converting);
    }
    QVERIFY(QFile(w.dir.path() + QStringLiteral("go")).open(QIODevice::WriteOnly));
    QTRY_VERIFY_WITH_TIMEOUT(!w.form->Driver->IsBusy(), 20000);
    QCOMPARE(w.desktop.messageTexts(), QStringList{QStringLiteral("The coversion is completed successfully.")});

    // Then the rest of both folders arrives, behind the rows converted.
    QTRY_COMPARE(w.rows(), first.size() - 1 + 1 + second.size());
    QStringList expected = w.captions().mid(0, converting);
    for (const QString& clip : first + second) {
        if (clip != first.first() && !expected.contains(clip))
            expected << clip;
    }
    QCOMPARE(w.captions(), expected);
    QVERIFY(!w.captions().contains(first.first()));
    for (int row = 0; row < w.rows(); ++row)
        QCOMPARE(w.form->ltvTask->topLevelItem(row)->text(3),
                 row < converting ? QStringLiteral("Complete") : QStringLiteral("OK"));
}

QTEST_MAIN(TestFaultsAdding)
#include "tst_faults_adding.moc"
