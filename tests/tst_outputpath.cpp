#include "conversion/OutputPath.h"

#include <QtTest>

class TestOutputPath : public QObject
{
    Q_OBJECT

private slots:
    void outputPath_data();
    void outputPath();
    void clipSwitches_data();
    void clipSwitches();
};

void TestOutputPath::outputPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("outputName");
    QTest::addColumn<QString>("outputExt");
    QTest::addColumn<QString>("profileExt");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("path");

    const QString in = QStringLiteral("/v/clip.avi");
    QTest::addRow("separator appended") << "/out" << in << "clip" << ".avi" << ".mp4" << 0 << false << QStringList()
                                        << "/out/clip.mp4";
    QTest::addRow("separator kept") << "/out/" << in << "clip" << ".avi" << ".mp4" << 0 << false << QStringList()
                                    << "/out/clip.mp4";
    QTest::addRow("empty folder text") << "" << in << "clip" << ".avi" << ".mp4" << 0 << false << QStringList()
                                       << "/clip.mp4";
    QTest::addRow("existing, overwrite on") << "/out" << in << "clip" << ".avi" << ".mp4" << 2 << true
                                            << QStringList({"/out/clip.mp4"}) << "/out/clip.mp4";
    // The indexed name takes the task's own extension, not the profile's.
    QTest::addRow("existing, overwrite off") << "/out" << in << "clip" << ".avi" << ".mp4" << 2 << false
                                             << QStringList({"/out/clip.mp4"}) << "/out/clip_3.avi";
    QTest::addRow("indexed name is not tested again")
        << "/out" << in << "clip" << ".mkv" << ".mp4" << 0 << false << QStringList({"/out/clip.mp4", "/out/clip_1.mkv"})
        << "/out/clip_1.mkv";
    QTest::addRow("other files do not matter") << "/out" << in << "clip" << ".avi" << ".mp4" << 0 << false
                                               << QStringList({"/out/clip.avi"}) << "/out/clip.mp4";
    QTest::addRow("input equal to output, overwrite on") << "/v" << in << "clip" << ".avi" << ".avi" << 0 << true
                                                         << QStringList({in}) << "/v/clip_1.avi";
    QTest::addRow("input equal to output, overwrite off") << "/v/" << in << "clip" << ".avi" << ".avi" << 4 << false
                                                          << QStringList({in}) << "/v/clip_5.avi";
    QTest::addRow("input named another way") << "/v/./" << in << "clip" << ".avi" << ".avi" << 0 << true
                                             << QStringList() << "/v/./clip_1.avi";
    QTest::addRow("input with a doubled separator") << "/v//" << in << "clip" << ".avi" << ".avi" << 0 << true
                                                    << QStringList() << "/v//clip_1.avi";
    QTest::addRow("case counts") << "/v" << "/v/Clip.avi" << "clip" << ".avi" << ".avi" << 0 << true
                                 << QStringList({"/v/Clip.avi"}) << "/v/clip.avi";
    // The input file is never the output, even when it is named like the
    // indexed output.
    QTest::addRow("indexed path equal to the input") << "/v" << "/v/x_3.avi" << "x" << ".avi" << ".avi" << 2 << false
                                                     << QStringList({"/v/x.avi", "/v/x_3.avi"}) << "/v/x_3_2.avi";
    QTest::addRow("indexed path equal to the input, no extension")
        << "/v" << "/v/x_2" << "x" << "" << ".mp4" << 1 << false << QStringList({"/v/x.mp4"}) << "/v/x_2_2";
}

void TestOutputPath::outputPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, input);
    QFETCH(QString, outputName);
    QFETCH(QString, outputExt);
    QFETCH(QString, profileExt);
    QFETCH(int, index);
    QFETCH(bool, overwrite);
    QFETCH(QStringList, existing);
    QFETCH(QString, path);

    ltvItemData task;
    task.FileName = input;
    task.OutputName = outputName;
    task.OutputExt = outputExt;
    const auto fileExists = [&existing](const QString& candidate) { return existing.contains(candidate); };
    QCOMPARE(BuildOutputPath(folder, task, profileExt, index, overwrite, fileExists), path);
}

void TestOutputPath::clipSwitches_data()
{
    QTest::addColumn<QString>("clipStart");
    QTest::addColumn<double>("clipStartSec");
    QTest::addColumn<double>("sourceStartSec");
    QTest::addColumn<double>("clipLengthSec");
    QTest::addColumn<double>("durationSec");
    QTest::addColumn<QString>("switches");

    QTest::addRow("whole source") << "00:00:00.0" << 0.0 << 0.0 << 60.0 << 60.0 << "";
    QTest::addRow("start as stored") << "00:00:10" << 10.0 << 0.0 << 60.0 << 60.0 << " -ss 00:00:10";
    QTest::addRow("length tie down") << "00:00:00.0" << 0.0 << 0.0 << 12.5 << 60.0 << " -t 12";
    QTest::addRow("length tie up") << "00:00:00.0" << 0.0 << 0.0 << 13.5 << 60.0 << " -t 14";
    QTest::addRow("length below half") << "00:00:00.0" << 0.0 << 0.0 << 0.4 << 60.0 << " -t 0";
    QTest::addRow("start then length") << "00:00:10.5" << 10.5 << 0.0 << 40.0 << 60.0 << " -ss 00:00:10.5 -t 40";
    QTest::addRow("exact comparison") << "00:00:00.0" << 0.0 << 0.0 << 60.0000001 << 60.0 << " -t 60";
    QTest::addRow("rounded to tenths") << "00:00:00" << 0.0 << 0.0 << 83.5 << 83.45 << " -t 84";
    QTest::addRow("probe found nothing") << "00:00:00.0" << 0.0 << 0.0 << -1.0 << -1.0 << "";
    QTest::addRow("negative length") << "00:00:00.0" << 0.0 << 0.0 << -1.0 << 60.0 << " -t -1";
}

void TestOutputPath::clipSwitches()
{
    QFETCH(QString, clipStart);
    QFETCH(double, clipStartSec);
    QFETCH(double, sourceStartSec);
    QFETCH(double, clipLengthSec);
    QFETCH(double, durationSec);
    QFETCH(QString, switches);

    ltvItemData task;
    task.ClipStart = clipStart;
    task.ClipStartSec = clipStartSec;
    task.SourceStartSec = sourceStartSec;
    task.ClipLengthSec = clipLengthSec;
    task.DurationSec = durationSec;
    QCOMPARE(ClipSwitches(task), switches);
}

QTEST_GUILESS_MAIN(TestOutputPath)
#include "tst_outputpath.moc"
