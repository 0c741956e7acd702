#include "TestHelpers.h"

#include "storage/TNewInifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// One operation on a store and, for reads and searches, the answer expected.
struct Step {
    enum Kind { ReadString, ReadInteger, ReadBool, ReadFloat, WriteString, WriteInteger, WriteBool, FindSection,
                FindKey, SectionText };
    Kind kind;
    QString section;
    QString key;
    QVariant arg;
    QVariant expected;
};
using Steps = QList<Step>;

Step rs(const QString& section, const QString& key, const QString& def, const QString& expected)
{
    return {Step::ReadString, section, key, def, expected};
}
Step ri(const QString& section, const QString& key, int def, int expected)
{
    return {Step::ReadInteger, section, key, def, expected};
}
Step rb(const QString& section, const QString& key, bool def, bool expected)
{
    return {Step::ReadBool, section, key, def, expected};
}
Step rf(const QString& section, const QString& key, double def, double expected)
{
    return {Step::ReadFloat, section, key, def, expected};
}
Step ws(const QString& section, const QString& key, const QString& value)
{
    return {Step::WriteString, section, key, value, {}};
}
Step wi(const QString& section, const QString& key, int value)
{
    return {Step::WriteInteger, section, key, value, {}};
}
Step wb(const QString& section, const QString& key, bool value)
{
    return {Step::WriteBool, section, key, value, {}};
}
Step fs(const QString& section, int expected)
{
    return {Step::FindSection, section, {}, {}, expected};
}
Step fk(const QString& section, const QString& key, int expected)
{
    return {Step::FindKey, section, key, {}, expected};
}
Step st(const QString& section, const QByteArray& expected)
{
    return {Step::SectionText, section, {}, {}, expected};
}

// Runs one step; returns the answer of a read or search, an invalid value
// for a write.
QVariant run(TNewInifile& ini, const Step& step)
{
    switch (step.kind) {
    case Step::ReadString:
        return ini.ReadString(step.section, step.key, step.arg.toString());
    case Step::ReadInteger:
        return ini.ReadInteger(step.section, step.key, step.arg.toInt());
    case Step::ReadBool:
        return ini.ReadBool(step.section, step.key, step.arg.toBool());
    case Step::ReadFloat:
        return ini.ReadFloat(step.section, step.key, step.arg.toDouble());
    case Step::WriteString:
        ini.WriteString(step.section, step.key, step.arg.toString());
        return {};
    case Step::WriteInteger:
        ini.WriteInteger(step.section, step.key, step.arg.toInt());
        return {};
    case Step::WriteBool:
        ini.WriteBool(step.section, step.key, step.arg.toBool());
        return {};
    case Step::FindSection:
        return ini.FindSection(step.section);
    case Step::FindKey:
        return ini.FindKey(step.section, step.key);
    case Step::SectionText:
        return ini.ReadSectionText(step.section);
    }
    return {};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void storeOnFile_data();
    void storeOnFile();
    void onlyFreeWritesTheFile();
    void failedFreeThrows_data();
    void failedFreeThrows();
    void fullDiskKeepsTheOldFile();
    void unreadableFileThrows();
};

