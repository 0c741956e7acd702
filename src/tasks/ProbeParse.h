#pragma once

#include <QByteArray>
#include <QString>

// What one chunk of the encoder's probe output says about a file.
struct ProbeFindings {
    QString duration;  // as printed, e.g. "00:03:25.96"
    QString videoSize; // the frame-size field with its leading blank, e.g. " 640x480"
};

// Parses one output chunk of a probe of `path`: the text after the echoed
// path, then the field after "Duration:" up to its comma, then the third
// comma-separated field of the "Video" stream line. Missing markers give
// empty or partial texts rather than an error. The chunk is taken up to its
// first zero byte.
ProbeFindings ParseProbeChunk(const QByteArray& chunk, const QString& path);
