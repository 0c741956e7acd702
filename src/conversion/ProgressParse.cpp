#include "conversion/ProgressParse.h"

#include "platform/NumberText.h"

#include <QString>
#include <algorithm>
#include <cmath>

bool ParseProgressTime(const QByteArray& chunk, double* seconds)
{
    // Only the first "time" counts; the four letters and the character after
    // them are skipped. Without "time" the text from the fifth byte on is
    // looked at, which still has to hold a number and a blank to count.
    const qsizetype at = chunk.indexOf("time");
    const QByteArray rest = chunk.mid(at < 0 ? 4 : at + 5);
    const qsizetype blank = rest.indexOf(' ');
    if (blank < 0)
        return false;
    bool ok = false;
    const double value = StrToFloatDot(QString::fromLatin1(rest.left(blank)), &ok);
    if (!ok)
        return false;
    *seconds = value;
    return true;
}

int ClampPercent(double value)
{
    if (std::isnan(value))
        return 0;
    return int(RoundHalfEven(std::clamp(value, 0.0, 100.0)));
}

qint64 RemainingSeconds(qint64 elapsed, int totalPercent, qint64 previous)
{
    if (totalPercent == 0)
        return previous;
    const double seconds = double(elapsed);
    return RoundHalfEven(seconds / (totalPercent / 100.0) - seconds);
}
