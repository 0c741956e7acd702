// wmaspi.dll: the encoder the program runs. It carries out the program's
// probe and convert command lines with ffmpeg and turns ffmpeg's console
// text into the form the program reads.

#include "FfmpegProcess.h"
#include "RunPlan.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

void Say(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

bool IsPlainFileOrMissing(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return status.type() == std::filesystem::file_type::not_found ||
           status.type() == std::filesystem::file_type::regular;
}

bool IsSameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    return std::filesystem::equivalent(first, second, error) && !error;
}

// A conversion's result becomes the output only when ffmpeg finished it
// and nobody stopped it; anything else leaves the earlier output, if any,
// untouched and removes the unfinished file.
int FinishOutput(const wmaspi::RunPlan& plan, const wmaspi::FfmpegResult& result) {
    std::error_code error;
    const bool written = std::filesystem::exists(plan.temporary, error);
    if (result.exitCode != 0 || result.stopSignal != 0) {
        std::filesystem::remove(plan.temporary, error);
        return result.stopSignal != 0 ? 128 + result.stopSignal : result.exitCode;
    }
    // Some outputs (a null muxer, for one) never create a file.
    if (!written)
        return 0;
    std::filesystem::rename(plan.temporary, plan.output, error);
    if (error) {
        Say("wmaspi: cannot replace '" + plan.output + "': " + error.message() + "\n");
        std::filesystem::remove(plan.temporary, error);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const wmaspi::RunPlan plan =
        wmaspi::PlanRun(arguments, wmaspi::CurrentProcessId(), {IsPlainFileOrMissing, IsSameFile});

    std::error_code error;
    if (!plan.output.empty() && !plan.overwrite && std::filesystem::exists(plan.output, error)) {
        Say("File '" + plan.output + "' already exists. Exiting.\n");
        return 1;
    }

    std::string reason;
    const std::string ffmpeg = wmaspi::LocateFfmpeg(argc > 0 ? argv[0] : nullptr, reason);
    if (ffmpeg.empty()) {
        Say("wmaspi: cannot run ffmpeg: " + reason + "\n");
        return 127;
    }

    const wmaspi::FfmpegResult result = wmaspi::RunFfmpeg(ffmpeg, plan.ffmpegArguments);
    if (!result.started) {
        Say("wmaspi: cannot run ffmpeg: " + result.failure + "\n");
        return 127;
    }
    if (!plan.temporary.empty())
        return FinishOutput(plan, result);
    return result.stopSignal != 0 ? 128 + result.stopSignal : result.exitCode;
}
