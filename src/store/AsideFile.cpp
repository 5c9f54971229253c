#include "store/AsideFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>

#include "store/WriteFailure.h"

namespace {

constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kNameMark = ".new-";
constexpr std::size_t kSuffixLength = 6;
// Names taken by other files are passed over; this many in a row means something else is
// wrong.
constexpr int kAttempts = 100;

std::string RandomSuffix() {
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kNameCharacters.size() - 1);
    std::string suffix(kSuffixLength, ' ');
    for (char& c : suffix) c = kNameCharacters[pick(generator)];
    return suffix;
}

}  // namespace

AsideFile::AsideFile(std::string target) : target_(std::move(target)) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = target_ + std::string(kNameMark) + RandomSuffix();
        // The mode of any new file: the user's umask applies.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            path_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST) break;
    }
    WriteFailure::Raise(target_, errno);
}

AsideFile::~AsideFile() {
    if (!committed_) std::remove(path_.c_str());
}

bool AsideFile::Write(std::string_view bytes) {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return false;
    bool written = true;
    while (written && !bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        written = count > 0;
        if (written) bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    written = written && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0) return false;
    errno = error;
    return written;
}

bool AsideFile::Commit() {
    committed_ = std::rename(path_.c_str(), target_.c_str()) == 0;
    return committed_;
}

void AsideFile::RemoveLeftOvers(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path targetPath(target);
    const std::string prefix = targetPath.filename().string() + std::string(kNameMark);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(targetPath.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        const bool aside =
            name.size() == prefix.size() + kSuffixLength && name.starts_with(prefix) &&
            name.find_first_not_of(kNameCharacters, prefix.size()) == std::string::npos;
        std::error_code ignored;
        if (aside && entry.is_regular_file(ignored)) fs::remove(entry.path(), ignored);
    }
}
