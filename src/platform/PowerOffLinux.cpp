#include "platform/SystemDesktop.h"

#ifndef Q_OS_WIN

#include <QProcess>

// logind powers the machine off for the logged-in user without a password;
// systemctl is its ordinary client. The request returns at once and its
// result is not looked at: a refused power-off still closes the program.
void RequestPowerOff()
{
    QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
}

#endif