void TestIniFile::storeOnFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QByteArray>("after");

    QTest::addRow("missing file, reads only, leaves an empty file")
        << false << QByteArray()
        << Steps{rs("Main", "Title", "none", "none"), ri("Main", "Count", 7, 7), rb("Main", "Flag", true, true),
                 rf("Main", "Rate", 2.5, 2.5), fs("Main", -1), fk("Main", "Title", -1), st("Main", "")}
        << QByteArray("");
    QTest::addRow("missing file, first write appends header and key")
        << false << QByteArray()
        << Steps{ws("Main", "Output Path", "/home/me/out"), wi("Main", "Count", -42), wb("Main", "Flag", false),
                 rs("Main", "Output Path", "", "/home/me/out"), ri("Main", "Count", 0, -42),
                 rb("Main", "Flag", true, false)}
        << QByteArray("[Main]\r\nFlag=0\r\nCount=-42\r\nOutput Path=/home/me/out\r\n");
    QTest::addRow("new keys go to the top in reverse order")
        << true << QByteArray("[S]\r\n")
        << Steps{ws("S", "A", "1"), ws("S", "B", "2"), ws("S", "C", "3"), wb("S", "D", true)}
        << QByteArray("[S]\r\nD=1\r\nC=3\r\nB=2\r\nA=1\r\n");
    QTest::addRow("section and key ignore ASCII case, write keeps caller's spelling")
        << true << QByteArray("[Main]\r\nOutput Path=x\r\n")
        << Steps{rs("main", "output path", "", "x"), fs("MAIN", 0), fk("mAiN", "OUTPUT PATH", 1),
                 ws("MAIN", "output path", "y"), rs("Main", "Output Path", "", "y")}
        << QByteArray("[Main]\r\noutput path=y\r\n");
    QTest::addRow("letters beyond ASCII match only exactly")
        << true << QByteArray("[\xc3\x84rger]\r\nK\xc3\x9c=1\r\n")
        << Steps{rs(QString::fromUtf8("\xc3\xa4rger"), "k\xc3\x9c", "d", "d"),
                 rs(QString::fromUtf8("\xc3\x84rger"), QString::fromUtf8("k\xc3\xbc"), "d", "d"),
                 rs(QString::fromUtf8("\xc3\x84RGER"), QString::fromUtf8("k\xc3\x9c"), "d", "1"),
                 ws(QString::fromUtf8("\xc3\x84rger"), "Gru\xc3\x9f", QString::fromUtf8("gr\xc3\xbc\xc3\x9f"))}
        << QByteArray("[\xc3\x84rger]\r\nGru\xc3\x9f=gr\xc3\xbc\xc3\x9f\r\nK\xc3\x9c=1\r\n");
    QTest::addRow("bytes that are not UTF-8 survive a rewrite")
        << true << QByteArray("[A]\r\nname=Caf\xe9\xff\r\n") << Steps{rs("A", "other", "d", "d")}
        << QByteArray("[A]\r\nname=Caf\xe9\xff\r\n");
    QTest::addRow("a blank before = is no match, so a write inserts")
        << true << QByteArray("[Main]\r\nName =x\r\n")
        << Steps{rs("Main", "Name", "d", "d"), fk("Main", "Name", -1), ws("Main", "Name", "y"),
                 rs("Main", "Name", "d", "y")}
        << QByteArray("[Main]\r\nName=y\r\nName =x\r\n");
    QTest::addRow("value runs to the line's end, empty value is not the default")
        << true << QByteArray("[M]\r\nCmd=a=b \r\nTitle=\r\n")
        << Steps{rs("M", "Cmd", "", "a=b "), rs("M", "Title", "d", ""), ri("M", "Title", 7, 7),
                 rb("M", "Title", true, true), rf("M", "Title", 1.5, 1.5)}
        << QByteArray("[M]\r\nCmd=a=b \r\nTitle=\r\n");
    QTest::addRow("a key matches inside a longer key and inside a value")
        << true << QByteArray("[P]\r\nDefaultValue=3\r\nValue=5\r\n[Q]\r\nCaption=Value=2\r\n")
        << Steps{rs("P", "Value", "", "3"), fk("P", "Value", 1), rs("Q", "Value", "", "2"),
                 ws("P", "Value", "9"), rs("P", "Value", "", "9")}
        << QByteArray("[P]\r\nValue=9\r\nValue=5\r\n[Q]\r\nCaption=Value=2\r\n");
    QTest::addRow("any [ ends the section, even inside a value")
        << true << QByteArray("[Main]\r\nTitle=a[b\r\nMode=2\r\n")
        << Steps{st("Main", "\r\nTitle=a"), rs("Main", "Title", "", "a"), ri("Main", "Mode", 4, 4),
                 fk("Main", "Mode", -1), wi("Main", "Mode", 3), ri("Main", "Mode", 4, 3)}
        << QByteArray("[Main]\r\nMode=3\r\nTitle=a[b\r\nMode=2\r\n");
    QTest::addRow("a key of the next section is not seen")
        << true << QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n")
        << Steps{rs("A", "y", "d", "d"), rs("B", "x", "d", "d"), fs("B", 2), ws("A", "y", "3"), ws("B", "y", "4")}
        << QByteArray("[A]\r\ny=3\r\nx=1\r\n[B]\r\ny=4\r\n");
    QTest::addRow("text after the header on its line is section line 0")
        << true << QByteArray("[Main]Path=/x\r\nOther=1\r\n")
        << Steps{st("Main", "Path=/x\r\nOther=1\r\n"), rs("Main", "Path", "", "/x"), fk("Main", "Path", 0),
                 ws("Main", "Path", "/y"), ws("Main", "Other", "2"), rs("Main", "Path", "", "/x")}
        << QByteArray("[Main]Path=/x\r\nPath=/y\r\nOther=2\r\n");
    QTest::addRow("an empty section still takes new keys below its header")
        << true << QByteArray("[X][Y]\r\nk=1\r\n")
        << Steps{st("X", ""), fk("X", "k", -1), rs("X", "k", "d", "d"), rs("Y", "k", "d", "1"),
                 ws("X", "k", "2")}
        << QByteArray("[X][Y]\r\nk=2\r\nk=1\r\n");
    QTest::addRow("only the first of two same-named sections counts")
        << true << QByteArray("[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=5\r\n")
        << Steps{rs("A", "k", "", "1"), rs("A", "j", "d", "d"), ws("A", "k", "3"), ws("A", "j", "4")}
        << QByteArray("[A]\r\nj=4\r\nk=3\r\n[a]\r\nk=2\r\nj=5\r\n");
    QTest::addRow("a header inside another line counts when it comes first")
        << true << QByteArray("Note=[Main] \r\nPath=/x\r\n[Main]\r\nPath=/y\r\n")
        << Steps{fs("Main", 0), rs("Main", "Path", "", "/x"), ws("Main", "Path", "/z")}
        << QByteArray("Note=[Main] \r\nPath=/z\r\n[Main]\r\nPath=/y\r\n");
    QTest::addRow("lone LF is rewritten as CR LF without changes")
        << true << QByteArray("[A]\nk=1\n") << Steps{rs("A", "k", "", "1")} << QByteArray("[A]\r\nk=1\r\n");
    QTest::addRow("CR, LF and CR LF all end lines; the last break is added")
        << true << QByteArray("[A]\rk=1\r\n\nj=2\r\rx")
        << Steps{rs("A", "j", "", "2"), fk("A", "x", -1), fk("A", "j", 3)}
        << QByteArray("[A]\r\nk=1\r\n\r\nj=2\r\n\r\nx\r\n");
    QTest::addRow("only breaks: each one is an empty line")
        << true << QByteArray("\n\r\n") << Steps{rs("A", "k", "d", "d")} << QByteArray("\r\n\r\n");
    QTest::addRow("a NUL byte ends the text")
        << true << QByteArray("[A]\r\nk=1\r\nj=2\0[B]\r\nz=9\r\n", 24)
        << Steps{rs("A", "j", "", "2"), rs("B", "z", "d", "d")} << QByteArray("[A]\r\nk=1\r\nj=2\r\n");
    QTest::addRow("booleans: numbers, true and false, else the default")
        << true
        << QByteArray("[B]\r\na1=true\r\na2=FALSE\r\na3=0\r\na4=5\r\na5=yes\r\na6=\r\na7=-1\r\na8=0.0\r\n"
                      "a9=0.25\r\nb1= True\r\n")
        << Steps{rb("B", "a1", false, true), rb("B", "a2", true, false), rb("B", "a3", true, false),
                 rb("B", "a4", false, true), rb("B", "a5", true, true), rb("B", "a5", false, false),
                 rb("B", "a6", true, true), rb("B", "a6", false, false), rb("B", "a7", false, true),
                 rb("B", "a8", true, false), rb("B", "a9", false, true), rb("B", "b1", false, false)}
        << QByteArray("[B]\r\na1=true\r\na2=FALSE\r\na3=0\r\na4=5\r\na5=yes\r\na6=\r\na7=-1\r\na8=0.0\r\n"
                      "a9=0.25\r\nb1= True\r\n");
    QTest::addRow("integers and reals: whole text or the default")
        << true
        << QByteArray("[N]\r\na1=12abc\r\na2=\r\na3=$1F\r\na4= -7\r\na5=2147483648\r\na6=2.5\r\na7=1,5\r\n"
                      "a8=-1e3\r\n")
        << Steps{ri("N", "a1", 9, 9), ri("N", "a2", 9, 9), ri("N", "a3", 9, 31), ri("N", "a4", 9, -7),
                 ri("N", "a5", 9, 9), ri("N", "a6", 9, 9), rf("N", "a6", 0, 2.5), rf("N", "a7", 0.5, 0.5),
                 rf("N", "a8", 0, -1000), rf("N", "a1", 0.1, 0.1), rf("N", "none", 0.1 + 0.2, 0.1 + 0.2),
                 wi("N", "a2", 2147483647), ri("N", "a2", 0, 2147483647)}
        << QByteArray("[N]\r\na1=12abc\r\na2=2147483647\r\na3=$1F\r\na4= -7\r\na5=2147483648\r\na6=2.5\r\n"
                      "a7=1,5\r\na8=-1e3\r\n");
}

