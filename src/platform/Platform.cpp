#include "platform/Platform.h"

#include <stdexcept>

namespace Platform {
namespace {

struct Backends {
    std::shared_ptr<IWindowSystem> windows;
    std::shared_ptr<IKeyboard> keyboard;
    std::shared_ptr<IProcessLauncher> processes;
};

Backends& Current() {
    static Backends backends;
    return backends;
}

template <class T>
T& Require(const std::shared_ptr<T>& backend) {
    if (!backend) throw std::logic_error("no window-system backend installed");
    return *backend;
}

}  // namespace

IWindowSystem& Windows() {
    return Require(Current().windows);
}
IKeyboard& Keyboard() {
    return Require(Current().keyboard);
}
IProcessLauncher& Processes() {
    return Require(Current().processes);
}

void Install(std::shared_ptr<IWindowSystem> windows, std::shared_ptr<IKeyboard> keyboard,
             std::shared_ptr<IProcessLauncher> processes) {
    Current() = Backends{std::move(windows), std::move(keyboard), std::move(processes)};
}

}  // namespace Platform
