#include "store/ListOutOfDate.h"

#include "common/PlatformErrors.h"
#include "common/ProgramFolder.h"

ListOutOfDate::ListOutOfDate(const std::string& description)
    : ErrorRecord(PlatformError::kInvalidProcedureCall, ExecutableName(), description) {}
