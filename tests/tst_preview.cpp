// The preview pane: which task plays, the Play / Pause / Stop transitions on
// a real clip, the seek bar's once-a-second report and the position label.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestMedia.h"

#include "app/TMainForm.h"
#include "preview/PreviewPlayer.h"
#include "tasks/TaskRecord.h"

#include <QAudioOutput>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

void addTask(TMainForm& form, const QString& path)
{
    NewTaskItem(form.ltvTask);
    ltvItemData rec;
    rec.FileName = path;
    rec.Duration = QStringLiteral("00:00:06");
    rec.VideoSize = QStringLiteral("320x240");
    rec.Status = QStringLiteral("Ready");
    WriteTask(form.ltvTask, form.ltvTask->topLevelItemCount() - 1, -2, rec);
}

QUrl urlOf(const QString& path)
{
    return QUrl::fromLocalFile(path);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void commandsBeforeAnythingIsLoadedDoNothing();
    void playChoosesTheFirstRowWhenNoneIsSelected();
    void previewTakesTheFirstSelectedRowInListOrder();
    void doubleClickWithoutSelectionDoesNothing();
    void labelShowsTheSeekBarPosition_data();
    void labelShowsTheSeekBarPosition();

    void playPauseResumeStop();
    void removingThePreviewedTaskKeepsItPlaying();
    void seekBarFollowsAndSeeks();
    void unplayableFileGivesNoMessage();

private:
    bool needsPlayback();

    QTemporaryDir m_media;
    QString m_clip;            // 6 s: long enough never to end inside a test
    QString m_otherClip;       // the same clip under another name
    QString m_playbackProblem; // empty when this machine can play media
};

void TestPreview::initTestCase()
{
    QVERIFY(m_media.isValid());
    m_clip = m_media.filePath(QStringLiteral("first clip.avi"));
    m_otherClip = m_media.filePath(QStringLiteral("second.avi"));
    QVERIFY(TestMedia::MakeClip(m_clip, 6.0));
    QVERIFY(QFile::copy(m_clip, m_otherClip));

    // Headless machines may have no working media backend: find out once,
    // so that only the cases that need real playback are skipped.
    QMediaPlayer probe;
    probe.setSource(urlOf(m_clip));
    probe.play();
    if (!QTest::qWaitFor([&] { return probe.position() > 0 || probe.error() != QMediaPlayer::NoError; }, 10000))
        m_playbackProblem = QStringLiteral("the media backend never advanced the playback position");
    else if (probe.error() != QMediaPlayer::NoError)
        m_playbackProblem = QStringLiteral("the media backend cannot play a test clip: ") + probe.errorString();
    probe.stop();
}

bool TestPreview::needsPlayback()
{
    return m_playbackProblem.isEmpty();
}

#define REQUIRE_PLAYBACK()                                                                                             \
    do {                                                                                                               \
        if (!needsPlayback())                                                                                          \
            QSKIP(qPrintable(QStringLiteral("No real playback here: ") + m_playbackProblem));                          \
    } while (false)

void TestPreview::commandsBeforeAnythingIsLoadedDoNothing()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();

    QVERIFY(!form.AudioOutput); // no sound device is opened before the first preview
    form.sbtnPlayClick();       // empty list
    form.sbtnPauseClick();
    form.sbtnStopClick();
    QCOMPARE(form.FilterGraph->source(), QUrl());
    QCOMPARE(form.FilterGraph->playbackState(), QMediaPlayer::StoppedState);
    QCOMPARE(form.labPreviewTime->text(), QStringLiteral("00:00:00"));
    QVERIFY(!form.Preview->positionTimer()->isActive());
    QVERIFY(!form.AudioOutput);
    QVERIFY(desktop.messages.isEmpty());
}

void TestPreview::playChoosesTheFirstRowWhenNoneIsSelected()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    addTask(form, m_clip);
    addTask(form, m_otherClip);
    QSignalSpy clicks(form.ltvTask, &QTreeWidget::itemClicked);

    form.sbtnPlayClick();

    QVERIFY(form.ltvTask->topLevelItem(0)->isSelected());
    QVERIFY(!form.ltvTask->topLevelItem(1)->isSelected());
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(form.FilterGraph->source(), urlOf(m_clip));
    QVERIFY(form.AudioOutput);
    QCOMPARE(form.FilterGraph->audioOutput(), form.AudioOutput);
}

void TestPreview::previewTakesTheFirstSelectedRowInListOrder()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    addTask(form, m_media.filePath(QStringLiteral("zero.avi")));
    addTask(form, m_otherClip);
    addTask(form, m_clip);
    // Selected bottom-up: the list order decides, not the order of selection.
    form.ltvTask->topLevelItem(2)->setSelected(true);
    form.ltvTask->topLevelItem(1)->setSelected(true);

    form.ltvTaskDblClick();
    QCOMPARE(form.FilterGraph->source(), urlOf(m_otherClip));

    form.sbtnPlayClick(); // a selection exists: it is kept
    QCOMPARE(form.FilterGraph->source(), urlOf(m_otherClip));
    QVERIFY(!form.ltvTask->topLevelItem(0)->isSelected());
}

void TestPreview::doubleClickWithoutSelectionDoesNothing()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    addTask(form, m_clip);

    form.ltvTaskDblClick();

    QCOMPARE(form.FilterGraph->source(), QUrl());
    QVERIFY(form.ltvTask->selectedItems().isEmpty());
}

