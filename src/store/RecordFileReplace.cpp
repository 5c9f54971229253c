#include "store/RecordFileReplace.h"

#include <cstdint>

#include "common/AppErrors.h"
#include "common/PlatformErrors.h"
#include "store/AsideFile.h"
#include "store/FileSlots.h"

void ReplaceRecordFile(const std::string& path, int recordLength,
                       const std::vector<std::string>& records) {
    AsideFile aside(path);
    DataSlot& slot = DataSlot::Instance();
    bool written = slot.Open(aside.Path(), DataSlot::Mode::RecordReadWrite, recordLength);
    for (std::size_t i = 0; written && i < records.size(); ++i) {
        written = slot.Write(static_cast<int32_t>(i + 1), records[i]);
    }
    written = written && slot.Sync();
    slot.Close();
    if (!written) RunningApps::RaiseAppError(AppError::kStoreFailed);
    if (!aside.Commit()) PlatformError::Raise(PlatformError::kPathFileAccess);
}
