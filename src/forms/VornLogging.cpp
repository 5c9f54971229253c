#include "forms/VornLogging.h"

#include <string>

#include "common/DebugLog.h"
#include "forms/AnsiQt.h"

Q_LOGGING_CATEGORY(lcVorn, "vorn")

void RouteDebugLogToVornCategory() {
    DebugLog::InstallSink([](std::string_view message) {
        qCDebug(lcVorn).noquote() << ToQString(std::string(message));
    });
}
