#pragma once

#include <string>
#include <vector>

// How one adapter run maps onto one ffmpeg run. A conversion never lets
// ffmpeg write the output file directly: it writes a temporary file beside it
// with the same extension (so ffmpeg still picks the format from the name),
// and only a conversion that ends well replaces the output. A probe runs
// ffmpeg on the arguments as they are.
namespace wmaspi {

struct RunPlan {
    // ffmpeg's arguments, without the program name.
    std::vector<std::string> ffmpegArguments;
    // The output file a conversion produces; empty for a probe or for an
    // output that is not a plain file (a pipe, a device, a protocol address).
    std::string output;
    // Where ffmpeg writes while it converts; empty when `output` is.
    std::string temporary;
    // The input path (the argument after "-i"); empty when there is none.
    std::string input;
    // Without "-y" an existing output must not be replaced; ffmpeg would ask,
    // and without a console it answers no.
    bool overwrite = false;
};

// What the plan needs to know about the files named on the command line.
struct FileFacts {
    // True when the path names a regular file or nothing at all.
    bool (*isPlainFileOrMissing)(const std::string& path);
    // True when both paths name one existing file.
    bool (*isSameFile)(const std::string& first, const std::string& second);
};

// `arguments` are the adapter's own arguments; `processId` makes the
// temporary name unique to this run.
RunPlan PlanRun(const std::vector<std::string>& arguments, long processId, const FileFacts& files);

// "<folder>/.<name>.partial-<id>.<extension>" for "<folder>/<name>.<extension>",
// the name shortened when the whole would be longer than a file name may be.
std::string TemporaryPathFor(const std::string& output, long processId);

} // namespace wmaspi
