#include "KeyLoggerProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

KeyLogger::KeyLogger(const std::string& program) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string path = program;
    char* argv[] = {path.data(), nullptr};
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
}

KeyLogger::~KeyLogger() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    close(out_);
}

std::string KeyLogger::NextLine(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (const auto end = buffer_.find('\n'); end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd{out_, POLLIN, 0};
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) return {};
        char chunk[256];
        const ssize_t got = read(out_, chunk, sizeof chunk);
        if (got <= 0) return {};
        buffer_.append(chunk, static_cast<std::size_t>(got));
    }
}

std::vector<std::string> KeyLogger::PressesUntil(const std::string& last) {
    std::vector<std::string> presses;
    for (std::string line = NextLine(); !line.empty(); line = NextLine()) {
        if (line.rfind("press ", 0) != 0) continue;
        if (line == last) return presses;
        presses.push_back(line.substr(6));
    }
    presses.push_back("(no " + last + ")");
    return presses;
}
