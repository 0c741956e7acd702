#include "profiles/ParameterNumbers.h"

#include "storage/TNewInifile.h"

#include <QByteArray>

#include <algorithm>

namespace {

// Decimal digits of the largest whole number a parameter can have.
constexpr qsizetype MaxDigits = 10;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The numbers below `count` whose entry, the number's decimal text
// followed by "=", occurs somewhere in the section text. Such an entry
// needs the digits just before an "=": every tail of those digits that is
// written the way numbers are written (no leading zero) names a number.
QList<int> NamedNumbers(const QByteArray& section, int count)
{
    QList<int> named;
    for (qsizetype equals = section.indexOf('='); equals >= 0; equals = section.indexOf('=', equals + 1)) {
        qsizetype first = equals;
        while (first > 0 && equals - first < MaxDigits && IsDigit(section.at(first - 1)))
            --first;
        for (qsizetype start = first; start < equals; ++start) {
            if (section.at(start) == '0' && equals - start > 1)
                continue;
            const qint64 number = section.mid(start, equals - start).toLongLong();
            if (number < count)
                named.append(int(number));
        }
    }
    std::sort(named.begin(), named.end());
    named.erase(std::unique(named.begin(), named.end()), named.end());
    return named;
}

} // namespace

QList<int> ParameterNumbers(const TNewInifile& ini, int count)
{
    QList<int> numbers;
    int next = 0;
    for (const int named : NamedNumbers(ini.ReadSectionText(QStringLiteral("Main")), count)) {
        if (named > next)
            numbers.append(next);
        numbers.append(named);
        next = named + 1;
    }
    if (next < count)
        numbers.append(next);
    return numbers;
}
