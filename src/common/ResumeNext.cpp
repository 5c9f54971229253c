#include "common/ResumeNext.h"

#include <string>

#include "common/DebugLog.h"
#include "common/ErrorRecord.h"

void LogDroppedFailure(const std::exception& failure) noexcept {
    try {
        std::string message = "passed over a failed step: ";
        if (const auto* error = dynamic_cast<const ErrorRecord*>(&failure)) {
            message += "error " + std::to_string(error->Number()) + ": " + error->Description();
        } else {
            message += failure.what();
        }
        DebugLog::Write(message);
    } catch (...) {
        // Without memory for the message there is nothing to log.
    }
}
