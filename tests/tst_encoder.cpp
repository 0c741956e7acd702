#include "conversion/EncoderCommand.h"
#include "conversion/EncoderProcess.h"

#include "TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

const QString Adapter = QStringLiteral(FW_ADAPTER_PATH);

// Slows real ffmpeg down to a fifth of real time, so a 1 s clip converts
// for about 5 s: long enough to stop or kill it in the middle.
const QString SlowOptions = QStringLiteral(" -vf realtime=speed=0.2 -c:v mpeg4 -an");

// The program's reading of the frame size: after the first "Video" that
// follows "Duration", skip twice past a comma and take the text up to the
// next comma.
QByteArray VideoSizeField(const QByteArray& output) {
    QByteArray rest = output.mid(output.indexOf("Duration"));
    rest = rest.mid(rest.indexOf("Video"));
    for (int i = 0; i < 2; ++i)
        rest = rest.mid(rest.indexOf(',') + 1);
    return rest.left(rest.indexOf(','));
}

QStringList PartialFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.partial-*")}, QDir::Files | QDir::Hidden);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// A process that exists and has not merely been left as a zombie.
bool IsAlive(qint64 pid) {
    const QByteArray stat = ReadAll(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return false;
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(0) != "Z";
}

QList<qint64> ChildrenOf(qint64 parent) {
    QList<qint64> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QByteArray stat = ReadAll(QStringLiteral("/proc/%1/stat").arg(pid));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == parent)
            children << pid;
    }
    return children;
}

QString CommandName(qint64 pid) {
    return QString::fromUtf8(ReadAll(QStringLiteral("/proc/%1/comm").arg(pid))).trimmed();
}

// Collects everything one EncoderProcess run delivers.
struct Collector {
    QList<QByteArray> chunks;
    QByteArray output() const {
        QByteArray all;
        for (const QByteArray& chunk : chunks)
            all += chunk;
        return all;
    }
};

} // namespace

Q_DECLARE_METATYPE(EncoderCommand)

class TestEncoder final : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();

    void commandText_data();
    void commandText();
    void splitCommandLine_data();
    void splitCommandLine();

    void adapterRewritesOutput_data();
    void adapterRewritesOutput();
    void adapterHandsArgumentsToFfmpeg();
    void adapterPassesExitCode_data();
    void adapterPassesExitCode();
    void adapterWithoutFfmpeg();

    void probeClip_data();
    void probeClip();
    void probeOddPath();
    void conversionReplacesOutput();
    void failedConversion_data();
    void failedConversion();
    void outputSameAsInputLeavesInput();
    void stopRemovesUnfinishedFile();
    void killedAdapterTakesFfmpegAlong();
    void progressArrivesWhileRunning();

    void cannotStart_data();
    void cannotStart();
    void silentEncoderIsKilled();

  private:
    // A copy of the adapter in a folder of its own, beside a fake "ffmpeg"
    // script with the given body.
    QString adapterWithFakeFfmpeg(const QByteArray& scriptBody);
    QString newFolder();

    std::vector<std::unique_ptr<QTemporaryDir>> m_folders;
    QString m_avi;
    QString m_mp4;
};

void TestEncoder::initTestCase() {
    QVERIFY(QFileInfo(Adapter).isExecutable());
    const QString folder = newFolder();
    m_avi = folder + QStringLiteral("/clip.avi");
    m_mp4 = folder + QStringLiteral("/clip.mp4");
    QVERIFY(TestMedia::MakeClip(m_avi, 1, TestMedia::Kind::Mpeg4Avi));
    QVERIFY(TestMedia::MakeClip(m_mp4, 1, TestMedia::Kind::H264Mp4Bt709));
}

QString TestEncoder::newFolder() {
    m_folders.push_back(std::make_unique<QTemporaryDir>());
    return m_folders.back()->path();
}

QString TestEncoder::adapterWithFakeFfmpeg(const QByteArray& scriptBody) {
    const QString folder = newFolder();
    const QString adapter = folder + QStringLiteral("/wmaspi.dll");
    if (!QFile::copy(Adapter, adapter) ||
        !WriteFile(folder + QStringLiteral("/ffmpeg"), "#!/bin/sh\n" + scriptBody, true))
        return QString();
    return adapter;
}

