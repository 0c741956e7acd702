#pragma once

#include <QObject>

class TMainForm;

// Converts every task of the list, one encoder run after another, driven by
// the encoder's output and the clock on the window thread.
class BatchDriver final : public QObject
{
    Q_OBJECT

public:
    explicit BatchDriver(TMainForm& form);

    // 0 idle, 1 running, 2 stop requested.
    int RunState() const { return m_runState; }

    void Start();         // tbtnStartClick
    void Stop();          // tbtnStopClick
    void Tick();          // timerTimeTimer
    void WindowClosing(); // the main window closes, maybe during a batch

private:
    TMainForm& m_form;
    int m_runState = 0;
};
