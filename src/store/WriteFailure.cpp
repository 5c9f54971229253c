#include "store/WriteFailure.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/AnsiText.h"
#include "common/PlatformErrors.h"

namespace WriteFailure {
namespace {

bool IsRefusal(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

bool IsNoRoom(int error) {
    return error == ENOSPC || error == EFBIG || error == EDQUOT;
}

std::string Quoted(const std::string& path) {
    return "\"" + Ansi::FromUtf8(path) + "\"";
}

}  // namespace

std::string Text(const std::string& path, int error) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (IsRefusal(error)) {
        if (::access(folder.c_str(), W_OK) != 0)
            return "The folder " + Quoted(folder) + " is not writable, so nothing was saved.";
        return "The file " + Quoted(path) + " is not writable, so nothing was saved.";
    }
    if (IsNoRoom(error)) {
        return "There is no room left on the disk to write " + Quoted(path) +
               ", so nothing was saved.";
    }
    return "The file " + Quoted(path) + " could not be written (" + std::strerror(error) +
           "), so nothing was saved.";
}

void Raise(const std::string& path, int error) {
    const int32_t number = IsRefusal(error)  ? PlatformError::kPermissionDenied
                           : IsNoRoom(error) ? PlatformError::kDiskFull
                                             : PlatformError::kPathFileAccess;
    PlatformError::Raise(number, Text(path, error));
}

}  // namespace WriteFailure
