#pragma once

#include <QObject>

class QTimer;
class TMainForm;

// Plays a task's input file in the preview pane. What is loaded and whether
// it plays is the media player's own state; this class only chooses the
// file, drives the seek bar once a second while playing, and turns the
// buttons into player commands.
class PreviewPlayer final : public QObject
{
    Q_OBJECT

public:
    explicit PreviewPlayer(TMainForm& form);

    // Loads the first selected task (in list order) and plays it from the
    // start. The caller makes sure that a row is selected.
    void PreviewSelectedTask();
    void Play();        // sbtnPlayClick
    void PauseResume(); // sbtnPauseClick
    void Stop();        // sbtnStopClick
    // Shows the seek bar's position (whole seconds) in labPreviewTime.
    void TrackBarTimer();

    // The seek bar's once-a-second position report; it runs only while playing.
    const QTimer* positionTimer() const { return m_positionTimer; }

private:
    void ensureAudioOutput();
    void playbackStateChanged();
    void reportPosition();
    void seekToTrackBar();

    TMainForm& m_form;
    QTimer* m_positionTimer = nullptr;
};
