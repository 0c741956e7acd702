// The probe parse on any encoder output. The input's first line is the
// probed file's path (UTF-8), the rest is the output chunk.

#include "FuzzCheck.h"
#include "tasks/ProbeParse.h"

namespace {

bool isAscii(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = FuzzBytes(data, size);
    const qsizetype newline = input.indexOf('\n');
    const QString path = newline < 0 ? QString() : QString::fromUtf8(input.left(newline));
    const QByteArray chunk = newline < 0 ? input : input.mid(newline + 1);

    const ProbeFindings findings = ParseProbeChunk(chunk, path);
    FUZZ_CHECK(!findings.duration.contains(u','), "the duration runs past its comma: " + findings.duration);
    FUZZ_CHECK(!findings.videoSize.contains(u','), "the frame size runs past its comma: " + findings.videoSize);

    // The chunk ends at its first zero byte: what follows cannot matter.
    const qsizetype nul = chunk.indexOf('\0');
    if (nul >= 0) {
        const ProbeFindings cut = ParseProbeChunk(chunk.left(nul), path);
        FUZZ_CHECK(cut.duration == findings.duration && cut.videoSize == findings.videoSize,
                   "bytes after the zero byte changed the findings");
    }

    // Both findings are pieces of the encoder's own text.
    const QByteArray text = nul < 0 ? chunk : chunk.left(nul);
    if (isAscii(text)) {
        FUZZ_CHECK(text.contains(findings.duration.toLatin1()), "the duration is not in the output");
        FUZZ_CHECK(text.contains(findings.videoSize.toLatin1()), "the frame size is not in the output");
    }
    return 0;
}
