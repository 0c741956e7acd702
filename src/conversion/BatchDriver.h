#pragma once

#include "conversion/EncoderProcess.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>

class TMainForm;

// Converts every task of the list, one encoder run after another, driven by
// the encoder's output and the clock on the window thread: Start launches
// the first run and returns, each chunk of output moves the bars, and the
// end of a run marks its task and launches the next one. The window stays
// responsive throughout and never waits inside a handler.
class BatchDriver final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchDriver)

public:
    explicit BatchDriver(TMainForm& form);

    // 0 idle, 1 running, 2 stop requested.
    int RunState() const { return m_runState; }
    // True from Start until the window is back in its idle state, which for
    // a stopped batch is only once its encoder has ended.
    bool IsBusy() const { return m_busy; }

    void Start();         // tbtnStartClick
    void Stop();          // tbtnStopClick
    void Tick();          // timerTimeTimer
    void WindowClosing(); // the main window closes, maybe during a batch

    // Shows `elapsedSeconds` since the batch began and the estimate of the
    // time left at the pace the total bar shows now.
    void ShowClock(qint64 elapsedSeconds);

private:
    void SetBusyState(bool busy);
    bool BuildOptions(QString* options);
    void SetUpBatch();
    void RunTask();
    void ReadChunk(const QByteArray& chunk);
    void UpdateProgress(const QByteArray& chunk);
    void EncoderFinished(int exitCode, bool crashed);
    void TaskStopped();
    void LaunchFailed();
    void EndOfBatch();
    void ShowSettingsPanel();
    void SetStatus(int row, const QString& status);

    TMainForm& m_form;
    EncoderProcess m_encoder;
    QElapsedTimer m_clock;
    int m_runState = 0;
    bool m_busy = false;
    // Set when the window closes during a batch: whatever the encoder still
    // reports after that belongs to no batch.
    bool m_closing = false;

    QString m_options;
    // Every input of the batch, as QDir::cleanPath gives it: no output may
    // be written over one of them.
    QSet<QString> m_inputs;
    int m_taskCount = 0;
    int m_taskIndex = 0;
    int m_failedCount = 0;
    double m_batchTotal = 0;
    double m_batchDone = 0;
    double m_taskPosition = 0;
    double m_clipLength = 0;
    int m_chunkCount = 0;
    qint64 m_remainingSeconds = 0;
};
