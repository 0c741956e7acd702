#pragma once

#include <string>
#include <vector>

// Starting ffmpeg and relaying its console output. This is the part of the
// adapter that depends on the operating system; it has a POSIX
// implementation (FfmpegProcessPosix.cpp).
namespace wmaspi {

// The ffmpeg the adapter runs: a file named "ffmpeg" in the adapter's own
// folder when there is one, so a program directory can ship its own, else
// the first one on PATH. Empty, with `reason` set, when there is none.
std::string LocateFfmpeg(const char* adapterArgument0, std::string& reason);

// This process's id, which keeps the temporary names of concurrent runs apart.
long CurrentProcessId();

struct FfmpegResult {
    bool started = false;
    std::string failure; // why ffmpeg could not be started
    int exitCode = 0;    // ffmpeg's exit code, or 128 + the signal that ended it
    int stopSignal = 0;  // the terminate/interrupt signal the adapter received, 0 when none
};

// Runs ffmpeg with `arguments`, its standard output and error merged and
// written to the adapter's standard output record by record, each record
// rewritten by RewriteRecord and flushed as soon as it is complete. A
// terminate, interrupt or hang-up signal sent to the adapter is passed on
// to ffmpeg, which gets a short time to finish before it is killed; ffmpeg
// is also killed when the adapter itself dies.
FfmpegResult RunFfmpeg(const std::string& program, const std::vector<std::string>& arguments);

} // namespace wmaspi
