#pragma once

// Private to the X11 backend: this header includes Xlib, whose macros (None, Bool, Status,
// KeyPress...) break other code, so no public header may include it.
#include <X11/Xlib.h>

#include <chrono>
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

    // Waits until the server has handled every request sent so far (as XSync, whose round trip
    // is a question for the keyboard focus), and keeps the focus it answered.
    void Sync();
    // The window that has the keyboard focus (PointerRoot, or 0 for none). When the last Sync
    // was a moment ago, its answer stands: typing syncs after every key, so that the check
    // before the next key costs no round trip; a change within that moment is seen a key later.
    ::Window Focus();

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
    ::Window focus_ = 0;
    std::chrono::steady_clock::time_point focusAsked_;
};
