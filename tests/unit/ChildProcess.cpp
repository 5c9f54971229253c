#include "ChildProcess.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, bool quiet,
                           const std::vector<std::string>& environment) {
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The given entries come first: the first entry of a name is the one that counts.
    std::vector<std::string> entries = environment;
    std::vector<char*> envp;
    for (std::string& entry : entries) envp.push_back(entry.data());
    for (char** inherited = environ; *inherited != nullptr; ++inherited) envp.push_back(*inherited);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    const int error = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + arguments.front());
    }
}

ChildProcess::~ChildProcess() {
    End();
}

bool ChildProcess::Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        Reaped(status);
        return false;
    }
    return true;
}

int ChildProcess::Wait() {
    if (pid_ <= 0) return -1;
    int status = 0;
    pid_t ended = -1;
    do {
        ended = waitpid(pid_, &status, 0);
    } while (ended < 0 && errno == EINTR);
    if (ended <= 0) {
        pid_ = -1;
        return -1;
    }
    Reaped(status);
    return exitStatus_;
}

void ChildProcess::Reaped(int status) {
    pid_ = -1;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::End() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (!Running()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid_, SIGKILL);
    Wait();
}

int RunProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment) {
    try {
        return ChildProcess(arguments, true, environment).Wait();
    } catch (const std::runtime_error&) {
        return -1;
    }
}