void TestEncoder::commandText_data() {
    QTest::addColumn<EncoderCommand>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("arguments");

    QTest::addRow("probe") << ProbeCommand(QStringLiteral("/v/a.avi")) << QStringLiteral(" -i \"/v/a.avi\"")
                           << QStringList{"-i", "/v/a.avi"};
    const QString odd = QStringLiteral("/v/-x \"q\" $HOME; `id`\nü.avi");
    QTest::addRow("probe, path kept whole")
        << ProbeCommand(odd) << QStringLiteral(" -i \"") + odd + u'"' << QStringList{"-i", odd};
    QTest::addRow("convert")
        << ConvertCommand(QStringLiteral("/v/a.avi"),
                          QStringLiteral(" -c:v mpeg4 -b:v 800k -ss 00:00:01.5 -t 3"),
                          QStringLiteral("/out/a.mp4"))
        << QStringLiteral(" -y -i \"/v/a.avi\" -c:v mpeg4 -b:v 800k -ss 00:00:01.5 -t 3 \"/out/a.mp4\"")
        << QStringList{"-y",   "-i",  "/v/a.avi",   "-c:v", "mpeg4", "-b:v",
                       "800k", "-ss", "00:00:01.5", "-t",   "3",     "/out/a.mp4"};
    QTest::addRow("convert without options")
        << ConvertCommand(QStringLiteral("/v/a b.avi"), QString(), QStringLiteral("/o/a b.avi"))
        << QStringLiteral(" -y -i \"/v/a b.avi\" \"/o/a b.avi\"")
        << QStringList{"-y", "-i", "/v/a b.avi", "/o/a b.avi"};
    QTest::addRow("convert, paths with shell characters")
        << ConvertCommand(odd, QStringLiteral(" -an"), QStringLiteral("/o/$x;y.avi"))
        << QStringLiteral(" -y -i \"") + odd + QStringLiteral("\" -an \"/o/$x;y.avi\"")
        << QStringList{"-y", "-i", odd, "-an", "/o/$x;y.avi"};
}

void TestEncoder::commandText() {
    QFETCH(EncoderCommand, command);
    QFETCH(QString, text);
    QFETCH(QStringList, arguments);
    QCOMPARE(command.text, text);
    QCOMPARE(command.arguments, arguments);
}

void TestEncoder::splitCommandLine_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("arguments");

    QTest::addRow("empty") << QString() << QStringList();
    QTest::addRow("blanks only") << QStringLiteral(" \t  ") << QStringList();
    QTest::addRow("blanks and tabs") << QStringLiteral(" -c:v\tmpeg4  -r 25 ")
                                     << QStringList{"-c:v", "mpeg4", "-r", "25"};
    QTest::addRow("quoted group") << QStringLiteral(" -vf \"scale=320:240, fps=25\" -an")
                                  << QStringList{"-vf", "scale=320:240, fps=25", "-an"};
    QTest::addRow("doubled quote inside a group") << QStringLiteral(" -metadata \"title=say \"\"hi\"\"\"")
                                                  << QStringList{"-metadata", "title=say \"hi\""};
    QTest::addRow("quotes inside a word") << QStringLiteral(" title=\"a b\"c") << QStringList{"title=a bc"};
    QTest::addRow("empty quotes are an argument")
        << QStringLiteral(" -metadata \"\" -an") << QStringList{"-metadata", "", "-an"};
    QTest::addRow("unterminated quote runs to the end")
        << QStringLiteral(" -vf \"a b") << QStringList{"-vf", "a b"};
    QTest::addRow("shell characters are plain")
        << QStringLiteral(" $HOME;rm `id` a|b >c \\d") << QStringList{"$HOME;rm", "`id`", "a|b", ">c", "\\d"};
}

void TestEncoder::splitCommandLine() {
    QFETCH(QString, options);
    QFETCH(QStringList, arguments);
    QCOMPARE(SplitCommandLine(options), arguments);
}

