#include "OutputRewrite.h"

#include <cctype>
#include <vector>

namespace wmaspi {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of decimal digits starting at `pos`; returns how many there were.
std::size_t DigitRun(const std::string& text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return end - pos;
}

// Parses "[-]H+:MM:SS[.f+]" at `pos`. On success stores the replacement text
// in `seconds` and returns the length of the clock text; 0 when there is none.
std::size_t ParseClock(const std::string& text, std::size_t pos, std::string& seconds) {
    std::size_t at = pos;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative)
        ++at;
    const std::size_t hourDigits = DigitRun(text, at);
    // Eleven digits keep the arithmetic far inside 64 bits.
    if (hourDigits == 0 || hourDigits > 11)
        return 0;
    const std::size_t hoursAt = at;
    at += hourDigits;
    if (at >= text.size() || text[at] != ':' || DigitRun(text, at + 1) != 2)
        return 0;
    const std::size_t minutesAt = at + 1;
    at += 3;
    if (at >= text.size() || text[at] != ':' || DigitRun(text, at + 1) != 2)
        return 0;
    const std::size_t secondsAt = at + 1;
    at += 3;
    std::string fraction;
    if (at < text.size() && text[at] == '.' && DigitRun(text, at + 1) > 0) {
        const std::size_t fractionDigits = DigitRun(text, at + 1);
        fraction = text.substr(at, fractionDigits + 1);
        at += fractionDigits + 1;
    }
    const long long hours = std::stoll(text.substr(hoursAt, hourDigits));
    const long long minutes = std::stoll(text.substr(minutesAt, 2));
    const long long wholeSeconds = std::stoll(text.substr(secondsAt, 2));
    seconds = (negative ? "-" : "") + std::to_string(hours * 3600 + minutes * 60 + wholeSeconds) + fraction;
    return at - pos;
}

std::size_t TerminatorLength(const std::string& record) {
    return !record.empty() && (record.back() == '\n' || record.back() == '\r') ? 1 : 0;
}

// Splits at the commas that are not inside parentheses or brackets, and
// drops the commas that are, so "yuv420p(tv, bt709)" stays one field.
std::vector<std::string> TopLevelFields(const std::string& text) {
    std::vector<std::string> fields(1);
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (c == ',') {
            if (depth == 0) {
                fields.emplace_back();
                continue;
            }
            if (i + 1 < text.size() && text[i + 1] == ' ')
                continue;
            fields.back() += ' ';
            continue;
        }
        fields.back() += c;
    }
    return fields;
}

// Length of a "WxH" frame size at the start of `text` (after its blanks),
// measured from the first digit; 0 when the field does not start with one.
std::size_t FrameSizeLength(const std::string& text, std::size_t start) {
    const std::size_t widthDigits = DigitRun(text, start);
    if (widthDigits == 0 || start + widthDigits >= text.size() || text[start + widthDigits] != 'x')
        return 0;
    const std::size_t heightDigits = DigitRun(text, start + widthDigits + 1);
    if (heightDigits == 0)
        return 0;
    const std::size_t end = start + widthDigits + 1 + heightDigits;
    if (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])))
        return 0;
    return end - start;
}

} // namespace

std::string RewriteProgressTime(const std::string& record) {
    static const std::string marker = "time=";
    std::string result;
    std::size_t copied = 0;
    std::size_t found = record.find(marker);
    while (found != std::string::npos) {
        const std::size_t clockAt = found + marker.size();
        std::string seconds;
        const std::size_t clockLength = ParseClock(record, clockAt, seconds);
        if (clockLength == 0) {
            found = record.find(marker, clockAt);
            continue;
        }
        result.append(record, copied, clockAt - copied);
        result += seconds;
        copied = clockAt + clockLength;
        if (copied >= record.size() || record[copied] != ' ')
            result += ' ';
        found = record.find(marker, copied);
    }
    if (copied == 0)
        return record;
    result.append(record, copied, std::string::npos);
    return result;
}

std::string RewriteVideoStreamLine(const std::string& record) {
    static const std::string marker = "Video:";
    const std::size_t stream = record.find("Stream #");
    if (stream == std::string::npos)
        return record;
    const std::size_t video = record.find(marker, stream);
    if (video == std::string::npos)
        return record;
    const std::size_t bodyAt = video + marker.size();
    const std::size_t terminator = TerminatorLength(record);
    std::vector<std::string> fields =
        TopLevelFields(record.substr(bodyAt, record.size() - terminator - bodyAt));

    std::size_t sizeIndex = fields.size();
    std::size_t sizeStart = 0;
    std::size_t sizeLength = 0;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        sizeStart = fields[i].find_first_not_of(' ');
        if (sizeStart == std::string::npos)
            continue;
        sizeLength = FrameSizeLength(fields[i], sizeStart);
        if (sizeLength > 0) {
            sizeIndex = i;
            break;
        }
    }

    std::vector<std::string> rewritten;
    if (sizeIndex >= 2 && sizeIndex < fields.size()) {
        // Codec, then everything up to the size as one pixel-format field,
        // then the size alone, then what trailed it (such as "[SAR 1:1 DAR 4:3]").
        rewritten.push_back(fields[0]);
        std::string pixelFormat;
        for (std::size_t i = 1; i < sizeIndex; ++i)
            pixelFormat += fields[i];
        rewritten.push_back(pixelFormat);
        const std::string& sizeField = fields[sizeIndex];
        rewritten.push_back(' ' + sizeField.substr(sizeStart, sizeLength));
        const std::string trailing = sizeField.substr(sizeStart + sizeLength);
        if (trailing.find_first_not_of(' ') != std::string::npos)
            rewritten.push_back(trailing);
        rewritten.insert(rewritten.end(), fields.begin() + static_cast<long>(sizeIndex) + 1, fields.end());
    } else {
        rewritten = fields;
    }

    std::string result = record.substr(0, bodyAt);
    for (std::size_t i = 0; i < rewritten.size(); ++i) {
        if (i > 0)
            result += ',';
        result += rewritten[i];
    }
    result.append(record, record.size() - terminator, terminator);
    return result;
}

std::string RewriteRecord(const std::string& record) {
    return RewriteVideoStreamLine(RewriteProgressTime(record));
}

void RecordSplitter::feed(const char* data, std::size_t size) {
    if (m_read > 0 && m_read == m_buffer.size()) {
        m_buffer.clear();
        m_read = 0;
    }
    m_buffer.append(data, size);
}

bool RecordSplitter::next(std::string& record) {
    const std::size_t end = m_buffer.find_first_of("\r\n", m_read);
    if (end == std::string::npos) {
        if (m_read > 0) {
            m_buffer.erase(0, m_read);
            m_read = 0;
        }
        return false;
    }
    record.assign(m_buffer, m_read, end + 1 - m_read);
    m_read = end + 1;
    return true;
}

std::string RecordSplitter::takePartial() {
    std::string rest = m_buffer.substr(m_read);
    m_buffer.clear();
    m_read = 0;
    return rest;
}

} // namespace wmaspi
