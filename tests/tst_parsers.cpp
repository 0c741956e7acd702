#include "conversion/ProgressParse.h"
#include "tasks/MediaNames.h"
#include "tasks/ProbeParse.h"

#include <QFile>
#include <QtTest>
#include <limits>

class TestParsers : public QObject
{
    Q_OBJECT

private slots:
    void probeChunk_data();
    void probeChunk();
    void probeRealOutput();
    void progressTime_data();
    void progressTime();
    void clampPercent_data();
    void clampPercent();
    void remainingSeconds_data();
    void remainingSeconds();
    void baseName_data();
    void baseName();
    void inputExtension_data();
    void inputExtension();
    void outputExtension_data();
    void outputExtension();
    void inputTypes();
    void filterText();
    void qtNameFilter_data();
    void qtNameFilter();
};

void TestParsers::probeChunk_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("videoSize");

    const QByteArray usual = "Input #0, avi, from '/v/clip.avi':\n"
                             "  Duration: 00:00:10.00, start: 0.000000, bitrate: 100 kb/s\n"
                             "  Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps\n";
    QTest::addRow("usual output") << usual << "/v/clip.avi" << "00:00:10.00" << " 640x480";
    QTest::addRow("no comma at all") << QByteArray("from '/v/a.avi':\n  Duration: 00:00:10.00 N/A\n") << "/v/a.avi"
                                     << "" << "";
    // Without "Duration" the first colon after the path leads; without
    // "Video" the fields count on from after the duration's comma.
    QTest::addRow("no Duration") << QByteArray("from '/v/a.avi':\n  Stream: mpeg4, yuv420p, 320x240, 25 fps, x")
                                 << "/v/a.avi" << "  Stream: mpeg4" << " 25 fps";
    QTest::addRow("no Video")
        << QByteArray("'/v/a.mp4':\n  Duration: 00:00:05.00, start: 0, bitrate: 1\n  Stream: Audio: mp3, 44100 Hz, "
                      "stereo, fltp")
        << "/v/a.mp4" << "00:00:05.00" << " 44100 Hz";
    QTest::addRow("no colon drops one character") << QByteArray("/v/a.avi Duration 1, Video a, b, 3x3, c")
                                                  << "/v/a.avi" << "ration 1" << " 3x3";
    QTest::addRow("size is the last field") << QByteArray("/a Duration: 1, Video: a, b, 3x3") << "/a" << "1" << "";
    // The echoed path is skipped so that its own words are not taken for the
    // encoder's markers.
    QTest::addRow("path holds the markers")
        << QByteArray("from '/v/Duration: 9, Video: x, y, 1x1, z.avi':\n  Duration: 00:00:03.00, start: 0\n"
                      "  Stream #0:0: Video: mpeg4, yuv420p, 320x240, 25 fps")
        << "/v/Duration: 9, Video: x, y, 1x1, z.avi" << "00:00:03.00" << " 320x240";
    QTest::addRow("path found case-sensitively")
        << QByteArray("'/v/A.avi' Duration: 1, x '/v/a.avi' Duration: 2, Video: p, q, 5x5, r") << "/v/a.avi"
        << "2" << " 5x5";
    // Absent path: the parse starts at the byte before the path's length.
    QTest::addRow("path absent, short")
        << QByteArray("Duration: 00:00:07.50, x\nVideo: a, b, 2x2, c") << "abcd" << "00:00:07.50" << " 2x2";
    QTest::addRow("path absent, long")
        << QByteArray("  Duration: 00:00:07.50, start: 0.000000, bitrate: 5\n"
                      "  Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps")
        << "/a/very/long/path/name.avi" << "0.000000" << " 320x240";
    QTest::addRow("path longer than the chunk") << QByteArray("Duration: 1, Video: a, b, 2x2, c")
                                                << QString(100, u'p') << "" << "";
    QTest::addRow("empty path") << QByteArray("Duration: 00:00:01.00, Video: a, b, 8x8, c") << "" << "00:00:01.00"
                                << " 8x8";
    QTest::addRow("text ends at the first zero byte")
        << QByteArray("from '/v/a.avi'\0  Duration: 00:00:01.00, Video: a, b, 8x8, c", 60) << "/v/a.avi" << ""
        << "";
    QTest::addRow("non-ASCII path found as UTF-8")
        << QString("from '/v/Café, Duration: 5, Video: p, q, 1x1, r.avi':\n  Duration: 00:00:02.00, start: 0\n"
                   "  Video: a, b, 4x4, c")
               .toUtf8()
        << "/v/Café, Duration: 5, Video: p, q, 1x1, r.avi" << "00:00:02.00" << " 4x4";
    QTest::addRow("empty chunk") << QByteArray() << "/v/a.avi" << "" << "";
    // Commas inside the pixel format shift the fields of the raw line.
    QTest::addRow("raw bt709 line")
        << QByteArray("'/v/c.mp4':\n  Duration: 00:00:02.00, start: 0.000000, bitrate: 48 kb/s\n"
                      "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, "
                      "progressive), 320x240 [SAR 1:1 DAR 4:3], 45 kb/s")
        << "/v/c.mp4" << "00:00:02.00" << " bt709";
}

