#include "tasks/TimeText.h"

#include "platform/NumberText.h"

#include <cmath>
#include <cstdlib>

namespace {

// The largest magnitude formatted faithfully; beyond it the count of
// tenths would no longer fit a 64-bit integer. Ten thousand years of
// seconds is far past any real media time.
constexpr double kLargestSeconds = 9.0e17;

// At least two digits, the minus sign (if any) before them: -01, 07, 123.
QString twoDigits(qint64 value, bool negative)
{
    const QString digits = QString::number(std::llabs(value)).rightJustified(2, u'0');
    return negative ? u'-' + digits : digits;
}

} // namespace

double TimeTextToSeconds(const QString& text)
{
    const qsizetype firstColon = text.indexOf(u':');
    if (firstColon < 0)
        return -1;
    const QStringView hoursPart = QStringView(text).left(firstColon);
    const QStringView rest = QStringView(text).mid(firstColon + 1);
    const qsizetype secondColon = rest.indexOf(u':');
    if (secondColon < 0)
        return -1;
    const QStringView minutesPart = rest.left(secondColon);
    const QStringView secondsPart = rest.mid(secondColon + 1);

    bool ok = false;
    const int hours = StrToInt32(hoursPart, &ok);
    if (!ok)
        return -1;
    const int minutes = StrToInt32(minutesPart, &ok);
    if (!ok)
        return -1;
    if (secondsPart.startsWith(u'.'))
        return -1;
    const double seconds = StrToFloatDot(secondsPart, &ok);
    if (!ok)
        return -1;
    // Exact in 64 bits: a 32-bit sum would wrap for hour counts in the
    // hundreds of thousands and turn a long time into a negative one.
    const qint64 wholePart = qint64(hours) * 3600 + qint64(minutes) * 60;
    return double(wholePart) + seconds;
}

QString SecondsToTimeText(double seconds)
{
    // A time that is no number at all shows as zero; an endless or absurdly
    // large one is held at the largest time the text can carry.
    double x = std::isnan(seconds) ? 0.0 : seconds;
    if (x > kLargestSeconds)
        x = kLargestSeconds;
    else if (x < -kLargestSeconds)
        x = -kLargestSeconds;

    const double whole = std::trunc(x);
    const double fraction = x - whole; // exact in floating point, no rounding here
    const qint64 tenths = qint64(whole) * 10 + RoundHalfEven(fraction * 10);

    const qint64 h = tenths / 36000;
    const qint64 m = (tenths - 36000 * h) / 600;
    const qint64 s = (tenths - 36000 * h - 600 * m) / 10;
    const qint64 t = tenths - 36000 * h - 600 * m - 10 * s;

    // The seconds and their tenths are one signed decimal: -0.5 s shows as
    // 00:00:-00.5, which reads back as the same time.
    QString text = twoDigits(h, h < 0) + u':' + twoDigits(m, m < 0) + u':' + twoDigits(s, s < 0 || t < 0);
    if (t != 0)
        text += u'.' + QString::number(std::llabs(t));
    return text;
}
