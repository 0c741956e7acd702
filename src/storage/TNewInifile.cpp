#include "storage/TNewInifile.h"

#include "platform/NumberText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QByteArray kLineBreak = QByteArrayLiteral("\r\n");

// Only A to Z are folded: every other byte, including each byte of a
// multi-byte character, must compare unchanged.
QByteArray asciiLower(QByteArray text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

// Splits text into lines the way a file is loaded: a line ends at CR LF, a
// lone CR or a lone LF, a break after the last line adds no empty line, and a
// NUL byte ends the text.
QList<QByteArray> splitLines(const QByteArray& text)
{
    QList<QByteArray> lines;
    const qsizetype nul = text.indexOf('\0');
    const qsizetype end = nul < 0 ? text.size() : nul;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.append(text.mid(start, i - start));
            if (c == '\r' && i + 1 < end && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < end)
        lines.append(text.mid(start, end - start));
    return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + kLineBreak;
    return text;
}

QByteArray headerOf(const QString& section)
{
    return '[' + section.toUtf8() + ']';
}

// A text that holds a line break or a NUL would come back from the file as
// several lines (or cut short), so that the store's later line numbers point
// at the wrong lines and the rest could be read as keys or sections of their
// own. Such a text is refused before anything is changed.
void requireSingleLine(const QString& filePath, const QString& what, const QString& text)
{
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            throw IniFileError(filePath, QStringLiteral("The %1 \"%2\" contains a line break or a NUL character "
                                                        "and cannot be stored on one line.")
                                             .arg(what, text));
    }
}

// The value after the first key + "=" found in lines, or nothing.
std::optional<QByteArray> firstValue(const QByteArray& key, const QList<QByteArray>& lines)
{
    const QByteArray pattern = asciiLower(key + '=');
    for (const QByteArray& line : lines) {
        const qsizetype at = asciiLower(line).indexOf(pattern);
        if (at >= 0)
            return line.mid(at + pattern.size());
    }
    return std::nullopt;
}

bool isTrueText(const QString& text, bool* value)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        *value = true;
        return true;
    }
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        *value = false;
        return true;
    }
    return false;
}

} // namespace

IniFileError::IniFileError(const QString& path, const QString& reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()), m_path(path), m_reason(reason)
{
}

TNewInifile::TNewInifile(const QString& filePath) : m_filePath(filePath)
{
    if (!QFileInfo::exists(filePath))
        return;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw IniFileError(filePath, file.errorString());
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IniFileError(filePath, file.errorString());
    m_lines = splitLines(content);
}

QByteArray TNewInifile::ReadSectionText(const QString& section) const
{
    const QByteArray text = joinLines(m_lines);
    const QByteArray header = asciiLower(headerOf(section));
    const qsizetype at = asciiLower(text).indexOf(header);
    if (at < 0)
        return {};
    QByteArray rest = text.mid(at + header.size());
    // The next "[" ends the section wherever it stands, even inside a value.
    const qsizetype next = rest.indexOf('[');
    if (next >= 0)
        rest.truncate(next);
    return rest;
}

QByteArray TNewInifile::FindValue(const QByteArray& key, const QList<QByteArray>& lines, const QByteArray& def)
{
    return firstValue(key, lines).value_or(def);
}

int TNewInifile::FindSection(const QString& section) const
{
    const QByteArray header = asciiLower(headerOf(section));
    for (int i = 0; i < m_lines.size(); ++i) {
        if (asciiLower(m_lines[i]).contains(header))
            return i;
    }
    return -1;
}

int TNewInifile::FindKey(const QString& section, const QString& key) const
{
    const QByteArray pattern = asciiLower(key.toUtf8() + '=');
    const QList<QByteArray> lines = sectionLines(section);
    for (int i = 0; i < lines.size(); ++i) {
        if (asciiLower(lines[i]).contains(pattern))
            return i;
    }
    return -1;
}

QList<QByteArray> TNewInifile::sectionLines(const QString& section) const
{
    return splitLines(ReadSectionText(section));
}

std::optional<QByteArray> TNewInifile::lookup(const QString& section, const QString& key) const
{
    return firstValue(key.toUtf8(), sectionLines(section));
}

QString TNewInifile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const std::optional<QByteArray> value = lookup(section, key);
    return value ? QString::fromUtf8(*value) : def;
}

int TNewInifile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const std::optional<QByteArray> value = lookup(section, key);
    if (!value)
        return def;
    bool ok = false;
    const int number = StrToInt32(QString::fromUtf8(*value), &ok);
    return ok ? number : def;
}

bool TNewInifile::ReadBool(const QString& section, const QString& key, bool def) const
{
    const std::optional<QByteArray> value = lookup(section, key);
    if (!value)
        return def;
    const QString text = QString::fromUtf8(*value);
    bool ok = false;
    const double number = StrToFloatDot(text, &ok);
    if (ok)
        return number != 0;
    bool flag = false;
    return isTrueText(text, &flag) ? flag : def;
}

double TNewInifile::ReadFloat(const QString& section, const QString& key, double def) const
{
    const std::optional<QByteArray> value = lookup(section, key);
    if (!value)
        return def;
    bool ok = false;
    const double number = StrToFloatDot(QString::fromUtf8(*value), &ok);
    return ok ? number : def;
}

void TNewInifile::WriteString(const QString& section, const QString& key, const QString& value)
{
    requireSingleLine(m_filePath, QStringLiteral("section"), section);
    requireSingleLine(m_filePath, QStringLiteral("key"), key);
    requireSingleLine(m_filePath, QStringLiteral("value"), value);

    const QByteArray line = key.toUtf8() + '=' + value.toUtf8();
    const int s = FindSection(section);
    if (s < 0) {
        m_lines.append(headerOf(section));
        m_lines.append(line);
        return;
    }
    const int k = FindKey(section, key);
    // A key found only in the rest of the header line would replace the
    // header and orphan the whole section, so it is treated like a new key.
    if (k <= 0)
        m_lines.insert(s + 1, line);
    else
        m_lines[s + k] = line;
}

void TNewInifile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TNewInifile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TNewInifile::Free()
{
    // The new content goes to a temporary file beside the old one and is
    // renamed over it only when complete, so a crash or a full disk never
    // leaves a half-written settings file behind. The writes are unbuffered
    // and repeated until all is written, so that a write cut short (a full
    // disk, a size limit) is seen here with its cause rather than passing
    // unnoticed when the buffer is flushed at commit.
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw IniFileError(m_filePath, file.errorString());
    const QByteArray content = joinLines(m_lines);
    qsizetype done = 0;
    while (done < content.size()) {
        const qint64 written = file.write(content.constData() + done, content.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw IniFileError(m_filePath, reason);
        }
        done += written;
    }
    if (!file.commit())
        throw IniFileError(m_filePath, file.errorString());
}