void TestEncoder::adapterRewritesOutput_data() {
    QTest::addColumn<QByteArray>("printed");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("progress record") << QByteArray("frame=   50 fps=0.0 q=2.0 Lsize=     111kB "
                                                   "time=00:00:02.03 bitrate= 448.0kbits/s speed=44.5x    \r")
                                     << QByteArray("frame=   50 fps=0.0 q=2.0 Lsize=     111kB time=2.03 "
                                                   "bitrate= 448.0kbits/s speed=44.5x    \r");
    QTest::addRow("hours and minutes") << QByteArray("size=1kB time=01:02:03.50 bitrate=1\n")
                                       << QByteArray("size=1kB time=3723.50 bitrate=1\n");
    QTest::addRow("negative") << QByteArray("size=0kB time=-00:00:00.02 bitrate=N/A\r")
                              << QByteArray("size=0kB time=-0.02 bitrate=N/A\r");
    QTest::addRow("blank added at the end") << QByteArray("time=00:00:04.00\n") << QByteArray("time=4.00 \n");
    QTest::addRow("unknown time kept")
        << QByteArray("size=0kB time=N/A bitrate=N/A\r") << QByteArray("size=0kB time=N/A bitrate=N/A\r");
    QTest::addRow("records split on both line ends")
        << QByteArray("a time=00:00:01.00 b\rc time=00:00:02.00 d\r\ne\n")
        << QByteArray("a time=1.00 b\rc time=2.00 d\r\ne\n");
    QTest::addRow("H.264 video line")
        << QByteArray(
               "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, "
               "progressive), 320x240 [SAR 1:1 DAR 4:3], 138 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n")
        << QByteArray(
               "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv bt709 "
               "progressive), 320x240, [SAR 1:1 DAR 4:3], 138 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n");
    QTest::addRow("MPEG-4 video line")
        << QByteArray(
               "  Stream #0:0: Video: mpeg4 (Simple Profile) (FMP4 / 0x34504D46), yuv420p, 320x240 [SAR 1:1 "
               "DAR 4:3], 334 kb/s, 25 fps, 25 tbr, 25 tbn\n")
        << QByteArray(
               "  Stream #0:0: Video: mpeg4 (Simple Profile) (FMP4 / 0x34504D46), yuv420p, 320x240, [SAR 1:1 "
               "DAR 4:3], 334 kb/s, 25 fps, 25 tbr, 25 tbn\n");
    QTest::addRow("video line without aspect")
        << QByteArray(
               "  Stream #0:0: Video: rawvideo (I420 / 0x30323449), yuv420p(progressive), 640x480, 25 fps\n")
        << QByteArray(
               "  Stream #0:0: Video: rawvideo (I420 / 0x30323449), yuv420p(progressive), 640x480, 25 fps\n");
    QTest::addRow("video line without size")
        << QByteArray("  Stream #0:1: Video: h264, none(tv, bt709), 90k tbn\n")
        << QByteArray("  Stream #0:1: Video: h264, none(tv bt709), 90k tbn\n");
    QTest::addRow("other lines untouched")
        << QByteArray(
               "    creation_time   : 2020-01-01T00:00:00.000000Z\r\n  Stream #0:0 -> #0:0 (h264 (native) -> "
               "mpeg4 (native))\n\xff\xfe raw bytes, (a, b)\n")
        << QByteArray(
               "    creation_time   : 2020-01-01T00:00:00.000000Z\r\n  Stream #0:0 -> #0:0 (h264 (native) -> "
               "mpeg4 (native))\n\xff\xfe raw bytes, (a, b)\n");
    QTest::addRow("unterminated last record")
        << QByteArray("done time=00:00:03.00") << QByteArray("done time=3.00 ");
}

void TestEncoder::adapterRewritesOutput() {
    QFETCH(QByteArray, printed);
    QFETCH(QByteArray, expected);
    const QString adapter = adapterWithFakeFfmpeg("cat \"$(dirname \"$0\")/printed\" >&2\n");
    QVERIFY(!adapter.isEmpty());
    QVERIFY(WriteFile(QFileInfo(adapter).path() + QStringLiteral("/printed"), printed));

    QProcess process;
    process.start(adapter, {QStringLiteral("-i"), QStringLiteral("x")});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.readAllStandardOutput(), expected);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), 0);
}

