#include "preview/PreviewPlayer.h"

#include "app/TMainForm.h"
#include "tasks/TimeText.h"

#include <QAudioOutput>
#include <QDir>
#include <QLabel>
#include <QMediaPlayer>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

PreviewPlayer::PreviewPlayer(TMainForm& form) : QObject(&form), m_form(form)
{
    m_positionTimer = new QTimer(this);
    m_positionTimer->setObjectName(QStringLiteral("TrackBarPositionTimer"));
    m_positionTimer->setInterval(1000);
    connect(m_positionTimer, &QTimer::timeout, this, &PreviewPlayer::reportPosition);
    connect(m_form.FilterGraph, &QMediaPlayer::playbackStateChanged, this, &PreviewPlayer::playbackStateChanged);

    // Dragging seeks once, when the thumb is let go; a click on the groove or
    // a key moves the value without holding the thumb and seeks at once. The
    // position report changes the value with signals blocked, so it never seeks.
    connect(m_form.TrackBar, &QSlider::sliderReleased, this, &PreviewPlayer::seekToTrackBar);
    connect(m_form.TrackBar, &QSlider::valueChanged, this, [this] {
        if (!m_form.TrackBar->isSliderDown())
            seekToTrackBar();
    });
}

void PreviewPlayer::PreviewSelectedTask()
{
    const QTreeWidget* list = m_form.ltvTask;
    const QTreeWidgetItem* selected = nullptr;
    for (int row = 0; row < list->topLevelItemCount() && !selected; ++row) {
        if (list->topLevelItem(row)->isSelected())
            selected = list->topLevelItem(row);
    }
    if (!selected)
        return;

    ensureAudioOutput();
    QMediaPlayer* graph = m_form.FilterGraph;
    // Dropping the previous source first makes the same file start again
    // from its beginning, also when it is the one already loaded.
    graph->stop();
    graph->setSource(QUrl());
    graph->setSource(QUrl::fromLocalFile(QDir::fromNativeSeparators(selected->text(0))));
    graph->play();
}

void PreviewPlayer::Play()
{
    QTreeWidget* list = m_form.ltvTask;
    if (list->topLevelItemCount() == 0)
        return;
    if (list->selectedItems().isEmpty())
        list->topLevelItem(0)->setSelected(true);
    PreviewSelectedTask();
}

void PreviewPlayer::PauseResume()
{
    QMediaPlayer* graph = m_form.FilterGraph;
    if (graph->playbackState() == QMediaPlayer::PlayingState)
        graph->pause();
    else if (graph->playbackState() == QMediaPlayer::PausedState)
        graph->play();
}

void PreviewPlayer::Stop()
{
    m_form.FilterGraph->stop();
}

void PreviewPlayer::TrackBarTimer()
{
    m_form.labPreviewTime->setText(SecondsToTimeText(m_form.TrackBar->value()));
}

void PreviewPlayer::ensureAudioOutput()
{
    // The sound device is opened only when something is previewed, so a
    // session that never previews never touches it.
    if (m_form.AudioOutput)
        return;
    m_form.AudioOutput = new QAudioOutput(&m_form);
    m_form.AudioOutput->setObjectName(QStringLiteral("AudioOutput"));
    m_form.FilterGraph->setAudioOutput(m_form.AudioOutput);
}

void PreviewPlayer::playbackStateChanged()
{
    if (m_form.FilterGraph->playbackState() == QMediaPlayer::PlayingState)
        m_positionTimer->start();
    else
        m_positionTimer->stop();
}

void PreviewPlayer::reportPosition()
{
    QSlider* bar = m_form.TrackBar;
    if (bar->isSliderDown())
        return;
    {
        const QSignalBlocker blocker(bar);
        bar->setRange(0, int(m_form.FilterGraph->duration() / 1000));
        bar->setValue(int(m_form.FilterGraph->position() / 1000));
    }
    m_form.TrackBarTimer();
}

void PreviewPlayer::seekToTrackBar()
{
    m_form.FilterGraph->setPosition(qint64(m_form.TrackBar->value()) * 1000);
}
