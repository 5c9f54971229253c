#pragma once

#include <memory>
#include <string>

#include "platform/Keyboard.h"
#include "platform/ProcessLauncher.h"
#include "platform/WindowSystem.h"

// The platform layer on a Linux desktop running X11: what the program installs at start-up.
namespace X11Backend {

struct Services {
    std::shared_ptr<IWindowSystem> windows;
    std::shared_ptr<IKeyboard> keyboard;
    std::shared_ptr<IProcessLauncher> processes;
};

// Connects to the X display of that name ($DISPLAY when empty) and builds the services on
// that connection; std::runtime_error when there is no display.
Services Create(const std::string& displayName = {});

// Creates the services and installs them as the platform backend.
void Install(const std::string& displayName = {});

}  // namespace X11Backend