void TestPreview::labelShowsTheSeekBarPosition_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("label");
    QTest::newRow("start") << 0 << QStringLiteral("00:00:00");
    QTest::newRow("minute and seconds") << 65 << QStringLiteral("00:01:05");
    QTest::newRow("hours") << 3723 << QStringLiteral("01:02:03");
    QTest::newRow("ten hours") << 36000 << QStringLiteral("10:00:00");
}

void TestPreview::labelShowsTheSeekBarPosition()
{
    QFETCH(int, seconds);
    QFETCH(QString, label);
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.TrackBar->setRange(0, 40000);
    form.TrackBar->setValue(seconds);

    form.TrackBarTimer();

    QCOMPARE(form.labPreviewTime->text(), label);
}

void TestPreview::playPauseResumeStop()
{
    REQUIRE_PLAYBACK();
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    addTask(form, m_clip);
    QMediaPlayer* graph = form.FilterGraph;
    const QTimer* report = form.Preview->positionTimer();

    form.sbtnPlayClick();
    QTRY_COMPARE(graph->playbackState(), QMediaPlayer::PlayingState);
    QVERIFY(report->isActive());
    QCOMPARE(report->interval(), 1000);
    // The report ticks once a second: the label shows the bar's whole seconds.
    QTRY_VERIFY_WITH_TIMEOUT(form.labPreviewTime->text() != QStringLiteral("00:00:00"), 5000);
    QVERIFY(form.TrackBar->value() >= 1);
    QCOMPARE(form.labPreviewTime->text(), QStringLiteral("00:00:0%1").arg(form.TrackBar->value()));

    form.sbtnPauseClick();
    QTRY_COMPARE(graph->playbackState(), QMediaPlayer::PausedState);
    QVERIFY(!report->isActive());
    const qint64 pausedAt = graph->position();

    form.sbtnPauseClick(); // resumes from the same place
    QTRY_COMPARE(graph->playbackState(), QMediaPlayer::PlayingState);
    QVERIFY(graph->position() >= pausedAt);
    QVERIFY(report->isActive());

    // Play while paused loads the file again and starts from its beginning.
    QTRY_VERIFY(graph->position() > pausedAt);
    form.sbtnPauseClick();
    QTRY_COMPARE(graph->playbackState(), QMediaPlayer::PausedState);
    form.sbtnPlayClick();
    QTRY_COMPARE(graph->playbackState(), QMediaPlayer::PlayingState);
    QVERIFY2(graph->position() < 600, qPrintable(QString::number(graph->position())));

    form.sbtnStopClick();
    QTRY_COMPARE(graph->playbackState(), QMediaPlayer::StoppedState);
    QVERIFY(!report->isActive());
    QCOMPARE(graph->source(), urlOf(m_clip));                           // the file stays loaded
    QVERIFY(form.labPreviewTime->text() != QStringLiteral("00:00:00")); // the last position stays shown

    form.sbtnPauseClick(); // nothing to pause or resume after Stop
    QCOMPARE(graph->playbackState(), QMediaPlayer::StoppedState);
    QVERIFY(desktop.messages.isEmpty());
}

void TestPreview::removingThePreviewedTaskKeepsItPlaying()
{
    REQUIRE_PLAYBACK();
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    addTask(form, m_clip);
    addTask(form, m_otherClip);
    form.ltvTask->topLevelItem(1)->setSelected(true);
    form.ltvTaskDblClick();
    QTRY_COMPARE(form.FilterGraph->playbackState(), QMediaPlayer::PlayingState);

    form.ltvTask->clear();
    QTRY_VERIFY(form.FilterGraph->position() > 200);
    QCOMPARE(form.FilterGraph->playbackState(), QMediaPlayer::PlayingState);
    QCOMPARE(form.FilterGraph->source(), urlOf(m_otherClip));

    form.sbtnPlayClick(); // an empty list: Play changes nothing
    QCOMPARE(form.FilterGraph->playbackState(), QMediaPlayer::PlayingState);
    QCOMPARE(form.FilterGraph->source(), urlOf(m_otherClip));
}

void TestPreview::seekBarFollowsAndSeeks()
{
    REQUIRE_PLAYBACK();
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    addTask(form, m_clip);
    QSlider* bar = form.TrackBar;

    form.sbtnPlayClick();
    QTRY_COMPARE_WITH_TIMEOUT(bar->maximum(), 6, 5000); // the clip's duration in whole seconds
    form.sbtnPauseClick();
    QTRY_COMPARE(form.FilterGraph->playbackState(), QMediaPlayer::PausedState);

    // Held thumb: nothing seeks while dragging; letting go seeks.
    const qint64 before = form.FilterGraph->position();
    bar->setSliderDown(true);
    bar->setValue(2);
    QCOMPARE(form.FilterGraph->position(), before);
    bar->setSliderDown(false);
    QTRY_VERIFY(form.FilterGraph->position() >= 1900);

    // A step of the thumb without holding it (a key or a click on the groove) seeks at once.
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QTRY_VERIFY(form.FilterGraph->position() < 1900);
}

void TestPreview::unplayableFileGivesNoMessage()
{
    REQUIRE_PLAYBACK();
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    const QString broken = dir.write(QStringLiteral("broken.avi"), "this is not a video");
    addTask(form, broken);

    form.sbtnPlayClick();
    QTRY_VERIFY(form.FilterGraph->error() != QMediaPlayer::NoError ||
                form.FilterGraph->mediaStatus() == QMediaPlayer::InvalidMedia);
    QVERIFY(desktop.messages.isEmpty());

    // The next good file plays as usual.
    addTask(form, m_clip);
    form.ltvTask->clearSelection();
    form.ltvTask->topLevelItem(1)->setSelected(true);
    form.ltvTaskDblClick();
    QTRY_VERIFY(form.FilterGraph->position() > 0);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