void TestIniFile::storeOnFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(Steps, steps);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("store.ini"));
    if (exists)
        QVERIFY(writeAll(path, before));

    TNewInifile ini(path);
    QCOMPARE(ini.filePath(), path);
    for (int i = 0; i < steps.size(); ++i) {
        const QVariant actual = run(ini, steps[i]);
        if (steps[i].expected.isValid()) {
            QVERIFY2(actual == steps[i].expected,
                     qPrintable(QStringLiteral("step %1 (%2/%3): got %4, expected %5")
                                    .arg(i)
                                    .arg(steps[i].section, steps[i].key, actual.toString(),
                                         steps[i].expected.toString())));
        }
    }
    ini.Free();
    QVERIFY(QFile::exists(path));
    QCOMPARE(readAll(path), after);
}

// Writes live only in memory: a store that is dropped without Free, or whose
// handler ended on an error, leaves the file exactly as it was.
void TestIniFile::onlyFreeWritesTheFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Preferences.ini"));
    const QByteArray original("[Main]\nOutput Path=/old\n");
    QVERIFY(writeAll(path, original));
    const QString missing = dir.filePath(QStringLiteral("missing.ini"));
    {
        TNewInifile ini(path);
        ini.WriteString(QStringLiteral("Main"), QStringLiteral("Output Path"), QStringLiteral("/new"));
        const QList<QByteArray> linesBefore = ini.lines();
        // A line break would split the line in the file and shift every
        // line below it, so it is refused and nothing changes.
        const QStringList badTexts{QStringLiteral("/a\nb"), QStringLiteral("/a\rb"), QString::fromUtf16(u"a\0b", 3)};
        for (const QString& bad : badTexts) {
            QVERIFY_THROWS_EXCEPTION(IniFileError,
                                     ini.WriteString(QStringLiteral("Main"), QStringLiteral("Output Path"), bad));
            QVERIFY_THROWS_EXCEPTION(IniFileError, ini.WriteString(QStringLiteral("Main"), bad, QStringLiteral("x")));
            QVERIFY_THROWS_EXCEPTION(IniFileError, ini.WriteString(bad, QStringLiteral("k"), QStringLiteral("x")));
        }
        QCOMPARE(ini.lines(), linesBefore);

        TNewInifile unsaved(missing);
        unsaved.WriteInteger(QStringLiteral("Main"), QStringLiteral("Count"), 3);
    }
    QCOMPARE(readAll(path), original);
    QVERIFY(!QFile::exists(missing));
}

