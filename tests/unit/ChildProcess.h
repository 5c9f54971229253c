#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program run as a child process of a test, with the test's environment plus the given
// "NAME=value" entries; ended and reaped when the object goes, unless it has ended by itself.
class ChildProcess {
public:
    // quiet: the program's output and error output are discarded.
    explicit ChildProcess(const std::vector<std::string>& arguments, bool quiet = false,
                          const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();
    // Waits for the program to end; its exit status, -1 when it did not end normally.
    int Wait();
    // Once Running has said false: the exit status, -1 when it did not end normally.
    int ExitStatus() const { return exitStatus_; }
    // Asks the program to end (SIGTERM), and makes it (SIGKILL) when it has not within 5 s.
    void End();

private:
    // The exit status of a program ended normally, from a wait status.
    void Reaped(int status);

    pid_t pid_ = -1;
    int exitStatus_ = -1;
};

// Runs a program to its end, discarding its output; its exit status (-1 when it could not run).
int RunProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {});
