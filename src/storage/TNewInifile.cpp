#include "storage/TNewInifile.h"

#include "platform/NumberText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <string_view>

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

// The first occurrence of `needle` in `haystack`, or -1. It hops from one
// occurrence of the needle's first byte to the next, which for the headers
// and keys of a settings file is many times quicker than the general search.
qsizetype find(QByteArrayView haystack, QByteArrayView needle)
{
    const std::string_view text(haystack.data(), size_t(haystack.size()));
    const size_t at = text.find(std::string_view(needle.data(), size_t(needle.size())));
    return at == std::string_view::npos ? -1 : qsizetype(at);
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

const TNewInifile::JoinedText& TNewInifile::joined() const
{
    if (!m_joined) {
        JoinedText all;
        all.lineStarts.reserve(m_lines.size());
        for (const QByteArray& line : m_lines) {
            all.lineStarts.append(all.text.size());
            all.text += line + kLineBreak;
        }
        all.lowered = asciiLower(all.text);
        m_joined = std::move(all);
    }
    return *m_joined;
}

std::optional<TNewInifile::Span> TNewInifile::sectionSpan(const QString& section) const
{
    const JoinedText& all = joined();
    const QByteArray header = asciiLower(headerOf(section));
    const qsizetype at = find(all.lowered, header);
    if (at < 0)
        return std::nullopt;
    const qsizetype from = at + header.size();
    // The next "[" ends the section wherever it stands, even inside a value.
    const qsizetype next = all.text.indexOf('[', from);
    return Span{from, next < 0 ? all.text.size() : next};
}

QByteArray TNewInifile::ReadSectionText(const QString& section) const
{
    const std::optional<Span> span = sectionSpan(section);
    return span ? joined().text.mid(span->from, span->to - span->from) : QByteArray();
}

QByteArray TNewInifile::FindValue(const QByteArray& key, const QList<QByteArray>& lines, const QByteArray& def)
{
    return firstValue(key, lines).value_or(def);
}

int TNewInifile::FindSection(const QString& section) const
{
    const QByteArray header = asciiLower(headerOf(section));
    // No line holds a line break, so no line holds such a header.
    if (header.contains('\r') || header.contains('\n'))
        return -1;
    // Lines hold no line breaks either, so the first line that holds the
    // header is the line of its first occurrence in the joined text.
    const JoinedText& all = joined();
    const qsizetype at = find(all.lowered, header);
    if (at < 0)
        return -1;
    return int(std::upper_bound(all.lineStarts.cbegin(), all.lineStarts.cend(), at) - all.lineStarts.cbegin()) - 1;
}

qsizetype TNewInifile::findKeyIn(const Span& span, const QString& key, qsizetype* patternSize) const
{
    const QByteArray pattern = asciiLower(key.toUtf8() + '=');
    *patternSize = pattern.size();
    // Section lines hold no line breaks, so no line holds such a key, and
    // the first section line that holds any other key is the line of its
    // first occurrence in the section's text.
    if (pattern.contains('\r') || pattern.contains('\n'))
        return -1;
    const qsizetype at = find(QByteArrayView(joined().lowered).sliced(span.from, span.to - span.from), pattern);
    return at < 0 ? -1 : span.from + at;
}

int TNewInifile::FindKey(const QString& section, const QString& key) const
{
    const std::optional<Span> span = sectionSpan(section);
    if (!span)
        return -1;
    qsizetype patternSize = 0;
    const qsizetype at = findKeyIn(*span, key, &patternSize);
    if (at < 0)
        return -1;
    // Section line 0 is the rest of the header's line; each line break
    // before the key starts one more.
    const QByteArrayView before = QByteArrayView(joined().text).sliced(span->from, at - span->from);
    return int(std::count(before.begin(), before.end(), '\n'));
}

std::optional<QByteArray> TNewInifile::lookup(const QString& section, const QString& key) const
{
    const std::optional<Span> span = sectionSpan(section);
    if (!span)
        return std::nullopt;
    qsizetype patternSize = 0;
    const qsizetype at = findKeyIn(*span, key, &patternSize);
    if (at < 0)
        return std::nullopt;
    // The value runs to the end of its line, or to the "[" that ends the
    // section inside it.
    const QByteArray& text = joined().text;
    const qsizetype from = at + patternSize;
    qsizetype to = text.indexOf('\r', from);
    if (to < 0 || to > span->to)
        to = span->to;
    return text.mid(from, to - from);
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
        insertLine(int(m_lines.size()), headerOf(section));
        insertLine(int(m_lines.size()), line);
        return;
    }
    const int k = FindKey(section, key);
    // A key found only in the rest of the header line would replace the
    // header and orphan the whole section, so it is treated like a new key.
    if (k <= 0)
        insertLine(s + 1, line);
    else
        replaceLine(s + k, line);
}

// The joined text is patched rather than built again, so that a store
// that is written and read in turn stays quick.
void TNewInifile::insertLine(int index, const QByteArray& line)
{
    m_lines.insert(index, line);
    if (!m_joined)
        return;
    JoinedText& all = *m_joined;
    const QByteArray entry = line + kLineBreak;
    const qsizetype at = index < all.lineStarts.size() ? all.lineStarts[index] : all.text.size();
    all.text.insert(at, entry);
    all.lowered.insert(at, asciiLower(entry));
    all.lineStarts.insert(index, at);
    for (qsizetype i = index + 1; i < all.lineStarts.size(); ++i)
        all.lineStarts[i] += entry.size();
}

void TNewInifile::replaceLine(int index, const QByteArray& line)
{
    const qsizetype oldSize = m_lines[index].size();
    m_lines[index] = line;
    if (!m_joined)
        return;
    JoinedText& all = *m_joined;
    const qsizetype at = all.lineStarts[index];
    all.text.replace(at, oldSize, line);
    all.lowered.replace(at, oldSize, asciiLower(line));
    for (qsizetype i = index + 1; i < all.lineStarts.size(); ++i)
        all.lineStarts[i] += line.size() - oldSize;
}

void TNewInifile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TNewInifile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TNewInifile::FreeAfterReading() noexcept
{
    try {
        Free();
    } catch (const IniFileError&) {
    }
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
