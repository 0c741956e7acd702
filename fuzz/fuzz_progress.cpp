// The progress parse on any encoder output chunk, and the percentage and
// remaining-time arithmetic on any numbers: the first bytes of the input
// are also read as a double, a percent and two second counts.

#include "FuzzCheck.h"
#include "conversion/ProgressParse.h"

#include <cmath>
#include <cstring>

namespace {

template <typename T>
T numberAt(const uint8_t* data, size_t size, size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= size)
        std::memcpy(&value, data + offset, sizeof(T));
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray chunk = FuzzBytes(data, size);
    double seconds = -12345.0;
    if (ParseProgressTime(chunk, &seconds)) {
        FUZZ_CHECK(std::isfinite(seconds), "a progress time that is not finite");
        FUZZ_CHECK(chunk.contains(' '), "a progress time without the blank that ends it");
        const int percent = ClampPercent(seconds);
        FUZZ_CHECK(percent >= 0 && percent <= 100, "percentage out of range");
    } else {
        FUZZ_CHECK(seconds == -12345.0, "a failed parse changed the result");
    }

    const double anyValue = numberAt<double>(data, size, 0);
    const int clamped = ClampPercent(anyValue);
    FUZZ_CHECK(clamped >= 0 && clamped <= 100, "percentage out of range");

    const int anyPercent = numberAt<int>(data, size, 8);
    const qint64 elapsed = numberAt<qint64>(data, size, 12);
    const qint64 previous = numberAt<qint64>(data, size, 20);
    const qint64 remaining = RemainingSeconds(elapsed, anyPercent, previous);
    if (anyPercent == 0)
        FUZZ_CHECK(remaining == previous, "no progress yet must keep the previous estimate");

    // What the clock really passes: a running time and a percent of 1 to 100.
    const int percent = 1 + int(quint32(anyPercent) % 100);
    const qint64 running = qint64(quint64(elapsed) % (10ull * 365 * 24 * 3600));
    const qint64 left = RemainingSeconds(running, percent, previous);
    FUZZ_CHECK(left >= 0, "a negative remaining time");
    FUZZ_CHECK(percent != 100 || left == 0, "time left at 100 percent");
    FUZZ_CHECK(double(left) <= double(running) * 100.0 + 1, "more time left than the pace allows");
    return 0;
}
