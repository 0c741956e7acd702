#pragma once

#include "conversion/EncoderCommand.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QTimer>

#include <functional>

// One run of the encoder at a time, read as the encoder contract says:
// standard output and error merged into one stream, read in chunks of at
// most MaxChunk bytes, each chunk looked at by itself. The batch driver
// uses it without ever blocking the window.
class EncoderProcess final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncoderProcess)

  public:
    static constexpr int MaxChunk = 4095;

    explicit EncoderProcess(QObject* parent = nullptr);
    ~EncoderProcess() override;

    // Launches the encoder with the command's argument list and returns at
    // once. False, and no signal follows, when the encoder cannot be started
    // (missing, not executable) or a run is still going on.
    bool start(const QString& encoderPath, const EncoderCommand& command);
    // Asks the encoder to end (so it can remove a half-written output) and
    // kills it when it has not ended 3 s later. Nothing happens when no run
    // is going on.
    void stop();
    bool isRunning() const { return m_running; }

  signals:
    // Each read of at most MaxChunk bytes, cut at its first zero byte.
    void chunkRead(const QByteArray& chunk);
    // Once per started run, after its last chunk. `crashed` is true when the
    // encoder did not end on its own (it was killed or died by a signal).
    void finished(int exitCode, bool crashed);

  private:
    void readChunks();
    void onProcessFinished(int exitCode, QProcess::ExitStatus status);
    void killIfStillRunning();

    QProcess m_process;
    QTimer m_killTimer;
    bool m_running = false;
};

// A probe's report is a few kilobytes and takes well under a second for a
// local file; an encoder that goes on far longer is taken to hang.
constexpr int ProbeTimeLimitMs = 60000;
constexpr qint64 ProbeOutputLimit = 1024 * 1024;

// Runs a probe synchronously: calls onChunk for every chunk of the encoder's
// output and returns when the encoder has ended. An encoder that stays
// silent longer than silenceLimitMs, runs longer than timeLimitMs or prints
// more than ProbeOutputLimit bytes is killed, so a probe can never hang the
// program, not even one whose encoder never stops talking. False when the
// encoder could not be started.
bool RunProbe(const QString& encoderPath, const EncoderCommand& command, int silenceLimitMs,
              const std::function<void(const QByteArray&)>& onChunk, int timeLimitMs = ProbeTimeLimitMs);
