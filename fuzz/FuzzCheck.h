#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: print what was expected and
// abort, so that libFuzzer saves the input as a crash and the run stops.
#define FUZZ_CHECK(condition, what)                                                                                    \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "FUZZ_CHECK failed at %s:%d: %s\n  %s\n", __FILE__, __LINE__, #condition,          \
                         QString(what).toUtf8().constData());                                                          \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// The input bytes as a byte array without copying.
inline QByteArray FuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input bytes read as UTF-16 code units (any pairing of surrogates
// included), for texts that reach the code as QString from widgets.
inline QString FuzzUtf16(const uint8_t* data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}
