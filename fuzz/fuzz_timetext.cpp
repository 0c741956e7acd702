// Time texts: any text into seconds, any double (NaN, endless, huge
// included) into a text, and round trips for the times media really have.
// The input is read as UTF-8 text, as UTF-16 text and as a double.

#include "FuzzCheck.h"
#include "tasks/TimeText.h"

#include <cmath>
#include <cstring>

namespace {

// Times up to a thousand years read back from their text within the
// rounding to tenths.
constexpr double kSaneSeconds = 3.2e10;
// Hours are read as a 32-bit whole number, so longer times show a text
// that is refused on reading; the text stays well formed all the same.
constexpr double kReadableSeconds = 2147483647.0 * 3600;

void checkText(const QString& text)
{
    const double seconds = TimeTextToSeconds(text);
    FUZZ_CHECK(seconds == -1 || std::isfinite(seconds), "a time text gave a number that is not finite: " + text);
    if (seconds != -1 && std::fabs(seconds) <= kSaneSeconds) {
        const QString again = SecondsToTimeText(seconds);
        const double back = TimeTextToSeconds(again);
        FUZZ_CHECK(std::fabs(back - seconds) <= 0.05 + 1e-9,
                   "round trip drifts: " + text + " -> " + again + " -> " + QString::number(back, 'g', 17));
    }
}

void checkSeconds(double seconds)
{
    const QString text = SecondsToTimeText(seconds);
    FUZZ_CHECK(!text.isEmpty(), "empty time text");
    const double back = TimeTextToSeconds(text);
    FUZZ_CHECK(text.count(u':') == 2, "a time text without its three parts: " + text);
    FUZZ_CHECK(back != -1 || seconds <= -0.95 || !(std::fabs(seconds) < kReadableSeconds),
               "a time text that does not read back: " + text);
    if (std::isnan(seconds)) {
        FUZZ_CHECK(back == 0, "no number must show as zero: " + text);
    } else if (std::fabs(seconds) <= kSaneSeconds) {
        FUZZ_CHECK(std::fabs(back - seconds) <= 0.05 + 1e-9 * std::fabs(seconds),
                   QString::number(seconds, 'g', 17) + " -> " + text + " -> " + QString::number(back, 'g', 17));
        FUZZ_CHECK(SecondsToTimeText(back) == text, "the text of a read-back time differs: " + text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    checkText(QString::fromUtf8(bytes));
    checkText(FuzzUtf16(data, size));

    if (size >= sizeof(double)) {
        double seconds;
        std::memcpy(&seconds, data, sizeof seconds);
        checkSeconds(seconds);
    }
    // Times as a person types them: the text's own value when it reads.
    const double typed = TimeTextToSeconds(QString::fromUtf8(bytes));
    if (typed != -1)
        checkSeconds(typed);
    return 0;
}
