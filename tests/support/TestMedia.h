#pragma once

#include <QString>

// Short real clips made at test time with ffmpeg's synthetic sources, so no
// media file is ever checked in.
namespace TestMedia {

enum class Kind {
    Mpeg4Avi, // MPEG-4 Part 2 video + MP3 audio in AVI, 320x240
    H264Mp4Bt709, // H.264 tagged bt709 + AAC in MP4, 320x240
};

// Writes a clip of `seconds` to `path`; returns false (with a warning) when
// ffmpeg is missing or fails.
bool MakeClip(const QString& path, double seconds, Kind kind = Kind::Mpeg4Avi);

// Duration of a media file in seconds as ffprobe reads it, -1 on failure.
double ProbeDuration(const QString& path);

// The codec name of the first stream of the given type ("video" or
// "audio") as ffprobe reads it; empty when there is none.
QString ProbeCodec(const QString& path, const QString& streamType);

} // namespace TestMedia