void TestParsers::probeChunk()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QString, path);
    QFETCH(QString, duration);
    QFETCH(QString, videoSize);

    const ProbeFindings findings = ParseProbeChunk(chunk, path);
    QCOMPARE(findings.duration, duration);
    QCOMPARE(findings.videoSize, videoSize);
}

// The whole output of a probe by ffmpeg 5.1, banner and configuration
// included (colons and commas before the path must not matter).
void TestParsers::probeRealOutput()
{
    QFile file(QStringLiteral(FW_FIXTURES_DIR "/probe_ffmpeg51.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray output = file.readAll();
    QVERIFY(output.size() < 4095);

    const ProbeFindings findings = ParseProbeChunk(output, QStringLiteral("/media/in/clip.avi"));
    QCOMPARE(findings.duration, QStringLiteral("00:00:02.04"));
    QCOMPARE(findings.videoSize, QStringLiteral(" 320x240 [SAR 1:1 DAR 4:3]"));
}

void TestParsers::progressTime_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("seconds");

    QTest::addRow("progress line") << QByteArray("frame=   50 fps=0.0 q=2.0 size=   10kB time=12.48 bitrate=6.6kbits/s")
                                   << true << 12.48;
    QTest::addRow("whole number") << QByteArray("time=3 ") << true << 3.0;
    QTest::addRow("any character after time") << QByteArray("time:7.25 x") << true << 7.25;
    QTest::addRow("only the first time counts") << QByteArray("time=abc time=2.0 ") << false << 0.0;
    QTest::addRow("first time wins over a later one") << QByteArray("time=1.5 time=9.0 ") << true << 1.5;
    QTest::addRow("no blank after the number") << QByteArray("size=1kB time=12.5") << false << 0.0;
    QTest::addRow("time at the very end") << QByteArray("elapsed time") << false << 0.0;
    QTest::addRow("blank right after the equals sign") << QByteArray("time= 3.0 ") << false << 0.0;
    QTest::addRow("comma decimal") << QByteArray("time=1,5 ") << false << 0.0;
    QTest::addRow("clock form") << QByteArray("time=00:00:01.50 bitrate") << false << 0.0;
    QTest::addRow("smaller values are still read") << QByteArray("time=0.04 ") << true << 0.04;
    QTest::addRow("negative") << QByteArray("time=-0.02 ") << true << -0.02;
    // Without "time" the text from the fifth byte on is read.
    QTest::addRow("no time, number from the fifth byte") << QByteArray("abcd3.5 x") << true << 3.5;
    QTest::addRow("no time, nothing there") << QByteArray("frame=1 fps=0") << false << 0.0;
    QTest::addRow("empty") << QByteArray() << false << 0.0;
}

void TestParsers::progressTime()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, found);
    QFETCH(double, seconds);

    double value = -99;
    QCOMPARE(ParseProgressTime(chunk, &value), found);
    QCOMPARE(value, found ? seconds : -99.0);
}

void TestParsers::clampPercent_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("percent");

    QTest::addRow("tie down to even") << 12.5 << 12;
    QTest::addRow("tie up to even") << 13.5 << 14;
    QTest::addRow("below half") << 49.4 << 49;
    QTest::addRow("above 100") << 150.0 << 100;
    QTest::addRow("just above 100") << 100.4 << 100;
    QTest::addRow("negative") << -3.0 << 0;
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::addRow("endless") << std::numeric_limits<double>::infinity() << 100;
    QTest::addRow("endless negative") << -std::numeric_limits<double>::infinity() << 0;
}

void TestParsers::clampPercent()
{
    QFETCH(double, value);
    QFETCH(int, percent);
    QCOMPARE(ClampPercent(value), percent);
}

void TestParsers::remainingSeconds_data()
{
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<int>("percent");
    QTest::addColumn<qint64>("previous");
    QTest::addColumn<qint64>("remaining");

    QTest::addRow("a quarter after 30 s") << qint64(30) << 25 << qint64(0) << qint64(90);
    QTest::addRow("done") << qint64(30) << 100 << qint64(5) << qint64(0);
    QTest::addRow("no progress keeps the estimate") << qint64(30) << 0 << qint64(17) << qint64(17);
    QTest::addRow("tie to even") << qint64(10) << 80 << qint64(0) << qint64(2);
    QTest::addRow("rounds to nearest") << qint64(10) << 3 << qint64(0) << qint64(323);
}

