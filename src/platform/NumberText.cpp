#include "platform/NumberText.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

int StrToInt32(QStringView text, bool* ok)
{
    *ok = false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return 0;
    // Hexadecimal texts may run up to the full 32-bit pattern (as $FFFFFFFF
    // reads as -1); decimal ones must fit the signed range.
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0 || d >= base)
            return 0;
        magnitude = magnitude * base + quint64(d);
        if (magnitude > 0xFFFFFFFFull)
            return 0;
    }
    qint64 value;
    if (base == 16) {
        // The digits are a 32-bit pattern and the sign negates that pattern,
        // so every hexadecimal value that fits 32 bits is accepted:
        // -$80000000 is the smallest integer and -$FFFFFFFF is 1.
        const quint32 pattern = quint32(magnitude);
        value = qint32(negative ? quint32(0) - pattern : pattern);
    } else {
        value = negative ? -qint64(magnitude) : qint64(magnitude);
        if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
            return 0;
    }
    *ok = true;
    return int(value);
}

double StrToFloatDot(QStringView text, bool* ok)
{
    *ok = false;
    qsizetype i = 0, n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    while (n > i && text[n - 1] == u' ')
        --n;
    const QStringView body = text.mid(i, n - i);
    if (body.isEmpty())
        return 0;
    // Validate the shape by hand so that no locale, "inf", "nan" or
    // hexadecimal float form slips through strtod.
    qsizetype p = 0;
    if (p < body.size() && (body[p] == u'+' || body[p] == u'-'))
        ++p;
    qsizetype digits = 0;
    while (p < body.size() && body[p].unicode() >= '0' && body[p].unicode() <= '9') {
        ++p;
        ++digits;
    }
    if (p < body.size() && body[p] == u'.') {
        ++p;
        while (p < body.size() && body[p].unicode() >= '0' && body[p].unicode() <= '9') {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (p < body.size() && (body[p] == u'e' || body[p] == u'E')) {
        ++p;
        if (p < body.size() && (body[p] == u'+' || body[p] == u'-'))
            ++p;
        qsizetype expDigits = 0;
        while (p < body.size() && body[p].unicode() >= '0' && body[p].unicode() <= '9') {
            ++p;
            ++expDigits;
        }
        if (expDigits == 0)
            return 0;
    }
    if (p != body.size())
        return 0;
    // The shape is already known to be a number, so a failed conversion can
    // only be a value out of range: one too small to hold is zero, one too
    // large to hold is refused.
    bool converted = false;
    const double value = QLocale::c().toDouble(body, &converted);
    if (!std::isfinite(value) || (!converted && value != 0))
        return 0;
    *ok = true;
    return value;
}

QString IntToStr(qint64 value)
{
    return QString::number(value);
}

qint64 RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double clamped = std::clamp(value, -9.0e18, 9.0e18);
    return qint64(std::nearbyint(clamped)); // default rounding mode: to nearest, ties to even
}
