#include "profiles/OptionSynthesis.h"
#include "profiles/ProfileError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One parameter section of a test profile.
struct Section {
    QString name;
    QByteArray body;
};

QByteArray Line(const QString& key, const QString& value) {
    return key.toLatin1() + '=' + value.toLatin1() + "\r\n";
}

Section ListParam(const QString& name, int sort, const QString& cmd, const QString& caption,
                  const QString& value, int index = 0) {
    return {name, Line("Sort", QString::number(sort)) + Line("cmd", cmd) + Line("List", "1") +
                      Line("Caption", caption) + Line("Value", value) +
                      Line("Index", QString::number(index))};
}

Section FixedParam(const QString& name, int sort, const QString& cmd, const QString& caption,
                   const QString& value) {
    return {name, Line("Sort", QString::number(sort)) + Line("ReadOnly", "1") + Line("cmd", cmd) +
                      Line("List", "0") + Line("Caption", caption) + Line("Value", value)};
}

Section FreeParam(const QString& name, int sort, const QString& cmd, const QString& caption) {
    return {name, Line("Sort", QString::number(sort)) + Line("ReadOnly", "0") + Line("cmd", cmd) +
                      Line("List", "0") + Line("Caption", caption)};
}

QByteArray ProfileText(const QList<Section>& sections) {
    QByteArray text = "[Main]\r\n" + Line("Type", "mp4") + Line("Para", QString::number(sections.size()));
    for (int k = 0; k < sections.size(); ++k)
        text += Line(QString::number(k), sections.at(k).name);
    for (const Section& s : sections)
        text += "[" + s.name.toLatin1() + "]\r\n" + s.body;
    return text;
}

QString WriteProfile(const QTemporaryDir& dir, const QByteArray& text) {
    const QString path = dir.filePath(QStringLiteral("Test.apf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write the test profile");
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(QList<ShownRow>)

class TestOptionSynthesis : public QObject {
    Q_OBJECT

  private slots:
    void buildsOptions_data();
    void buildsOptions();
    void malformedProfileThrowsAndKeepsFile();
    void missingProfileLeavesOptions();
    void releasesStoreAfterSynthesis();
    void loadedValuesFollowTheProfile();
    void loadedValuesRejectIndexOutsideCaptions();
};

void TestOptionSynthesis::buildsOptions_data() {
    QTest::addColumn<QByteArray>("profile");
    QTest::addColumn<QList<ShownRow>>("shown");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("expected");

    const QByteArray ab = ProfileText({ListParam("P", 1, "-c", "A,B,", "x,y,")});
    QTest::addRow("caption B gives its value") << ab << QList<ShownRow>{{1, "P", "B"}} << ""
                                               << " -c y";
    QTest::addRow("caption in other case") << ab << QList<ShownRow>{{1, "P", "b"}} << ""
                                           << " -c y";
    QTest::addRow("row name in other case") << ab << QList<ShownRow>{{1, "p", "B"}} << ""
                                            << " -c y";
    QTest::addRow("unknown text passed through") << ab << QList<ShownRow>{{1, "P", "640x480"}} << ""
                                                 << " -c 640x480";
    QTest::addRow("missing row reads empty and skips") << ab << QList<ShownRow>{} << ""
                                                       << "";
    QTest::addRow("appends to what is there") << ab << QList<ShownRow>{{1, "P", "A"}} << " -pre 1"
                                              << " -pre 1 -c x";
    QTest::addRow("empty value item skips")
        << ProfileText({ListParam("P", 1, "-c", "A,B,", ",y,")}) << QList<ShownRow>{{1, "P", "A"}} << ""
        << "";
    QTest::addRow("backslash gives the bare switch")
        << ProfileText({ListParam("P", 1, "-vn", "No,Yes,", ",\\,")}) << QList<ShownRow>{{1, "P", "Yes"}}
        << ""
        << " -vn ";
    QTest::addRow("value items keep their blanks")
        << ProfileText({ListParam("P", 1, "-c", " A , B ,", " x , y ,")}) << QList<ShownRow>{{1, "P", " B "}}
        << ""
        << " -c  y ";
    QTest::addRow("read-only list uses the shown caption")
        << ProfileText({{"P", Line("Sort", "1") + Line("ReadOnly", "1") + Line("cmd", "-c") +
                                  Line("Caption", "A,B,") + Line("Value", "x,y,")}})
        << QList<ShownRow>{{1, "P", "B"}} << ""
        << " -c y";
    QTest::addRow("fixed value whatever is shown")
        << ProfileText({FixedParam("P", 1, "-c", "Shown", "V")}) << QList<ShownRow>{{1, "P", "typed"}} << ""
        << " -c V";
    QTest::addRow("empty fixed value skips")
        << ProfileText({FixedParam("P", 1, "-c", "Shown", "")}) << QList<ShownRow>{{1, "P", "Shown"}} << ""
        << "";
    QTest::addRow("fixed backslash gives the bare switch")
        << ProfileText({FixedParam("P", 1, "-vn", "Yes", "\\")}) << QList<ShownRow>{} << ""
        << " -vn ";
    const QByteArray free = ProfileText({FreeParam("P", 3, "-g", "250")});
    QTest::addRow("free text kept with its blanks") << free << QList<ShownRow>{{3, "P", " V "}} << ""
                                                    << " -g  V ";
    QTest::addRow("cleared free text skips") << free << QList<ShownRow>{{3, "P", ""}} << ""
                                             << "";
    QTest::addRow("switch kept with its blanks")
        << ProfileText({FreeParam("P", 1, " -x ", "")}) << QList<ShownRow>{{1, "P", "1"}} << ""
        << "  -x  1";
    QTest::addRow("empty switch never contributes")
        << ProfileText({ListParam("L", 1, "", "A,B,", "x,y,"), FixedParam("F", 1, "", "", "V"),
                        FreeParam("R", 1, "", "")})
        << QList<ShownRow>{{1, "L", "B"}, {1, "R", "typed"}} << ""
        << "";
    QTest::addRow("numbering order across grids")
        << ProfileText({FreeParam("Later Grid", 3, "-a", ""), FreeParam("Earlier Grid", 1, "-b", "")})
        << QList<ShownRow>{{1, "Earlier Grid", "2"}, {3, "Later Grid", "1"}} << ""
        << " -a 1 -b 2";
    QTest::addRow("invalid sort keeps the previous grid")
        << ProfileText({FreeParam("First", 2, "-a", ""), FreeParam("Second", 7, "-b", "")})
        << QList<ShownRow>{{2, "First", "1"}, {1, "Second", "video"}, {2, "Second", "audio"}} << ""
        << " -a 1 -b audio";
    QTest::addRow("first invalid sort reads the Video grid")
        << ProfileText({{"P", Line("cmd", "-b") + Line("List", "0")}})
        << QList<ShownRow>{{2, "P", "audio"}, {1, "P", "video"}} << ""
        << " -b video";
}

void TestOptionSynthesis::buildsOptions() {
    QFETCH(QByteArray, profile);
    QFETCH(QList<ShownRow>, shown);
    QFETCH(QString, initial);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString options = initial;
    BuildOptionString(WriteProfile(dir, profile), LookupIn(shown), options);
    QCOMPARE(options, expected);
}

void TestOptionSynthesis::malformedProfileThrowsAndKeepsFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // LF line ends: a release of the store would rewrite them as CR LF.
    const QByteArray text = "[Main]\nPara=2\n0=Good\n1=Short Values\n"
                            "[Good]\nSort=1\ncmd=-a\nList=0\n"
                            "[Short Values]\nSort=1\ncmd=-c\nCaption=A,B,\nValue=x,\n";
    const QString path = WriteProfile(dir, text);
    QString options = QStringLiteral(" -pre 1");
    try {
        BuildOptionString(path, LookupIn({{1, "Good", "1"}, {1, "Short Values", "B"}}), options);
        QFAIL("a value list shorter than the caption list must be reported");
    } catch (const ProfileError& error) {
        QCOMPARE(error.parameter(), QStringLiteral("Short Values"));
        QCOMPARE(error.profilePath(), path);
        QVERIFY(!error.problem().isEmpty());
    }
    QCOMPARE(options, QStringLiteral(" -pre 1"));
    QCOMPARE(ReadBytes(path), text);
}

void TestOptionSynthesis::missingProfileLeavesOptions() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Gone.apf"));
    QString options = QStringLiteral(" -keep me");
    BuildOptionString(path, LookupIn({}), options);
    QCOMPARE(options, QStringLiteral(" -keep me"));
    QVERIFY(!QFile::exists(path));
}

