#include "RunPlan.h"

#include <cctype>

namespace wmaspi {

namespace {

// The longest file name (not path) most file systems accept, in bytes.
constexpr std::size_t MaxFileNameBytes = 255;

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

// ffmpeg reads "name:" at the start of an output as a protocol ("pipe:1",
// "udp://…"); such outputs are not files we could replace. A single letter
// before the colon is a Windows drive, not a protocol.
bool LooksLikeProtocol(const std::string& path) {
    const std::size_t colon = path.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    if (!std::isalpha(static_cast<unsigned char>(path[0])))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = path[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// Cuts a UTF-8 text to at most `bytes` bytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

std::string TemporaryPathFor(const std::string& output, long processId) {
    std::size_t nameAt = output.size();
    while (nameAt > 0 && !IsSeparator(output[nameAt - 1]))
        --nameAt;
    const std::string folder = output.substr(0, nameAt);
    const std::string name = output.substr(nameAt);
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : std::string();
    const std::string marker = ".partial-" + std::to_string(processId);
    const std::size_t fixedBytes = 1 + marker.size() + extension.size();
    const std::size_t room = fixedBytes < MaxFileNameBytes ? MaxFileNameBytes - fixedBytes : 0;
    return folder + "." + CutUtf8(stem, room) + marker + extension;
}

RunPlan PlanRun(const std::vector<std::string>& arguments, long processId, const FileFacts& files) {
    RunPlan plan;
    plan.ffmpegArguments.push_back("-nostdin");
    plan.ffmpegArguments.insert(plan.ffmpegArguments.end(), arguments.begin(), arguments.end());

    std::size_t input = arguments.size();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-i") {
            input = i;
            break;
        }
    }
    if (input + 1 < arguments.size())
        plan.input = arguments[input + 1];
    // The output is the last argument, after the input path and its "-i";
    // an argument that starts with "-" there would be read by ffmpeg as an
    // option, so it is no output. An output that is the input itself is left
    // to ffmpeg, which refuses it; written through a temporary file it would
    // replace the source with its own conversion.
    if (input + 2 >= arguments.size())
        return plan;
    const std::string& output = arguments.back();
    if (output.empty() || output[0] == '-' || LooksLikeProtocol(output) ||
        !files.isPlainFileOrMissing(output) || files.isSameFile(plan.input, output))
        return plan;

    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-y")
            plan.overwrite = true;
        else if (arguments[i] == "-n")
            plan.overwrite = false;
    }
    plan.output = output;
    plan.temporary = TemporaryPathFor(output, processId);
    plan.ffmpegArguments.back() = plan.temporary;
    return plan;
}

} // namespace wmaspi
