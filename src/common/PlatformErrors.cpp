#include "common/PlatformErrors.h"

#include "common/ErrorRecord.h"
#include "common/ProgramFolder.h"

namespace PlatformError {

std::string Description(int32_t number) {
    switch (number) {
        case kInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kBadFileNameOrNumber:
            return "Bad file name or number";
        case kFileNotFound:
            return "File not found";
        case kDiskFull:
            return "Disk full";
        case kPermissionDenied:
            return "Permission denied";
        case kPathFileAccess:
            return "Path/File access error";
        case kInvalidArrayIndex:
            return "Invalid property array index";
        default:
            return {};
    }
}

void Raise(int32_t number) {
    Raise(number, Description(number));
}

void Raise(int32_t number, const std::string& description) {
    throw ErrorRecord(number, ExecutableName(), description);
}

}  // namespace PlatformError