void TestOptionSynthesis::releasesStoreAfterSynthesis() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = WriteProfile(dir, "[Main]\nPara=1\n0=P\n[P]\ncmd=-c\nList=0\nReadOnly=1\nValue=v\n");
    QString options;
    BuildOptionString(path, LookupIn({}), options);
    QCOMPARE(options, QStringLiteral(" -c v"));
    QCOMPARE(ReadBytes(path),
             QByteArray("[Main]\r\nPara=1\r\n0=P\r\n[P]\r\ncmd=-c\r\nList=0\r\nReadOnly=1\r\nValue=v\r\n"));
}

void TestOptionSynthesis::loadedValuesFollowTheProfile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path =
        WriteProfile(dir, ProfileText({ListParam("Size", 1, "-s", "Original Size,640x480,", ",640x480,", 1),
                                       FixedParam("Codec", 2, "-c:a", "AAC", "aac"),
                                       FreeParam("Keys", 9, "-g", " 250 ")}));
    const QList<ShownRow> rows = LoadedProfileValues(path);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).grid, 1);
    QCOMPARE(rows.at(0).value, QStringLiteral("640x480"));
    QCOMPARE(rows.at(1).grid, 2);
    QCOMPARE(rows.at(1).value, QStringLiteral("AAC"));
    QCOMPARE(rows.at(2).grid, 2);
    QCOMPARE(rows.at(2).name, QStringLiteral("Keys"));
    QCOMPARE(rows.at(2).value, QStringLiteral(" 250 "));

    QString options;
    BuildOptionString(path, LookupIn(rows), options);
    QCOMPARE(options, QStringLiteral(" -s 640x480 -c:a aac -g  250 "));
}

void TestOptionSynthesis::loadedValuesRejectIndexOutsideCaptions() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray text = ProfileText({ListParam("Rate", 1, "-r", "A,B,", "x,y,", 2)});
    const QString path = WriteProfile(dir, text);
    QVERIFY_THROWS_EXCEPTION(ProfileError, LoadedProfileValues(path));
    QCOMPARE(ReadBytes(path), text);
}

QTEST_GUILESS_MAIN(TestOptionSynthesis)
#include "tst_optionsynthesis.moc"