void TestEncoder::adapterHandsArgumentsToFfmpeg() {
    const QString adapter = adapterWithFakeFfmpeg("for a in \"$@\"; do printf '%s\\n' \"$a\"; done\n");
    QVERIFY(!adapter.isEmpty());
    const QString out = newFolder() + QStringLiteral("/$x; \"y\".mkv");

    QProcess process;
    process.start(
        adapter,
        ConvertCommand(QStringLiteral("in put.avi"), QStringLiteral(" -c:v libx264"), out).arguments);
    QVERIFY(process.waitForFinished(10000));
    const QStringList arguments = QString::fromUtf8(process.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(arguments.mid(0, 6), (QStringList{"-nostdin", "-y", "-i", "in put.avi", "-c:v", "libx264"}));
    QCOMPARE(arguments.size(), 7);
    // ffmpeg writes beside the output, under a hidden name with the same
    // extension, so it picks the same format.
    const QFileInfo temporary(arguments.last());
    QCOMPARE(temporary.path(), QFileInfo(out).path());
    QVERIFY2(temporary.fileName().startsWith(QStringLiteral(".$x; \"y\".partial-")),
             qPrintable(arguments.last()));
    QCOMPARE(temporary.suffix(), QStringLiteral("mkv"));
    // The fake wrote nothing, so there is nothing to put in place.
    QVERIFY(!QFile::exists(out));

    process.start(adapter, ProbeCommand(QStringLiteral("-odd name.avi")).arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(QString::fromUtf8(process.readAll()), QStringLiteral("-nostdin\n-i\n-odd name.avi\n"));
}

void TestEncoder::adapterPassesExitCode_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("exitCode");

    QTest::addRow("success") << QByteArray("exit 0\n") << 0;
    QTest::addRow("failure") << QByteArray("exit 3\n") << 3;
    QTest::addRow("killed by a signal") << QByteArray("kill -9 $$\n") << 128 + 9;
}

void TestEncoder::adapterPassesExitCode() {
    QFETCH(QByteArray, script);
    QFETCH(int, exitCode);
    const QString adapter = adapterWithFakeFfmpeg(script);
    QVERIFY(!adapter.isEmpty());
    QProcess process;
    process.start(adapter, ProbeCommand(QStringLiteral("x.avi")).arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
}

void TestEncoder::adapterWithoutFfmpeg() {
    const QString adapter = newFolder() + QStringLiteral("/wmaspi.dll");
    QVERIFY(QFile::copy(Adapter, adapter));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), QString());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(adapter, ProbeCommand(m_avi).arguments);
    QVERIFY(process.waitForFinished(10000));
    const QByteArray output = process.readAll();
    QVERIFY2(output.startsWith("wmaspi: cannot run ffmpeg: "), output.constData());
    QCOMPARE(output.count('\n'), 1);
    QVERIFY(output.endsWith('\n'));
    QCOMPARE(process.exitCode(), 127);
}

void TestEncoder::probeClip_data() {
    QTest::addColumn<bool>("mp4");
    QTest::addRow("MPEG-4 AVI") << false;
    QTest::addRow("H.264 MP4 tagged bt709") << true;
}

void TestEncoder::probeClip() {
    QFETCH(bool, mp4);
    const QString clip = mp4 ? m_mp4 : m_avi;
    QList<QByteArray> chunks;
    QVERIFY(RunProbe(Adapter, ProbeCommand(clip), 10000,
                     [&chunks](const QByteArray& chunk) { chunks << chunk; }));
    QByteArray output;
    for (const QByteArray& chunk : chunks) {
        QVERIFY(chunk.size() <= EncoderProcess::MaxChunk);
        output += chunk;
    }
    QVERIFY2(output.contains(clip.toUtf8()), output.constData());
    QVERIFY2(output.contains("Duration: 00:00:0"), output.constData());
    QCOMPARE(VideoSizeField(output), QByteArray(" 320x240"));
}

void TestEncoder::probeOddPath() {
    const QString clip = newFolder() + QStringLiteral("/a b \"q\" $HOME; `id` Äöü çé.avi");
    QVERIFY(QFile::copy(m_avi, clip));
    QByteArray output;
    QVERIFY(RunProbe(Adapter, ProbeCommand(clip), 10000,
                     [&output](const QByteArray& chunk) { output += chunk; }));
    QVERIFY2(output.contains("from '" + clip.toUtf8() + "':"), output.constData());
    QVERIFY2(output.contains("Duration: 00:00:01"), output.constData());
    QCOMPARE(VideoSizeField(output), QByteArray(" 320x240"));
}

