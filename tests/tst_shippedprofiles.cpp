#include "TestMedia.h"
#include "conversion/EncoderCommand.h"
#include "profiles/OptionSynthesis.h"
#include "profiles/ProfileCatalogue.h"
#include "storage/TNewInifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ExpectedCodecs {
    QString video; // empty: the output must hold no video stream
    QString audio;
};

// Every profile we ship, with the codecs ffprobe must find in its output at
// the profile's default choices.
const QMap<QString, ExpectedCodecs>& ShippedProfiles() {
    static const QMap<QString, ExpectedCodecs> profiles{
        {QStringLiteral("MP4 Video (H.264 + AAC).apf"), {QStringLiteral("h264"), QStringLiteral("aac")}},
        {QStringLiteral("MP4 Video (H.265 + AAC).apf"), {QStringLiteral("hevc"), QStringLiteral("aac")}},
        {QStringLiteral("WebM Video (VP9 + Opus).apf"), {QStringLiteral("vp9"), QStringLiteral("opus")}},
        {QStringLiteral("MKV Video (H.264 + AAC).apf"), {QStringLiteral("h264"), QStringLiteral("aac")}},
        {QStringLiteral("MOV Video (H.264 + AAC).apf"), {QStringLiteral("h264"), QStringLiteral("aac")}},
        {QStringLiteral("AVI Video (MPEG-4 + MP3).apf"), {QStringLiteral("mpeg4"), QStringLiteral("mp3")}},
        {QStringLiteral("WMV Video (WMV2 + WMA).apf"), {QStringLiteral("wmv2"), QStringLiteral("wmav2")}},
        {QStringLiteral("MP3 Audio Only.apf"), {QString(), QStringLiteral("mp3")}},
    };
    return profiles;
}

QString ProfileFolder() {
    return QStringLiteral(FW_SOURCE_DIR "/resources/profiles");
}

QStringList ProfileFiles() {
    return QDir(ProfileFolder()).entryList({QStringLiteral("*.apf")}, QDir::Files, QDir::Name);
}

// The store rewrites every profile it opens, so tests work on copies and
// never touch the files in the source tree.
QString CopyInto(const QTemporaryDir& dir, const QString& fileName) {
    const QString copy = dir.filePath(fileName);
    QFile::remove(copy);
    if (!QFile::copy(QDir(ProfileFolder()).filePath(fileName), copy))
        return QString();
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

// A profile as its author meant it: each section's entries read line by line,
// the key before the first "=", the value after it. The store must read the
// same from the file, or the profile mis-reads silently.
struct RawSection {
    QString name;
    QList<QPair<QString, QString>> entries;
};

} // namespace

class TestShippedProfiles : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void everyShippedProfileIsTested();
    void followsAuthoringRules_data();
    void followsAuthoringRules();
    void convertsAtDefaults_data();
    void convertsAtDefaults();

  private:
    QTemporaryDir m_work;
    QString m_clip;
};

void TestShippedProfiles::initTestCase() {
    QVERIFY(m_work.isValid());
    QVERIFY2(QFileInfo(QStringLiteral(FW_ADAPTER_PATH)).isExecutable(), "the encoder adapter is not built");
    m_clip = m_work.filePath(QStringLiteral("clip.avi"));
    QVERIFY(TestMedia::MakeClip(m_clip, 1.0));
}

void TestShippedProfiles::everyShippedProfileIsTested() {
    const QStringList files = ProfileFiles();
    QVERIFY(files.size() >= 8);
    QCOMPARE(files, QStringList(ShippedProfiles().keys()));
}

void TestShippedProfiles::followsAuthoringRules_data() {
    QTest::addColumn<QString>("fileName");
    for (const QString& fileName : ProfileFiles())
        QTest::addRow("%s", qPrintable(fileName)) << fileName;
}

