// The INI text store on any file content and any sequence of reads and
// writes. The input is the file's bytes, then the line "--ops--", then one
// operation per line: a letter and its fields, separated by "|", e.g.
// "w|Main|Output Path|/tmp/x" (a byte 0x01 in a field stands for a line
// feed, which the line format cannot carry otherwise).
//   r/i/b/f  ReadString/ReadInteger/ReadBool/ReadFloat  section|key|default
//   w        WriteString   section|key|value   (then read back)
//   n/o      WriteInteger/WriteBool  section|key|number  (then read back)
//   t        ReadSectionText, FindSection and FindKey   section|key
//   x        Free, reload from the file, go on with a new store
//   d        delete the file (the next store starts from a missing file)
// Every input ends with Free and a reload.

#include "FuzzCheck.h"
#include "storage/TNewInifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

namespace {

const QByteArray kOpsMarker = QByteArrayLiteral("\n--ops--\n");

// Every Free() syncs its file to the disk; a folder in memory keeps that
// from setting the pace of the run.
QString storePath()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/fuzz_inifile-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_inifile-XXXXXX"));
    FUZZ_CHECK(dir.isValid(), "no temporary folder");
    return dir.filePath(QStringLiteral("store.ini"));
}

QByteArray lower(QByteArray text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

bool breaksLine(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

// A name or value for which a write is promised to read back: it cannot
// end a section early ("[") or, for a section, change its header ("]").
bool saneText(const QString& text, bool isSection)
{
    return !breaksLine(text) && !text.contains(u'[') && !(isSection && text.contains(u']'));
}

QByteArray joined(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

void checkLines(const TNewInifile& store)
{
    for (const QByteArray& line : store.lines())
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'),
                   "a stored line holds a line break or NUL: " + QString::fromLatin1(line.toHex()));
}

// What follows the section's header on its header line decides whether a
// fresh write can be seen: a "[" there ends the section before the new line,
// and a match of the key there answers reads before the new line does.
bool headerLineHides(const TNewInifile& store, const QString& section, const QString& key)
{
    const int s = store.FindSection(section);
    if (s < 0)
        return false;
    const QByteArray line = lower(store.lines()[s]);
    const QByteArray header = lower('[' + section.toUtf8() + ']');
    const QByteArray rest = line.mid(line.indexOf(header) + header.size());
    return rest.contains('[') || rest.contains(lower(key.toUtf8() + '='));
}

void freeAndReload(std::unique_ptr<TNewInifile>& store, const QString& path)
{
    const QList<QByteArray> before = store->lines();
    store->Free();
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), "the store's file is missing after Free");
    const QByteArray content = file.readAll();
    file.close();
    FUZZ_CHECK(content == joined(before), "the file is not the lines each followed by CR LF");
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content[i] == '\n')
            FUZZ_CHECK(i > 0 && content[i - 1] == '\r', "a line feed without its carriage return");
        if (content[i] == '\r')
            FUZZ_CHECK(i + 1 < content.size() && content[i + 1] == '\n', "a carriage return without its line feed");
    }
    store = std::make_unique<TNewInifile>(path);
    FUZZ_CHECK(store->lines() == before, "reloading the written file gives other lines");
}

QString field(const QList<QByteArray>& fields, int index)
{
    if (index >= fields.size())
        return QString();
    QByteArray bytes = fields[index];
    bytes.replace('\x01', '\n');
    return QString::fromUtf8(bytes);
}

void runOperation(std::unique_ptr<TNewInifile>& store, const QString& path, const QByteArray& line)
{
    if (line.isEmpty())
        return;
    const QList<QByteArray> fields = line.split('|');
    const QString section = field(fields, 1);
    const QString key = field(fields, 2);
    const QString third = field(fields, 3);
    const QList<QByteArray> before = store->lines();

    switch (line[0]) {
    case 'r':
        store->ReadString(section, key, third);
        break;
    case 'i':
        store->ReadInteger(section, key, third.size());
        break;
    case 'b':
        store->ReadBool(section, key, third.isEmpty());
        break;
    case 'f':
        FUZZ_CHECK(std::isfinite(store->ReadFloat(section, key, 0.5)), "ReadFloat gave a number that is not finite");
        break;
    case 't': {
        const int s = store->FindSection(section);
        FUZZ_CHECK(s >= -1 && s < store->lines().size(), "FindSection out of range");
        const QByteArray text = store->ReadSectionText(section);
        if (s < 0)
            FUZZ_CHECK(text.isEmpty(), "an absent section has text");
        FUZZ_CHECK(!text.contains('['), "the section text runs past a \"[\"");
        const int k = store->FindKey(section, key);
        if (s < 0)
            FUZZ_CHECK(k == -1, "a key found in an absent section");
        if (k >= 0)
            FUZZ_CHECK(s + k < store->lines().size(), "FindKey points past the last line");
        break;
    }
    case 'w':
    case 'n':
    case 'o': {
        const bool refused = breaksLine(section) || breaksLine(key) || (line[0] == 'w' && breaksLine(third));
        const int number = third.toInt();
        const bool flag = third.size() % 2 == 1;
        try {
            if (line[0] == 'w')
                store->WriteString(section, key, third);
            else if (line[0] == 'n')
                store->WriteInteger(section, key, number);
            else
                store->WriteBool(section, key, flag);
            FUZZ_CHECK(!refused, "a text with a line break was written");
        } catch (const IniFileError&) {
            FUZZ_CHECK(refused, "a write was refused without a line break in its texts");
            FUZZ_CHECK(store->lines() == before, "a refused write changed the lines");
            break;
        }
        FUZZ_CHECK(store->FindSection(section) >= 0, "the written section cannot be found");
        if (!saneText(section, true) || !saneText(key, false) || headerLineHides(*store, section, key))
            break;
        if (line[0] == 'w') {
            if (saneText(third, false))
                FUZZ_CHECK(store->ReadString(section, key, QStringLiteral("\x01")) == third,
                           "value written does not read back: [" + section + "] " + key + "=" + third);
        } else if (line[0] == 'n') {
            FUZZ_CHECK(store->ReadInteger(section, key, ~number) == number, "integer written does not read back");
        } else {
            FUZZ_CHECK(store->ReadBool(section, key, !flag) == flag, "boolean written does not read back");
        }
        break;
    }
    case 'x':
        freeAndReload(store, path);
        break;
    case 'd':
        QFile::remove(path);
        break;
    default:
        break;
    }
    if (line[0] == 'r' || line[0] == 'i' || line[0] == 'b' || line[0] == 'f' || line[0] == 't')
        FUZZ_CHECK(store->lines() == before, "a read changed the lines");
    checkLines(*store);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = FuzzBytes(data, size);
    const qsizetype marker = input.indexOf(kOpsMarker);
    const QByteArray content = marker < 0 ? input : input.left(marker);
    const QByteArray operations = marker < 0 ? QByteArray() : input.mid(marker + kOpsMarker.size());

    const QString path = storePath();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the temporary file");
        FUZZ_CHECK(file.write(content) == content.size(), "cannot write the temporary file");
    }

    auto store = std::make_unique<TNewInifile>(path);
    checkLines(*store);
    for (const QByteArray& line : operations.split('\n'))
        runOperation(store, path, line);
    freeAndReload(store, path);
    return 0;
}
