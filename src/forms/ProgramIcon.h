#pragma once

#include <QIcon>

// The program's icon (a microphone), a resource of the build: the main window's icon, and the
// picture of the About box.
QIcon ProgramIcon();
