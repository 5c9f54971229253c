#pragma once

#include <QLoggingCategory>

// The program's logging category, "vorn"; it shows warnings and above unless the logging
// rules enable its debug messages.
Q_DECLARE_LOGGING_CATEGORY(lcVorn)

// Routes the debug log of the code without Qt into the "vorn" category at debug level.
void RouteDebugLogToVornCategory();
