#include "store/AsideFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>

#include "common/AnsiText.h"
#include "store/WriteFailure.h"

namespace {

constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kNameMark = ".new-";
constexpr std::size_t kSuffixLength = 6;
static_assert(kNameMark.size() + kSuffixLength == AsideFile::kNameGrowth);
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

// Removes the regular files in folder whose names are aside file names of a target name that
// belongs (the name before the aside mark and suffix).
template <class Belongs>
void RemoveAsideFiles(const std::filesystem::path& folder, Belongs belongs) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        constexpr std::size_t kTail = kNameMark.size() + kSuffixLength;
        if (name.size() <= kTail) continue;
        const std::size_t markAt = name.size() - kTail;
        const bool aside = name.compare(markAt, kNameMark.size(), kNameMark) == 0 &&
                           name.find_first_not_of(kNameCharacters, markAt + kNameMark.size()) ==
                               std::string::npos &&
                           belongs(std::string_view(name).substr(0, markAt));
        std::error_code ignored;
        if (aside && entry.is_regular_file(ignored)) fs::remove(entry.path(), ignored);
    }
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
    const std::filesystem::path targetPath(target);
    const std::string targetName = targetPath.filename().string();
    RemoveAsideFiles(targetPath.parent_path(),
                     [&](std::string_view name) { return name == targetName; });
}

void AsideFile::RemoveLeftOversIn(const std::string& folder, std::string_view targetEnding) {
    RemoveAsideFiles(folder, [&](std::string_view name) {
        return name.size() >= targetEnding.size() &&
               Ansi::EqualsIgnoreCase(name.substr(name.size() - targetEnding.size()), targetEnding);
    });
}
