#include "TestMedia.h"

#include <QProcess>
#include <QtDebug>

namespace TestMedia {

namespace {

QString runTool(const QString& program, const QStringList& arguments, bool* ok)
{
    QProcess process;
    process.start(program, arguments);
    *ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    if (!*ok)
        qWarning().noquote() << program << arguments.join(u' ') << "failed:" << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

bool MakeClip(const QString& path, double seconds, Kind kind)
{
    const QString length = QString::number(seconds, 'f', 2);
    QStringList arguments{QStringLiteral("-nostdin"), QStringLiteral("-y"), QStringLiteral("-loglevel"),
                          QStringLiteral("error"),
                          QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("testsrc=size=320x240:rate=25:duration=") + length,
                          QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("sine=frequency=440:sample_rate=44100:duration=") + length};
    switch (kind) {
    case Kind::Mpeg4Avi:
        arguments << QStringList{QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"),
                                 QStringLiteral("5"), QStringLiteral("-c:a"), QStringLiteral("libmp3lame")};
        break;
    case Kind::H264Mp4Bt709:
        arguments << QStringList{QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                                 QStringLiteral("ultrafast"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                                 QStringLiteral("-color_primaries"), QStringLiteral("bt709"),
                                 QStringLiteral("-color_trc"), QStringLiteral("bt709"),
                                 QStringLiteral("-colorspace"), QStringLiteral("bt709"),
                                 QStringLiteral("-c:a"), QStringLiteral("aac")};
        break;
    }
    arguments << QStringLiteral("-shortest") << path;
    bool ok = false;
    runTool(QStringLiteral("ffmpeg"), arguments, &ok);
    return ok;
}

double ProbeDuration(const QString& path)
{
    bool ok = false;
    const QString text = runTool(QStringLiteral("ffprobe"),
                                 {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                  QStringLiteral("format=duration"), QStringLiteral("-of"),
                                  QStringLiteral("default=noprint_wrappers=1:nokey=1"), path},
                                 &ok);
    bool converted = false;
    const double value = text.toDouble(&converted);
    return ok && converted ? value : -1;
}

QString ProbeCodec(const QString& path, const QString& streamType)
{
    bool ok = false;
    const QString selector = streamType == QStringLiteral("audio") ? QStringLiteral("a:0") : QStringLiteral("v:0");
    const QString text = runTool(QStringLiteral("ffprobe"),
                                 {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                                  selector, QStringLiteral("-show_entries"), QStringLiteral("stream=codec_name"),
                                  QStringLiteral("-of"), QStringLiteral("default=noprint_wrappers=1:nokey=1"), path},
                                 &ok);
    return ok ? text.section(u'\n', 0, 0) : QString();
}

} // namespace TestMedia
