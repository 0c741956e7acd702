#pragma once

#include <QObject>

class TMainForm;

// Plays a task's input file in the preview pane.
class PreviewPlayer final : public QObject
{
    Q_OBJECT

public:
    explicit PreviewPlayer(TMainForm& form);

    void PreviewSelectedTask();
    void Play();        // sbtnPlayClick
    void PauseResume(); // sbtnPauseClick
    void Stop();        // sbtnStopClick
    void TrackBarTimer();

private:
    TMainForm& m_form;
};
