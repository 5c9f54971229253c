#pragma once

#include <string>

#include "platform/ProcessLauncher.h"

// Starts programs and opens documents on a Linux desktop. A command line is split by the
// Windows rules and its program looked up on PATH; it starts without a shell, in a session of
// its own with its input and output on /dev/null, and is reaped when it ends. Documents and folders
// open with the desktop's default application through xdg-open; an open waits about two seconds
// (answering the program's events) for xdg-open's verdict, and one that fails in that time is
// reported as such. Texts come in as ANSI.
class DesktopProcessLauncher : public IProcessLauncher {
public:
    bool CreateProcessA(const std::string& commandLine) override;
    ShellExecuteResult ShellExecuteExA(const std::string& verb, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand, bool expandEnvironment) override;
    int32_t ShellExecuteA(const std::string& verb, const std::string& file,
                          int showCommand) override;
    int32_t Shell(const std::string& commandLine, int windowStyle) override;
};
