#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// The key-logging client (vorn_key_logger) as a child process, its output read line by line.
class KeyLogger {
public:
    explicit KeyLogger(const std::string& program);
    ~KeyLogger();
    KeyLogger(const KeyLogger&) = delete;
    KeyLogger& operator=(const KeyLogger&) = delete;

    // The next line, or an empty text when none comes within the wait.
    std::string NextLine(std::chrono::milliseconds wait = std::chrono::milliseconds(5000));

    // The press lines up to the given one (not included); releases are left out.
    std::vector<std::string> PressesUntil(const std::string& last);

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
};
