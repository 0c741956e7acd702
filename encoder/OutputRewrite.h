#pragma once

#include <cstddef>
#include <string>

// The program reads two things out of ffmpeg's console text: the progress
// time as plain seconds, and the frame size as the third comma-separated
// field of the "Video" stream line. ffmpeg prints both in forms the program
// cannot read, so these functions rewrite exactly those two spots of a
// record and leave every other byte as it is.
namespace wmaspi {

// One output record: the bytes up to and including a "\r" or "\n", or the
// unterminated rest. Rewrites the progress time and the Video stream line;
// any other record comes back unchanged.
std::string RewriteRecord(const std::string& record);

// "time=HH:MM:SS.xx" becomes "time=<seconds>.xx", always followed by a blank.
// "time=N/A" and anything that is not a clock reading stay as they are.
std::string RewriteProgressTime(const std::string& record);

// On a "Stream #…: Video: …" record, commas inside parentheses or brackets
// no longer separate fields, and the frame size becomes the third field on
// its own (" 320x240"); what followed it on the same field becomes the next
// field. Other records come back unchanged.
std::string RewriteVideoStreamLine(const std::string& record);

// Cuts a byte stream into records, each ending in "\r" or "\n" (the
// terminator kept), so progress records that end in "\r" are passed on as
// soon as they are complete.
class RecordSplitter final {
  public:
    void feed(const char* data, std::size_t size);
    // Moves the next complete record into `record`; false when none is
    // complete yet.
    bool next(std::string& record);
    bool hasPartial() const { return m_read < m_buffer.size(); }
    // The incomplete tail, handed over when the stream ends or falls silent.
    std::string takePartial();

  private:
    std::string m_buffer;
    std::size_t m_read = 0;
};

} // namespace wmaspi
