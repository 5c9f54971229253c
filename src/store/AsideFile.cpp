#include "store/AsideFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string_view>

#include "common/PlatformErrors.h"

namespace {

constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kSuffixLength = 6;
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
        std::string candidate = target_ + "." + RandomSuffix();
        // The mode of any new file: the user's umask applies.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            path_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST) break;
    }
    PlatformError::Raise(PlatformError::kPathFileAccess);
}

AsideFile::~AsideFile() {
    if (!committed_) std::remove(path_.c_str());
}

bool AsideFile::Commit() {
    committed_ = std::rename(path_.c_str(), target_.c_str()) == 0;
    return committed_;
}
