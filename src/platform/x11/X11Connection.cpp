#include "platform/x11/X11Connection.h"

#include <map>
#include <mutex>
#include <stdexcept>

namespace {

// Errors seen per display. One handler serves every display of the process.
std::mutex errorMutex;
std::map<Display*, unsigned long> errorCounts;

int CountError(Display* display, XErrorEvent*) {
    const std::lock_guard lock(errorMutex);
    ++errorCounts[display];
    return 0;
}

unsigned long ErrorCount(Display* display) {
    const std::lock_guard lock(errorMutex);
    return errorCounts[display];
}

}  // namespace

X11Connection::X11Connection(const std::string& displayName)
    : display_(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str())) {
    if (display_ == nullptr) {
        // The name tried: the one given, else the environment's.
        const std::string tried = XDisplayName(displayName.empty() ? nullptr : displayName.c_str());
        if (tried.empty()) throw std::runtime_error("cannot open an X display: DISPLAY is not set");
        throw std::runtime_error("cannot open the X display \"" + tried + "\"");
    }
    XSetErrorHandler(CountError);
}

X11Connection::~X11Connection() {
    XCloseDisplay(display_);
    const std::lock_guard lock(errorMutex);
    errorCounts.erase(display_);
}

::Window X11Connection::Root() const {
    return DefaultRootWindow(display_);
}

Atom X11Connection::Intern(const char* name) {
    const auto found = atoms_.find(name);
    if (found != atoms_.end()) return found->second;
    const Atom atom = XInternAtom(display_, name, False);
    atoms_.emplace(name, atom);
    return atom;
}

X11Connection::ErrorTrap::ErrorTrap(X11Connection& connection)
    : connection_(connection), errorsBefore_(ErrorCount(connection.display())) {}

bool X11Connection::ErrorTrap::Failed() {
    XSync(connection_.display(), False);
    return ErrorCount(connection_.display()) != errorsBefore_;
}
