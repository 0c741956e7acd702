#include "conversion/EncoderProcess.h"

#include <QDeadlineTimer>
#include <QFileInfo>

namespace {

// Time the encoder gets to end by itself after a stop request; the adapter
// needs less than that to let ffmpeg close and remove its unfinished file.
constexpr int StopGraceMs = 3000;
// Starting is only the exec of a local file; this bounds a pathological case.
constexpr int StartLimitMs = 10000;
constexpr int ReapLimitMs = 5000;

bool IsLaunchable(const QString& encoderPath) {
    const QFileInfo info(encoderPath);
    return info.isFile() && info.isExecutable();
}

void Configure(QProcess& process, const QString& encoderPath, const EncoderCommand& command) {
    process.setProgram(encoderPath);
    process.setArguments(command.arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The encoder never reads from the program; a closed input keeps it from
    // waiting for an answer no one will give.
    process.setStandardInputFile(QProcess::nullDevice());
}

// Reads everything buffered so far, at most MaxChunk bytes per read; each
// read is one chunk, which ends at its first zero byte. Returns the number
// of bytes read, zero bytes included.
qint64 ReadChunks(QProcess& process, const std::function<void(const QByteArray&)>& deliver) {
    char buffer[EncoderProcess::MaxChunk];
    qint64 total = 0;
    for (;;) {
        const qint64 length = process.read(buffer, EncoderProcess::MaxChunk);
        if (length <= 0)
            return total;
        total += length;
        QByteArray chunk(buffer, static_cast<qsizetype>(length));
        const qsizetype zero = chunk.indexOf('\0');
        if (zero >= 0)
            chunk.truncate(zero);
        deliver(chunk);
    }
}

} // namespace

EncoderProcess::EncoderProcess(QObject* parent) : QObject(parent) {
    m_killTimer.setSingleShot(true);
    m_killTimer.setInterval(StopGraceMs);
    connect(&m_killTimer, &QTimer::timeout, this, &EncoderProcess::killIfStillRunning);
    connect(&m_process, &QProcess::readyRead, this, &EncoderProcess::readChunks);
    connect(&m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &EncoderProcess::onProcessFinished);
}

EncoderProcess::~EncoderProcess() {
    if (!m_running)
        return;
    // Nobody listens any more; end the run the same way Stop does so the
    // encoder still removes its unfinished output.
    m_process.disconnect(this);
    m_process.terminate();
    if (!m_process.waitForFinished(StopGraceMs)) {
        m_process.kill();
        m_process.waitForFinished(ReapLimitMs);
    }
}

bool EncoderProcess::start(const QString& encoderPath, const EncoderCommand& command) {
    if (m_running || !IsLaunchable(encoderPath))
        return false;
    Configure(m_process, encoderPath, command);
    m_process.start();
    if (!m_process.waitForStarted(StartLimitMs)) {
        m_process.kill();
        m_process.waitForFinished(ReapLimitMs);
        return false;
    }
    m_running = true;
    return true;
}

void EncoderProcess::stop() {
    if (!m_running || m_killTimer.isActive())
        return;
    m_process.terminate();
    m_killTimer.start();
}

void EncoderProcess::readChunks() {
    ReadChunks(m_process, [this](const QByteArray& chunk) { emit chunkRead(chunk); });
}

void EncoderProcess::onProcessFinished(int exitCode, QProcess::ExitStatus status) {
    if (!m_running)
        return;
    readChunks();
    m_killTimer.stop();
    m_running = false;
    emit finished(exitCode, status == QProcess::CrashExit);
}

void EncoderProcess::killIfStillRunning() {
    if (m_running)
        m_process.kill();
}

bool RunProbe(const QString& encoderPath, const EncoderCommand& command, int silenceLimitMs,
              const std::function<void(const QByteArray&)>& onChunk, int timeLimitMs) {
    if (!IsLaunchable(encoderPath))
        return false;
    QProcess process;
    Configure(process, encoderPath, command);
    process.start();
    if (!process.waitForStarted(StartLimitMs)) {
        process.kill();
        process.waitForFinished(ReapLimitMs);
        return false;
    }
    const QDeadlineTimer deadline(timeLimitMs);
    qint64 output = 0;
    while (output < ProbeOutputLimit && !deadline.hasExpired() &&
           process.waitForReadyRead(int(qMin<qint64>(silenceLimitMs, deadline.remainingTime()))))
        output += ReadChunks(process, onChunk);
    if (process.state() != QProcess::NotRunning)
        process.kill();
    process.waitForFinished(ReapLimitMs);
    ReadChunks(process, onChunk);
    return true;
}