void TestIniFile::failedFreeThrows_data()
{
    QTest::addColumn<QString>("target");
    // Relative to the temporary folder, which holds a regular file "plain".
    QTest::addRow("folder is a regular file") << QStringLiteral("plain/store.ini");
    QTest::addRow("folder is missing") << QStringLiteral("nowhere/store.ini");
}

void TestIniFile::failedFreeThrows()
{
    QFETCH(QString, target);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray plain("[Main]\r\nk=1\r\n");
    QVERIFY(writeAll(dir.filePath(QStringLiteral("plain")), plain));
    const QStringList entriesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString path = dir.filePath(target);

    TNewInifile ini(path);
    ini.WriteString(QStringLiteral("Main"), QStringLiteral("k"), QStringLiteral("2"));
    try {
        ini.Free();
        QFAIL("Free reported success on a path that cannot be written");
    } catch (const IniFileError& error) {
        QCOMPARE(error.path(), path);
        QVERIFY(!error.reason().isEmpty());
        QVERIFY(QString::fromStdString(error.what()).contains(path));
    }
    QCOMPARE(readAll(dir.filePath(QStringLiteral("plain"))), plain);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entriesBefore);
}

// A write that runs out of room midway must not replace the old file with a
// truncated one, nor leave a temporary file behind.
void TestIniFile::fullDiskKeepsTheOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Preferences.ini"));
    const QByteArray original("[Main]\r\nOutput Path=/old\r\n");
    QVERIFY(writeAll(path, original));

    TNewInifile ini(path);
    for (int i = 0; i < 200; ++i)
        ini.WriteInteger(QStringLiteral("Main"), QStringLiteral("Key%1").arg(i), i);

    bool threw = false;
    QString reason;
    bool capped = false;
    {
        FileSizeCap cap(256);
        capped = cap.active();
        try {
            ini.Free();
        } catch (const IniFileError& error) {
            threw = true;
            reason = error.reason();
        }
    }
    if (!capped)
        QSKIP("The file size limit cannot be set here");
    QVERIFY(threw);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readAll(path), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Preferences.ini")});
}

void TestIniFile::unreadableFileThrows()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Preferences.ini"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Preferences.ini")));
    try {
        TNewInifile ini(path);
        QFAIL("a folder in place of the file was read as a store");
    } catch (const IniFileError& error) {
        QCOMPARE(error.path(), path);
        QVERIFY(!error.reason().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
