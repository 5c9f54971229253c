#include "store/RecordFileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>

#include "common/AppErrors.h"
#include "common/PlatformErrors.h"
#include "store/AsideFile.h"
#include "store/FileSlots.h"

namespace {

// Flushes the file's contents to disk.
bool Sync(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

}  // namespace

void ReplaceRecordFile(const std::string& path, int recordLength,
                       const std::vector<std::string>& records) {
    AsideFile aside(path);
    DataSlot& slot = DataSlot::Instance();
    bool written = slot.Open(aside.Path(), DataSlot::Mode::RecordReadWrite, recordLength);
    for (std::size_t i = 0; written && i < records.size(); ++i) {
        written = slot.Write(static_cast<int32_t>(i + 1), records[i]);
    }
    slot.Close();
    if (!written) RunningApps::RaiseAppError(AppError::kStoreFailed);
    if (!Sync(aside.Path()) || !aside.Commit()) {
        PlatformError::Raise(PlatformError::kPathFileAccess);
    }
}
