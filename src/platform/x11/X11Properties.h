#pragma once

// Private to the X11 backend (includes Xlib through X11Connection.h).
#include <optional>
#include <string>
#include <vector>

#include "platform/x11/X11Connection.h"

// Reading window properties. A window that has vanished, or lacks the property, gives nothing.
namespace X11Properties {

// The 32-bit items of a property of that type (CARDINAL, WINDOW, ATOM, WM_STATE...).
std::vector<unsigned long> Longs(X11Connection& x, ::Window window, Atom property, Atom type);
// The first item, if any.
std::optional<unsigned long> Long(X11Connection& x, ::Window window, Atom property, Atom type);
// The bytes of an 8-bit property of that type.
std::optional<std::string> Bytes(X11Connection& x, ::Window window, Atom property, Atom type);

}  // namespace X11Properties
