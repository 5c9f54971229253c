#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// One instance of the program per program folder, so that no two processes act on the same
// phrase or write the same data files. The instance holds an exclusive lock on the file
// "vorn.lock" in the folder for as long as it runs; the system drops the lock when the
// process ends, however it ends. Programs that the instance starts do not inherit it.
//
// The holder writes into the file where its main window is (the display's name and the
// window's id), so that a second start can bring that window to the front.
class InstanceLock {
public:
    static constexpr const char* kFileName = "vorn.lock";

    // Takes the folder's lock; nullptr when another process holds it. A folder the user
    // cannot write to is locked all the same (nothing is published then).
    static std::unique_ptr<InstanceLock> Acquire(const std::string& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Records where the main window is.
    void Publish(const std::string& display, uint32_t window);

    // Where the running instance's main window is, as its holder published it; nothing while
    // it has published nothing.
    struct MainWindow {
        std::string display;
        uint32_t window = 0;
        bool operator==(const MainWindow&) const = default;
    };
    static std::optional<MainWindow> Published(const std::string& folder);

private:
    InstanceLock(int fd, bool writable) : fd_(fd), writable_(writable) {}

    int fd_;
    bool writable_;
};
