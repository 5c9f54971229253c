#pragma once

#include <memory>

#include "platform/Keyboard.h"
#include "platform/ProcessLauncher.h"
#include "platform/WindowSystem.h"

// The backend of the window-system services, chosen once at start-up (X11 in the program, the
// simulated desktop in tests). Using one before any is installed throws std::logic_error.
namespace Platform {

IWindowSystem& Windows();
IKeyboard& Keyboard();
IProcessLauncher& Processes();

void Install(std::shared_ptr<IWindowSystem> windows, std::shared_ptr<IKeyboard> keyboard,
             std::shared_ptr<IProcessLauncher> processes);

// Installs one object that serves all three.
template <class Backend>
void InstallAll(const std::shared_ptr<Backend>& backend) {
    Install(backend, backend, backend);
}

}  // namespace Platform
