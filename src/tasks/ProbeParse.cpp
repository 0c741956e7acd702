#include "tasks/ProbeParse.h"

namespace {

// The text before the first `mark`; empty when there is none.
QByteArray upTo(const QByteArray& text, char mark)
{
    const qsizetype at = text.indexOf(mark);
    return at < 0 ? QByteArray() : text.left(at);
}

// The text after the first `mark`; the text itself when there is none.
QByteArray after(const QByteArray& text, char mark)
{
    const qsizetype at = text.indexOf(mark);
    return at < 0 ? text : text.mid(at + 1);
}

} // namespace

ProbeFindings ParseProbeChunk(const QByteArray& chunk, const QString& path)
{
    const qsizetype nul = chunk.indexOf('\0');
    const QByteArray text = nul < 0 ? chunk : chunk.left(nul);
    const QByteArray pathBytes = path.toUtf8();
    const qsizetype pathLength = pathBytes.size();

    // Skip the echoed input path so that a path containing "Duration" or
    // "Video" cannot be mistaken for the encoder's own lines. Without the
    // echo, the parse starts one byte short of the path's length into the text.
    const qsizetype pathAt = pathLength == 0 ? -1 : text.indexOf(pathBytes);
    QByteArray rest = text.mid(pathAt >= 0 ? pathAt + pathLength : qMax<qsizetype>(pathLength - 1, 0));

    // "uration: 00:00:10.00, start: …" — drop up to the colon and the blank after it.
    rest = rest.mid(rest.indexOf("Duration") + 1);
    rest = rest.mid(rest.indexOf(':') + 2);

    ProbeFindings findings;
    findings.duration = QString::fromUtf8(upTo(rest, ','));
    rest = after(rest, ',');

    // "Video: codec, pixel format, 640x480, …": the size is the third field.
    const qsizetype video = rest.indexOf("Video");
    if (video >= 0)
        rest = rest.mid(video);
    rest = after(after(rest, ','), ',');
    findings.videoSize = QString::fromUtf8(upTo(rest, ','));
    return findings;
}
