#pragma once

#include <QByteArray>
#include <QtGlobal>

// The progress value of one encoder output chunk: the number after the
// first "time" and the one character after it (normally "="), up to the
// next blank, read as a decimal with "." whatever the locale. False when the
// chunk holds no such number, including when no blank follows it yet.
bool ParseProgressTime(const QByteArray& chunk, double* seconds);

// A percentage for the progress bars: rounded (ties to even) and held
// within 0 to 100.
int ClampPercent(double value);

// The clock's estimate of the seconds left after `elapsed` seconds with the
// whole batch at `totalPercent`: the time the rest takes at the pace so
// far. Without any progress there is no pace, so `previous` is kept.
qint64 RemainingSeconds(qint64 elapsed, int totalPercent, qint64 previous);
