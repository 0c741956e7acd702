#pragma once

#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// Caps the size of any file this process writes, as a full disk would, and
// lifts the cap again when it goes out of scope. Root is not stopped by
// permissions, but it is stopped by this.
class FileSizeCap final
{
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = m_old;
        capped.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &capped) == 0;
    }
    ~FileSizeCap()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    Q_DISABLE_COPY_MOVE(FileSizeCap)
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

// True once a zero timer and an event posted to the window have both been
// handled: the window's event loop is turning.
inline bool WindowAnswers(QWidget* window)
{
    bool timerFired = false;
    bool eventHandled = false;
    QTimer::singleShot(0, window, [&timerFired] { timerFired = true; });
    QMetaObject::invokeMethod(
        window, [&eventHandled] { eventHandled = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&] { return timerFired && eventHandled; }, 2000);
}