void TestEncoder::conversionReplacesOutput() {
    const QString folder = newFolder();
    const QString out = folder + QStringLiteral("/out put.avi");
    QVERIFY(WriteFile(out, "an older output"));

    EncoderProcess encoder;
    Collector collector;
    connect(&encoder, &EncoderProcess::chunkRead, this,
            [&collector](const QByteArray& c) { collector.chunks << c; });
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QVERIFY(encoder.start(Adapter, ConvertCommand(m_mp4, QStringLiteral(" -c:v mpeg4 -an"), out)));
    QVERIFY(encoder.isRunning());
    QVERIFY(finished.wait(30000));
    QVERIFY(!encoder.isRunning());

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QCOMPARE(finished.at(0).at(1).toBool(), false);
    const QByteArray output = collector.output();
    QVERIFY2(
        QRegularExpression(QStringLiteral("time=\\d+\\.\\d+ ")).match(QString::fromUtf8(output)).hasMatch(),
        output.constData());
    QVERIFY(!output.contains("time=00:"));
    for (const QByteArray& chunk : std::as_const(collector.chunks))
        QVERIFY(chunk.size() <= EncoderProcess::MaxChunk);
    QCOMPARE(TestMedia::ProbeCodec(out, QStringLiteral("video")), QStringLiteral("mpeg4"));
    QVERIFY(TestMedia::ProbeDuration(out) > 0.5);
    QCOMPARE(PartialFiles(folder), QStringList());
}

void TestEncoder::failedConversion_data() {
    QTest::addColumn<bool>("badInput");
    QTest::addColumn<QByteArray>("existingOutput");

    QTest::addRow("input is no video") << true << QByteArray();
    QTest::addRow("input is no video, earlier output kept") << true << QByteArray("an older output");
    QTest::addRow("unknown encoder, earlier output kept") << false << QByteArray("an older output");
}

void TestEncoder::failedConversion() {
    QFETCH(bool, badInput);
    QFETCH(QByteArray, existingOutput);
    const QString folder = newFolder();
    const QString out = folder + QStringLiteral("/out.avi");
    if (!existingOutput.isEmpty())
        QVERIFY(WriteFile(out, existingOutput));
    QString input = m_avi;
    if (badInput) {
        input = folder + QStringLiteral("/notes.avi");
        QVERIFY(WriteFile(input, "this is not a video\n"));
    }
    const QString options =
        badInput ? QStringLiteral(" -c:v mpeg4") : QStringLiteral(" -c:v no_such_encoder");

    EncoderProcess encoder;
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QVERIFY(encoder.start(Adapter, ConvertCommand(input, options, out)));
    QVERIFY(finished.wait(30000));
    QVERIFY(finished.at(0).at(0).toInt() != 0);
    if (existingOutput.isEmpty())
        QVERIFY(!QFile::exists(out));
    else
        QCOMPARE(ReadAll(out), existingOutput);
    QCOMPARE(PartialFiles(folder), QStringList());
}

void TestEncoder::outputSameAsInputLeavesInput() {
    const QString folder = newFolder();
    const QString clip = folder + QStringLiteral("/clip.avi");
    QVERIFY(QFile::copy(m_avi, clip));
    const QByteArray before = ReadAll(clip);

    EncoderProcess encoder;
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QVERIFY(encoder.start(Adapter, ConvertCommand(clip, QStringLiteral(" -c:v mpeg4 -an"), clip)));
    QVERIFY(finished.wait(30000));
    QVERIFY(finished.at(0).at(0).toInt() != 0);
    QCOMPARE(ReadAll(clip), before);
    QCOMPARE(PartialFiles(folder), QStringList());
}

void TestEncoder::stopRemovesUnfinishedFile() {
    const QString folder = newFolder();
    const QString out = folder + QStringLiteral("/out.avi");
    EncoderProcess encoder;
    Collector collector;
    connect(&encoder, &EncoderProcess::chunkRead, this,
            [&collector](const QByteArray& c) { collector.chunks << c; });
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QVERIFY(encoder.start(Adapter, ConvertCommand(m_avi, SlowOptions, out)));
    QTRY_VERIFY_WITH_TIMEOUT(collector.output().contains("time="), 10000);
    QCOMPARE(PartialFiles(folder).size(), 1);
    QVERIFY(!QFile::exists(out));

    encoder.stop();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    // The encoder ended on the terminate request, before any kill.
    QCOMPARE(finished.at(0).at(1).toBool(), false);
    QVERIFY(finished.at(0).at(0).toInt() != 0);
    QCOMPARE(PartialFiles(folder), QStringList());
    QVERIFY(!QFile::exists(out));
    encoder.stop();
    QCOMPARE(finished.count(), 1);
}

