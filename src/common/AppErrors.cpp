#include "common/AppErrors.h"

#include "common/ErrorRecord.h"
#include "common/ProgramFolder.h"
#include "common/StringTable.h"

namespace RunningApps {

void RaiseAppError(const int32_t& lErr) {
    const int32_t group = (lErr / 10) * 10;
    std::string source = ExecutableName() + "." + LoadResString(group);
    std::string description = LoadResString(lErr);
    throw ErrorRecord(LowWord(lErr), std::move(source), std::move(description));
}

int32_t LowWord(int32_t lValue) {
    return static_cast<int32_t>(static_cast<uint32_t>(lValue) & 0xFFFFu);
}

}  // namespace RunningApps
