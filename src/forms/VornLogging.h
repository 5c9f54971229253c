#pragma once

#include <QLoggingCategory>

// The program's logging category, "vorn".
Q_DECLARE_LOGGING_CATEGORY(lcVorn)

// Routes the debug log of the code without Qt into the "vorn" category at debug level.
void RouteDebugLogToVornCategory();