void TestEncoder::killedAdapterTakesFfmpegAlong() {
    const QString folder = newFolder();
    QProcess adapter;
    adapter.setProcessChannelMode(QProcess::MergedChannels);
    adapter.start(Adapter, ConvertCommand(m_avi, SlowOptions, folder + QStringLiteral("/out.avi")).arguments);
    QVERIFY(adapter.waitForStarted(5000));
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    while (!output.contains("time=") && clock.elapsed() < 10000 && adapter.waitForReadyRead(10000))
        output += adapter.readAll();
    QVERIFY2(output.contains("time="), output.constData());

    const QList<qint64> children = ChildrenOf(adapter.processId());
    QCOMPARE(children.size(), 1);
    const qint64 ffmpeg = children.first();
    QCOMPARE(CommandName(ffmpeg), QStringLiteral("ffmpeg"));

    adapter.kill();
    QVERIFY(adapter.waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(!IsAlive(ffmpeg), 5000);
}

void TestEncoder::progressArrivesWhileRunning() {
    // A progress record ends in "\r" and must reach the program while the
    // encoder is still at work, not when it ends.
    const QString adapter = adapterWithFakeFfmpeg(
        "printf 'frame=    1 size=       1kB time=00:00:01.00 bitrate= 1.0kbits/s    \\r'\n"
        "exec sleep 20\n");
    QVERIFY(!adapter.isEmpty());
    EncoderProcess encoder;
    Collector collector;
    connect(&encoder, &EncoderProcess::chunkRead, this,
            [&collector](const QByteArray& c) { collector.chunks << c; });
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QVERIFY(encoder.start(adapter, ProbeCommand(QStringLiteral("x.avi"))));
    QTRY_VERIFY_WITH_TIMEOUT(collector.output().contains("time=1.00 "), 5000);
    QVERIFY(encoder.isRunning());

    QElapsedTimer clock;
    clock.start();
    encoder.stop();
    QVERIFY(finished.wait(10000));
    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(finished.at(0).at(0).toInt(), 128 + SIGTERM);
}

void TestEncoder::cannotStart_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");

    QTest::addRow("missing") << QStringLiteral("missing") << QByteArray();
    QTest::addRow("not executable") << QStringLiteral("plain") << QByteArray("#!/bin/sh\nexit 0\n");
    QTest::addRow("a folder") << QStringLiteral("folder") << QByteArray();
    QTest::addRow("bad interpreter") << QStringLiteral("broken") << QByteArray("#!/no/such/shell\n");
}

void TestEncoder::cannotStart() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = newFolder() + u'/' + name;
    if (name == QStringLiteral("folder"))
        QVERIFY(QDir().mkdir(path));
    else if (!content.isEmpty())
        QVERIFY(WriteFile(path, content, name == QStringLiteral("broken")));

    EncoderProcess encoder;
    QSignalSpy chunks(&encoder, &EncoderProcess::chunkRead);
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QVERIFY(!encoder.start(path, ProbeCommand(m_avi)));
    QVERIFY(!encoder.isRunning());
    bool called = false;
    QVERIFY(!RunProbe(path, ProbeCommand(m_avi), 1000, [&called](const QByteArray&) { called = true; }));
    QVERIFY(!called);
    QVERIFY(!finished.wait(100));
    QCOMPARE(chunks.count(), 0);
}

void TestEncoder::silentEncoderIsKilled() {
    const QString encoder = newFolder() + QStringLiteral("/silent");
    QVERIFY(WriteFile(encoder, "#!/bin/sh\nexec sleep 37.25\n", true));
    QElapsedTimer clock;
    clock.start();
    bool called = false;
    QVERIFY(RunProbe(encoder, ProbeCommand(m_avi), 300, [&called](const QByteArray&) { called = true; }));
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(!called);
    for (const qint64 child : ChildrenOf(QCoreApplication::applicationPid()))
        QVERIFY(!IsAlive(child) || !ReadAll(QStringLiteral("/proc/%1/cmdline").arg(child)).contains("37.25"));
}

QTEST_GUILESS_MAIN(TestEncoder)
#include "tst_encoder.moc"
