#pragma once

#include <cstdint>
#include <string>

// What ShellExecuteEx gives back.
struct ShellExecuteResult {
    int32_t hInstApp = 0;  // above 32 on success, else a shell error code (2: file not found)
    int32_t hProcess = 0;
};

// Shell error code "file not found".
inline constexpr int32_t kSeErrFileNotFound = 2;

// Starting programs and opening documents. Texts are ANSI.
class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;

    // Starts a program from a command line split by the Windows rules; true when it started.
    virtual bool CreateProcessA(const std::string& commandLine) = 0;
    // Opens a file with a verb ("Open") through the desktop; environment variables in the
    // file name are expanded when expandEnvironment is set.
    virtual ShellExecuteResult ShellExecuteExA(const std::string& verb, const std::string& file,
                                               const std::string& parameters,
                                               const std::string& directory, int showCommand,
                                               bool expandEnvironment) = 0;
    // Opens a file or folder with a verb ("explore"); the result is above 32 on success.
    virtual int32_t ShellExecuteA(const std::string& verb, const std::string& file,
                                  int showCommand) = 0;
    // The runtime's shell call: starts a command line; returns the task id, 0 on failure.
    virtual int32_t Shell(const std::string& commandLine, int windowStyle) = 0;
};