void TestShippedProfiles::followsAuthoringRules() {
    QFETCH(QString, fileName);
    QVERIFY2(!fileName.contains(QRegularExpression(QStringLiteral("[\\[\\]=]"))),
             "file name holds [, ] or =");

    QFile file(QDir(ProfileFolder()).filePath(fileName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes.endsWith("\r\n"), "the last line must end with CR LF");
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    for (const char c : bytes)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "profiles are plain ASCII");

    // Split the file the way its author wrote it.
    QList<RawSection> sections;
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (line.startsWith('[')) {
            QVERIFY2(line.endsWith(']') && line.count('[') == 1 && line.count(']') == 1,
                     qPrintable("malformed section header: " + line));
            sections.append({QString::fromLatin1(line.mid(1, line.size() - 2)), {}});
            continue;
        }
        QVERIFY2(!sections.isEmpty(), "entry before the first section");
        const int equals = line.indexOf('=');
        QVERIFY2(equals > 0, qPrintable("line without key and \"=\": " + line));
        QVERIFY2(!line.contains('['), qPrintable("\"[\" inside a value: " + line));
        QVERIFY2(line.at(equals - 1) != ' ' && (equals + 1 == line.size() || line.at(equals + 1) != ' '),
                 qPrintable("blank around \"=\": " + line));
        sections.last().entries.append(
            {QString::fromLatin1(line.left(equals)), QString::fromLatin1(line.mid(equals + 1))});
    }
    QVERIFY(!sections.isEmpty());
    QCOMPARE(sections.first().name, QStringLiteral("Main"));

    // Every key is found on its own line: no earlier line of its section holds
    // the key followed by "=" (so "1=" comes before "11=").
    for (const RawSection& section : sections) {
        for (int i = 0; i < section.entries.size(); ++i) {
            const QString key = section.entries.at(i).first;
            for (int j = 0; j < i; ++j) {
                const auto& earlier = section.entries.at(j);
                QVERIFY2(!(earlier.first + u'=' + earlier.second).contains(key + u'=', Qt::CaseInsensitive),
                         qPrintable(
                             QStringLiteral("[%1] %2 is hidden by an earlier line").arg(section.name, key)));
            }
        }
    }

    // The numbered entries run 0..Para-1 in order, and name distinct sections.
    const RawSection& main = sections.first();
    QVERIFY(main.entries.size() >= 2);
    QCOMPARE(main.entries.at(0).first, QStringLiteral("Type"));
    QVERIFY(!main.entries.at(0).second.isEmpty());
    QCOMPARE(main.entries.at(1).first, QStringLiteral("Para"));
    const int count = main.entries.at(1).second.toInt();
    QCOMPARE(main.entries.size(), count + 2);
    QStringList names;
    for (int k = 0; k < count; ++k) {
        QCOMPARE(main.entries.at(k + 2).first, QString::number(k));
        const QString name = main.entries.at(k + 2).second;
        QVERIFY2(!name.isEmpty() && !name.contains(QRegularExpression(QStringLiteral("[\\[\\]=]"))),
                 qPrintable("bad parameter name: " + name));
        for (const QString& other : names + QStringList{QStringLiteral("Main")})
            QVERIFY2(name.compare(other, Qt::CaseInsensitive) != 0, qPrintable("name used twice: " + name));
        names.append(name);
    }
    QCOMPARE(sections.size(), count + 1);

    // What the store reads must be what the author wrote.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = CopyInto(dir, fileName);
    QVERIFY(!copy.isEmpty());
    TNewInifile ini(copy);
    for (const RawSection& section : sections) {
        for (const auto& entry : section.entries)
            QCOMPARE(ini.ReadString(section.name, entry.first, QStringLiteral("<absent>")), entry.second);
    }

    for (int k = 0; k < count; ++k) {
        const RawSection& section = sections.at(k + 1);
        QCOMPARE(section.name, names.at(k));
        const int sort = ini.ReadInteger(section.name, QStringLiteral("Sort"), -1);
        QVERIFY2(sort >= 1 && sort <= 3, qPrintable(section.name + ": Sort must name a grid"));
        QVERIFY2(!ini.ReadString(section.name, QStringLiteral("cmd"), QString()).isEmpty(),
                 qPrintable(section.name + ": no switch"));
        if (!ini.ReadBool(section.name, QStringLiteral("List"), true))
            continue;
        const QStringList captions =
            SplitList(ini.ReadString(section.name, QStringLiteral("Caption"), QString()));
        const QStringList values =
            SplitList(ini.ReadString(section.name, QStringLiteral("Value"), QString()));
        QVERIFY2(!captions.isEmpty(), qPrintable(section.name + ": no captions"));
        QVERIFY2(values.size() >= captions.size(), qPrintable(section.name + ": fewer values than captions"));
        const int index = ini.ReadInteger(section.name, QStringLiteral("Index"), 0);
        QVERIFY2(index >= 0 && index < captions.size(),
                 qPrintable(section.name + ": Index outside the captions"));
        if (section.name == QStringLiteral("Video Size")) {
            // Leaving the custom size dialog without a size falls back to
            // "Original Size", which must leave the frame size alone.
            QVERIFY(captions.contains(QStringLiteral("Custom Size")));
            QVERIFY(captions.contains(QStringLiteral("Original Size")));
            QCOMPARE(values.at(captions.indexOf(QStringLiteral("Original Size"))), QString());
            QCOMPARE(values.at(captions.indexOf(QStringLiteral("Custom Size"))), QString());
        }
    }
    ini.Free();

    // The program rewrites a profile every time it opens one; a shipped
    // profile must come out of that unchanged.
    QFile rewritten(copy);
    QVERIFY(rewritten.open(QIODevice::ReadOnly));
    QCOMPARE(rewritten.readAll(), bytes);
}

void TestShippedProfiles::convertsAtDefaults_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("videoCodec");
    QTest::addColumn<QString>("audioCodec");
    const QMap<QString, ExpectedCodecs>& profiles = ShippedProfiles();
    for (auto it = profiles.cbegin(); it != profiles.cend(); ++it)
        QTest::addRow("%s", qPrintable(it.key())) << it.key() << it.value().video << it.value().audio;
}

void TestShippedProfiles::convertsAtDefaults() {
    QFETCH(QString, fileName);
    QFETCH(QString, videoCodec);
    QFETCH(QString, audioCodec);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString profile = CopyInto(dir, fileName);
    QVERIFY(!profile.isEmpty());
    QString options;
    BuildOptionString(profile, LookupIn(LoadedProfileValues(profile)), options);
    QVERIFY(!options.isEmpty());

    TNewInifile ini(profile);
    const QString type =
        ini.ReadString(QStringLiteral("Main"), QStringLiteral("Type"), QStringLiteral("mp4"));
    ini.Free();
    const QString output = dir.filePath(QStringLiteral("out.") + type);

    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::MergedChannels);
    encoder.start(QStringLiteral(FW_ADAPTER_PATH), ConvertCommand(m_clip, options, output).arguments);
    QVERIFY2(encoder.waitForFinished(120000), "the encoder did not finish");
    const QByteArray log = encoder.readAll();
    QVERIFY2(encoder.exitStatus() == QProcess::NormalExit && encoder.exitCode() == 0,
             qPrintable(QStringLiteral("options%1 failed:\n").arg(options) +
                        QString::fromLocal8Bit(log.right(2000))));
    QCOMPARE(TestMedia::ProbeCodec(output, QStringLiteral("video")), videoCodec);
    QCOMPARE(TestMedia::ProbeCodec(output, QStringLiteral("audio")), audioCodec);
}

QTEST_GUILESS_MAIN(TestShippedProfiles)
#include "tst_shippedprofiles.moc"
