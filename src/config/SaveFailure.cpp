#include "config/SaveFailure.h"

#include "common/ErrorRecord.h"
#include "common/MessageBox.h"
#include "common/PlatformErrors.h"

bool ShowSaveFailureCause(const ErrorRecord& error, const std::string& title) {
    switch (error.Number()) {
        case PlatformError::kInvalidProcedureCall:
            Dialogs::MsgBox(error.Description(), MsgButtons::OK, MsgIcon::Information, title);
            return true;
        case PlatformError::kDiskFull:
        case PlatformError::kPermissionDenied:
        case PlatformError::kPathFileAccess:
            Dialogs::MsgBox(error.Description(), MsgButtons::OK, MsgIcon::Critical, title);
            return true;
        default:
            return false;
    }
}
