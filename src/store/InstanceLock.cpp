#include "store/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <iterator>

namespace {

std::string LockPath(const std::string& folder) {
    return folder + "/" + InstanceLock::kFileName;
}

}  // namespace

std::unique_ptr<InstanceLock> InstanceLock::Acquire(const std::string& folder) {
    const std::string path = LockPath(folder);
    bool writable = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A lock file the user may only read, or a folder the user cannot create it in: the
        // file, else the folder itself, is locked for reading alone.
        writable = false;
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    // Without anything to lock (the folder is gone), the instance runs alone unguarded.
    if (fd < 0) return std::unique_ptr<InstanceLock>(new InstanceLock(-1, false));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    // What an earlier holder published is no longer true.
    if (writable && ::ftruncate(fd, 0) != 0) writable = false;
    return std::unique_ptr<InstanceLock>(new InstanceLock(fd, writable));
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

void InstanceLock::Publish(const std::string& display, uint32_t window) {
    if (!writable_) return;
    const std::string text = display + "\n" + std::to_string(window) + "\n";
    if (::ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd_, text.data(), text.size(), 0);
    }
}

std::optional<InstanceLock::MainWindow> InstanceLock::Published(const std::string& folder) {
    std::ifstream in(LockPath(folder), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Two whole lines: the display, then the window id in decimal digits.
    const std::size_t first = text.find('\n');
    if (first == std::string::npos || first + 1 >= text.size() || text.back() != '\n')
        return std::nullopt;
    const std::string_view id(text.data() + first + 1, text.size() - first - 2);
    MainWindow published{text.substr(0, first), 0};
    const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), published.window);
    if (id.empty() || error != std::errc() || end != id.data() + id.size() || published.window == 0)
        return std::nullopt;
    return published;
}
