#pragma once

// Private to the X11 backend: this header includes Xlib, whose macros (None, Bool, Status,
// KeyPress...) break other code, so no public header may include it.
#include <X11/Xlib.h>

#include <string>
#include <unordered_map>

// A connection of our own to the X server (not the GUI toolkit's). X errors on it are not
// fatal: a window may vanish between two requests, and a request on it then just fails;
// ErrorTrap tells whether one did.
class X11Connection {
public:
    // Opens the display of that name, or $DISPLAY when it is empty; std::runtime_error when
    // there is no display to open.
    explicit X11Connection(const std::string& displayName = {});
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return display_; }
    ::Window Root() const;
    // The atom of that name, interned once and cached.
    Atom Intern(const char* name);

    // Counts the X errors that arrive for this connection while it lives.
    class ErrorTrap {
    public:
        explicit ErrorTrap(X11Connection& connection);
        // Waits for the server to answer every request made so far; true when one failed.
        bool Failed();

    private:
        X11Connection& connection_;
        unsigned long errorsBefore_;
    };

private:
    Display* display_;
    std::unordered_map<std::string, Atom> atoms_;
};
