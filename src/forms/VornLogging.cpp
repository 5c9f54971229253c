#include "forms/VornLogging.h"

#include <string>

#include "common/DebugLog.h"
#include "forms/AnsiQt.h"

// Quiet by default: steps passed over are expected in normal use. QT_LOGGING_RULES
// "vorn.debug=true" shows them.
Q_LOGGING_CATEGORY(lcVorn, "vorn", QtWarningMsg)

void RouteDebugLogToVornCategory() {
    DebugLog::InstallSink([](std::string_view message) {
        qCDebug(lcVorn).noquote() << ToQString(std::string(message));
    });
}
