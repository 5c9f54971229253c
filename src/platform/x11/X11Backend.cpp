#include "platform/x11/X11Backend.h"

#include "platform/Platform.h"
#include "platform/x11/DesktopProcessLauncher.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11WindowSystem.h"

namespace X11Backend {

Services Create(const std::string& displayName) {
    auto connection = std::make_shared<X11Connection>(displayName);
    Services services;
    services.windows = std::make_shared<X11WindowSystem>(connection);
    services.keyboard = std::make_shared<X11Keyboard>(connection);
    services.processes = std::make_shared<DesktopProcessLauncher>();
    return services;
}

void Install(const std::string& displayName) {
    Services services = Create(displayName);
    Platform::Install(std::move(services.windows), std::move(services.keyboard),
                      std::move(services.processes));
}

}  // namespace X11Backend
