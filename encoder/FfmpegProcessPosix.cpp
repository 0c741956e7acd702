#include "FfmpegProcess.h"

#include "OutputRewrite.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace wmaspi {

namespace {

using Clock = std::chrono::steady_clock;

// A record still unterminated after this much silence is passed on as it
// is, so a prompt or a last line without a line end is never held back.
constexpr std::chrono::milliseconds PartialRecordDelay{250};
// How long ffmpeg may take to close its files after a stop signal.
constexpr std::chrono::milliseconds StopGrace{2000};
// How long to keep reading after ffmpeg has ended, in case something it
// started still holds its output open.
constexpr std::chrono::milliseconds OutputGraceAfterExit{500};

const int StopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The signal handler can only hand the signal over; the main loop wakes on
// this pipe and does the work.
int g_wakeWrite = -1;

void OnSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (write(g_wakeWrite, &byte, 1) < 0) {
        // A full pipe already holds enough wake-ups.
    }
    errno = savedErrno;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string AdapterFolder(const char* argument0) {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0)
        return FolderOf(std::string(self, static_cast<std::size_t>(length)));
    return argument0 ? FolderOf(argument0) : std::string();
}

class Output final {
  public:
    void write(const std::string& text) {
        std::size_t done = 0;
        while (!m_broken && done < text.size()) {
            const ssize_t written = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
            if (written >= 0)
                done += static_cast<std::size_t>(written);
            else if (errno != EINTR)
                m_broken = true; // the reader has gone; ffmpeg's work goes on regardless
        }
    }

  private:
    bool m_broken = false;
};

int MillisecondsUntil(Clock::time_point when) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

int Sooner(int timeout, int candidate) {
    return timeout < 0 || candidate < timeout ? candidate : timeout;
}

int ExitCodeOf(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return 1;
}

void InstallHandlers(int wakeWrite) {
    g_wakeWrite = wakeWrite;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : StopSignals)
        sigaction(signal, &action, nullptr);
    action.sa_flags = SA_NOCLDSTOP;
    sigaction(SIGCHLD, &action, nullptr);
    // Writing to a reader that has gone must not end the adapter while
    // ffmpeg is still at work.
    std::signal(SIGPIPE, SIG_IGN);
}

[[noreturn]] void ExecChild(pid_t parent, int outputWrite, int statusWrite, const std::string& program,
                            const std::vector<char*>& argv) {
#ifdef __linux__
    // ffmpeg must not outlive an adapter that is killed outright.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    if (getppid() != parent)
        _exit(127);
    for (const int signal : StopSignals)
        std::signal(signal, SIG_DFL);
    std::signal(SIGCHLD, SIG_DFL);
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    dup2(outputWrite, STDOUT_FILENO);
    dup2(outputWrite, STDERR_FILENO);
    execv(program.c_str(), argv.data());
    const int error = errno;
    if (write(statusWrite, &error, sizeof error) < 0) {
        // The parent then sees a child that ended without output.
    }
    _exit(127);
}

} // namespace

long CurrentProcessId() {
    return static_cast<long>(getpid());
}

