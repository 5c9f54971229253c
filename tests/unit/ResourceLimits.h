#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

// Seams for failures that root, as which the tests may run, would not meet otherwise.

// While it lives, a write that would take a regular file past the limit fails (EFBIG), as on
// a full disk, and the signal such a write raises is ignored.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// While it lives, no file can be opened or created (EMFILE): the process may hold no more
// descriptors than it holds now.
class NoFileCanOpen {
public:
    NoFileCanOpen() {
        getrlimit(RLIMIT_NOFILE, &previous_);
        // The lowest free descriptor: every one below it is taken.
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(lowestFree);
        const rlimit limit{static_cast<rlim_t>(lowestFree), previous_.rlim_max};
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    ~NoFileCanOpen() { setrlimit(RLIMIT_NOFILE, &previous_); }
    NoFileCanOpen(const NoFileCanOpen&) = delete;
    NoFileCanOpen& operator=(const NoFileCanOpen&) = delete;

private:
    rlimit previous_{};
};
