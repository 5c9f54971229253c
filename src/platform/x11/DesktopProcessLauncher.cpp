#include "platform/x11/DesktopProcessLauncher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "common/AnsiText.h"
#include "platform/KeepAnswering.h"
#include "platform/x11/EnvironmentExpansion.h"
#include "platform/x11/WindowsCommandLine.h"

extern char** environ;

namespace {

// Shell error code: no application is associated with the file (xdg-open could not start, or
// found nothing to open the file with).
constexpr int32_t kSeErrNoAssociation = 31;
// Any result above 32 means success.
constexpr int32_t kShellSucceeded = 33;
// How long an open waits for the opener's verdict.
constexpr std::chrono::milliseconds kVerdictWait{2000};

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The file a program name runs: a name with a "/" as it is, else the first match on PATH.
std::optional<std::string> ResolveProgram(const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string::npos) {
        if (IsExecutableFile(name)) return name;
        return std::nullopt;
    }
    const char* path = std::getenv("PATH");
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        const std::string candidate = dir + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

// Starts the program in a session of its own, detached from ours and from our terminal, with
// default signal handling. The process id, or nothing when it could not be started; the caller
// reaps it.
std::optional<pid_t> Spawn(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& directory) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    // What the started program reads or prints is its own business: it neither waits on our
    // terminal nor writes its messages into it.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return std::nullopt;
    return pid;
}

// A thread waits for the child so that it leaves no zombie when it ends.
void ReapWhenItEnds(pid_t pid) {
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
}

enum class Verdict { Opened, Failed, StillRunning };

// Waits a short time, the program answering meanwhile, for the opener to end: exit status 0 is
// an open done, any other end an open that failed (no application for that kind of file). One
// still running counts as started (it may run the application itself), and is reaped when it ends.
Verdict AwaitVerdict(pid_t pid) {
    std::optional<Verdict> verdict;
    const auto ended = [&] {
        int status = 0;
        const pid_t result = ::waitpid(pid, &status, WNOHANG);
        if (result == pid) {
            verdict =
                WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Verdict::Opened : Verdict::Failed;
        } else if (result < 0 && errno != EINTR) {
            verdict = Verdict::Opened;  // reaped elsewhere: nothing says that it failed
        }
        return verdict.has_value();
    };
    KeepAnswering::Until(ended, kVerdictWait);
    if (verdict) return *verdict;
    ReapWhenItEnds(pid);
    return Verdict::StillRunning;
}

// Starts the program of a command line: the first reading of its program name that names an
// executable file, with the arguments that follow it.
std::optional<pid_t> StartCommandLine(const std::string& ansiCommandLine) {
    const std::string line = Ansi::ToUtf8(ansiCommandLine);
    for (const auto& candidate : WindowsCommandLine::ProgramCandidates(line)) {
        const std::optional<std::string> program = ResolveProgram(candidate.program);
        if (!program) continue;
        std::vector<std::string> arguments{candidate.program};
        for (std::string& argument : WindowsCommandLine::SplitArguments(candidate.rest)) {
            arguments.push_back(std::move(argument));
        }
        const std::optional<pid_t> pid = Spawn(*program, arguments, {});
        if (pid) ReapWhenItEnds(*pid);
        return pid;
    }
    return std::nullopt;
}

bool IsUrl(const std::string& name) {
    return name.find("://") != std::string::npos;
}

// Opens a file, folder or URL with the desktop's default application; a shell result code, and
// the opener's process id while it still runs.
ShellExecuteResult OpenWithDesktop(const std::string& utf8Name, const std::string& utf8Directory) {
    std::string target = utf8Name;
    if (!IsUrl(target)) {
        std::filesystem::path path(target);
        if (path.is_relative() && !utf8Directory.empty())
            path = std::filesystem::path(utf8Directory) / path;
        std::error_code ec;
        if (target.empty() || !std::filesystem::exists(path, ec)) return {kSeErrFileNotFound, 0};
        target = path.string();
    }
    const std::optional<std::string> opener = ResolveProgram("xdg-open");
    if (!opener) return {kSeErrNoAssociation, 0};
    const std::optional<pid_t> pid = Spawn(*opener, {"xdg-open", target}, utf8Directory);
    if (!pid) return {kSeErrNoAssociation, 0};
    switch (AwaitVerdict(*pid)) {
        case Verdict::Opened:
            return {kShellSucceeded, 0};
        case Verdict::Failed:
            return {kSeErrNoAssociation, 0};
        case Verdict::StillRunning:
            break;
    }
    return {kShellSucceeded, static_cast<int32_t>(*pid)};
}

}  // namespace

bool DesktopProcessLauncher::CreateProcessA(const std::string& commandLine) {
    return StartCommandLine(commandLine).has_value();
}

ShellExecuteResult DesktopProcessLauncher::ShellExecuteExA(const std::string&,
                                                           const std::string& file,
                                                           const std::string&,
                                                           const std::string& directory, int,
                                                           bool expandEnvironment) {
    // Every verb opens the file with its default application; xdg-open takes no parameters
    // and the application decides how its window shows.
    std::string name = Ansi::ToUtf8(file);
    if (expandEnvironment) name = ExpandEnvironment(name);
    return OpenWithDesktop(name, Ansi::ToUtf8(directory));
}

int32_t DesktopProcessLauncher::ShellExecuteA(const std::string&, const std::string& file, int) {
    return OpenWithDesktop(Ansi::ToUtf8(file), {}).hInstApp;
}

int32_t DesktopProcessLauncher::Shell(const std::string& commandLine, int) {
    const std::optional<pid_t> pid = StartCommandLine(commandLine);
    return pid ? static_cast<int32_t>(*pid) : 0;
}