std::string LocateFfmpeg(const char* adapterArgument0, std::string& reason) {
    const std::string beside = AdapterFolder(adapterArgument0) + "ffmpeg";
    if (IsRegularFile(beside))
        return beside;
    const char* pathVariable = std::getenv("PATH");
    const std::string path = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        // An empty entry would mean the current folder, which is never searched.
        if (end > start) {
            const std::string candidate = path.substr(start, end - start) + "/ffmpeg";
            if (IsRegularFile(candidate) && access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    reason = "no ffmpeg beside the adapter or on PATH";
    return std::string();
}

FfmpegResult RunFfmpeg(const std::string& program, const std::vector<std::string>& arguments) {
    FfmpegResult result;
    int wake[2];
    int output[2];
    int status[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0 || pipe2(output, O_CLOEXEC) != 0 ||
        pipe2(status, O_CLOEXEC) != 0) {
        result.failure = std::strerror(errno);
        return result;
    }
    InstallHandlers(wake[1]);

    std::vector<std::string> argumentCopies;
    argumentCopies.push_back(program);
    argumentCopies.insert(argumentCopies.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argumentCopies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child < 0) {
        result.failure = std::strerror(errno);
        return result;
    }
    if (child == 0)
        ExecChild(parent, output[1], status[1], program, argv);
    close(output[1]);
    close(status[1]);

    int execError = 0;
    ssize_t got;
    do
        got = read(status[0], &execError, sizeof execError);
    while (got < 0 && errno == EINTR);
    close(status[0]);
    if (got == static_cast<ssize_t>(sizeof execError)) {
        int ignored;
        while (waitpid(child, &ignored, 0) < 0 && errno == EINTR) {
        }
        close(output[0]);
        result.failure = program + ": " + std::strerror(execError);
        return result;
    }
    result.started = true;

    Output out;
    RecordSplitter splitter;
    const auto relay = [&out](const std::string& record) { out.write(RewriteRecord(record)); };
    bool outputEnded = false;
    bool exited = false;
    bool killed = false;
    int childStatus = 0;
    Clock::time_point lastData = Clock::now();
    Clock::time_point exitedAt;
    Clock::time_point stopDeadline;
    char buffer[65536];

    for (;;) {
        if (!exited && waitpid(child, &childStatus, WNOHANG) == child) {
            exited = true;
            exitedAt = Clock::now();
        }
        if (exited && outputEnded)
            break;
        const Clock::time_point quietSince = lastData > exitedAt ? lastData : exitedAt;
        if (exited && Clock::now() - quietSince >= OutputGraceAfterExit)
            break;

        int timeout = -1;
        if (splitter.hasPartial())
            timeout = Sooner(timeout, MillisecondsUntil(lastData + PartialRecordDelay));
        if (result.stopSignal != 0 && !exited && !killed)
            timeout = Sooner(timeout, MillisecondsUntil(stopDeadline));
        if (exited)
            timeout = Sooner(timeout, MillisecondsUntil(quietSince + OutputGraceAfterExit));

        pollfd fds[2] = {{wake[0], POLLIN, 0}, {output[0], POLLIN, 0}};
        const int ready = poll(fds, outputEnded ? 1 : 2, timeout);
        if (ready < 0 && errno != EINTR)
            break;

        unsigned char signals[64];
        ssize_t count;
        while ((count = read(wake[0], signals, sizeof signals)) > 0) {
            for (ssize_t i = 0; i < count; ++i) {
                if (signals[i] == SIGCHLD)
                    continue;
                if (!exited)
                    kill(child, signals[i]);
                if (result.stopSignal == 0) {
                    result.stopSignal = signals[i];
                    stopDeadline = Clock::now() + StopGrace;
                }
            }
        }

        if (!outputEnded && ready > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t length = read(output[0], buffer, sizeof buffer);
            if (length > 0) {
                splitter.feed(buffer, static_cast<std::size_t>(length));
                std::string record;
                while (splitter.next(record))
                    relay(record);
                lastData = Clock::now();
            } else if (length == 0 || (errno != EINTR && errno != EAGAIN)) {
                outputEnded = true;
            }
        }
        if (splitter.hasPartial() && (outputEnded || Clock::now() - lastData >= PartialRecordDelay))
            relay(splitter.takePartial());
        if (result.stopSignal != 0 && !exited && !killed && Clock::now() >= stopDeadline) {
            kill(child, SIGKILL);
            killed = true;
        }
    }
    if (splitter.hasPartial())
        relay(splitter.takePartial());
    if (!exited) {
        while (waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
        }
    }
    close(output[0]);
    result.exitCode = ExitCodeOf(childStatus);
    return result;
}

} // namespace wmaspi