void TestParsers::remainingSeconds()
{
    QFETCH(qint64, elapsed);
    QFETCH(int, percent);
    QFETCH(qint64, previous);
    QFETCH(qint64, remaining);
    QCOMPARE(RemainingSeconds(elapsed, percent, previous), remaining);
}

void TestParsers::baseName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");

    QTest::addRow("several dots") << "clip.part1.avi" << "clip.part1";
    QTest::addRow("no dot") << "movie" << "movie";
    QTest::addRow("only an extension") << ".avi" << "";
    QTest::addRow("profile in capitals") << "Two.APF" << "Two";
    QTest::addRow("trailing dot") << "name." << "name";
    QTest::addRow("empty") << "" << "";
}

void TestParsers::baseName()
{
    QFETCH(QString, name);
    QFETCH(QString, base);
    QCOMPARE(BaseName(name), base);
}

void TestParsers::inputExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("accepted");

    QTest::addRow("avi") << "/v/a.avi" << true;
    QTest::addRow("capitals") << "/v/d.AVI" << true;
    QTest::addRow("mixed case mpeg") << "/v/e.MpEg" << true;
    QTest::addRow("every type: asf") << "x.asf" << true;
    QTest::addRow("other type") << "/v/e.mkv" << false;
    QTest::addRow("no extension") << "/v/avi" << false;
    QTest::addRow("dot in a folder name only") << "/v.avi/clip" << false;
    QTest::addRow("last dot counts") << "/v/a.avi.txt" << false;
    QTest::addRow("hidden file named like the type") << "/v/.avi" << true;
    QTest::addRow("extension with a blank") << "/v/a.avi " << false;
    QTest::addRow("empty") << "" << false;
}

void TestParsers::inputExtension()
{
    QFETCH(QString, path);
    QFETCH(bool, accepted);
    QCOMPARE(HasInputExtension(path, InputExtensions()), accepted);
}

void TestParsers::outputExtension_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("extension");

    QTest::addRow("plain") << "holiday.avi" << ".avi";
    QTest::addRow("case kept") << "holiday.MP4" << ".MP4";
    QTest::addRow("last dot") << "a.b.mkv" << ".mkv";
    QTest::addRow("none") << "holiday" << "";
    QTest::addRow("empty") << "" << "";
    QTest::addRow("dot only in a folder") << "my.dir/holiday" << "";
    QTest::addRow("dot after the separator") << "my.dir/holiday.wmv" << ".wmv";
    QTest::addRow("trailing dot") << "holiday." << ".";
}

void TestParsers::outputExtension()
{
    QFETCH(QString, text);
    QFETCH(QString, extension);
    QCOMPARE(OutputExtensionOf(text), extension);
}

void TestParsers::inputTypes()
{
    QCOMPARE(InputExtensions(),
             QStringList({".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"}));
    QCOMPARE(InputMask(), QStringLiteral("*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;"));
}

void TestParsers::filterText()
{
    QCOMPARE(OpenDialogFilterText(),
             QStringLiteral("All Support Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;)|*.avi;*.mpg;*.mpeg;*."
                            "mp4;*.wmv;*.mov;*.vob;*.asf;|AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|MPEG Files "
                            "(*.mpeg)|*.mpeg|MP4 Files (*.mp4)|*.mp4|WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|"
                            "VOB Files (*.vob)|*.vob|ASF Files (*.asf)|*.asf|All Files (*.*)|*.*"));
}

void TestParsers::qtNameFilter_data()
{
    QTest::addColumn<QString>("filterText");
    QTest::addColumn<QString>("qtFilter");

    QTest::addRow("the open dialog's filter")
        << OpenDialogFilterText()
        << "All Support Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;) (*.avi *.mpg *.mpeg *.mp4 *.wmv *.mov "
           "*.vob *.asf);;AVI Files (*.avi);;MPG Files (*.mpg);;MPEG Files (*.mpeg);;MP4 Files (*.mp4);;WMV Files "
           "(*.wmv);;MOV Files (*.mov);;VOB Files (*.vob);;ASF Files (*.asf);;All Files (*.*)";
    QTest::addRow("caption without patterns") << "Videos|*.avi;*.mp4" << "Videos (*.avi *.mp4)";
    QTest::addRow("caption showing other patterns") << "Clips (*.avi)|*.avi;*.mov"
                                                    << "Clips (*.avi) (*.avi *.mov)";
    QTest::addRow("trailing separator") << "AVI Files (*.avi)|*.avi|" << "AVI Files (*.avi)";
    QTest::addRow("caption without its patterns") << "Lonely" << "Lonely";
    QTest::addRow("empty") << "" << "";
}

void TestParsers::qtNameFilter()
{
    QFETCH(QString, filterText);
    QFETCH(QString, qtFilter);
    QCOMPARE(ToQtNameFilter(filterText), qtFilter);
}

QTEST_GUILESS_MAIN(TestParsers)
#include "tst_parsers.moc"
