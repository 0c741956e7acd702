#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <stdexcept>

// A stored settings file that could not be read, written, or asked to hold a
// text that would break its line structure. Carries the file's path and the
// system's own reason so the handler can tell the user which file failed.
class IniFileError final : public std::runtime_error
{
public:
    IniFileError(const QString& path, const QString& reason);

    const QString& path() const { return m_path; }
    const QString& reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

// The text store behind Preferences.ini and the profiles. It keeps the file
// as a list of byte lines and answers every request by plain text search, so
// that files written by earlier versions read and write exactly as before:
// a section is wherever "[" + name + "]" occurs, a key wherever key + "="
// occurs, both ignoring the case of A to Z. Writes change only the lines in
// memory; nothing reaches the disk before Free().
class TNewInifile final
{
public:
    // Loads the file if one exists at the path; a missing file gives an empty
    // store and is not created until Free().
    explicit TNewInifile(const QString& filePath);

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    double ReadFloat(const QString& section, const QString& key, double def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // Writes every line back, each followed by CR LF, also when only reads
    // took place. The new content replaces the old file in one step, so a
    // failed write leaves the old file as it was.
    void Free();
    // The release of a store that was only read: the file is rewritten as
    // always, but a failure to do so is not an error, since nothing of the
    // file's content is lost by it.
    void FreeAfterReading() noexcept;

    // The text after the section's header up to the next "[" (empty when the
    // section is absent).
    QByteArray ReadSectionText(const QString& section) const;
    // The value of the first line that holds key + "=", else def.
    static QByteArray FindValue(const QByteArray& key, const QList<QByteArray>& lines, const QByteArray& def);
    // Index in lines() of the first line that holds the section's header, or -1.
    int FindSection(const QString& section) const;
    // Index of the key's line among the section's lines (0 is the rest of the
    // header line), or -1.
    int FindKey(const QString& section, const QString& key) const;

    const QString& filePath() const { return m_filePath; }
    const QList<QByteArray>& lines() const { return m_lines; }

private:
    Q_DISABLE_COPY_MOVE(TNewInifile)

    // The lines joined as ReadSectionText searches them, each followed by
    // CR LF, a lowered copy and where each line starts in them.
    struct JoinedText {
        QByteArray text;
        QByteArray lowered;
        QList<qsizetype> lineStarts;
    };
    // Where a section's text lies in the joined text.
    struct Span {
        qsizetype from;
        qsizetype to;
    };

    std::optional<QByteArray> lookup(const QString& section, const QString& key) const;
    const JoinedText& joined() const;
    std::optional<Span> sectionSpan(const QString& section) const;
    qsizetype findKeyIn(const Span& span, const QString& key, qsizetype* patternSize) const;
    void insertLine(int index, const QByteArray& line);
    void replaceLine(int index, const QByteArray& line);

    QString m_filePath;
    QList<QByteArray> m_lines;
    // Built at the first read and patched by every write: joining, lowering
    // and splitting the whole file again for each read made a profile with
    // thousands of parameters take minutes to load and to save.
    mutable std::optional<JoinedText> m_joined;
};
