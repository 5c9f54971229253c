#include "platform/x11/X11Properties.h"

#include <X11/Xatom.h>

namespace X11Properties {
namespace {

// Longest property read, in 32-bit units: far more than any list of windows or title.
constexpr long kMaxLength = 1L << 20;

struct Property {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;
    ~Property() {
        if (data != nullptr) XFree(data);
    }
};

bool Read(X11Connection& x, ::Window window, Atom property, Atom type, Property& out) {
    unsigned long bytesAfter = 0;
    // A failed request (the window vanished) returns its error code here; the connection's
    // error handler keeps it from being fatal.
    const int status =
        XGetWindowProperty(x.display(), window, property, 0, kMaxLength, False, type,
                           &out.actualType, &out.format, &out.count, &bytesAfter, &out.data);
    return status == Success && out.data != nullptr && out.actualType == type;
}

}  // namespace

std::vector<unsigned long> Longs(X11Connection& x, ::Window window, Atom property, Atom type) {
    Property p;
    if (!Read(x, window, property, type, p) || p.format != 32) return {};
    // Xlib hands 32-bit items over as longs.
    const auto* items = reinterpret_cast<const unsigned long*>(p.data);
    return std::vector<unsigned long>(items, items + p.count);
}

std::optional<unsigned long> Long(X11Connection& x, ::Window window, Atom property, Atom type) {
    const std::vector<unsigned long> items = Longs(x, window, property, type);
    if (items.empty()) return std::nullopt;
    return items.front();
}

std::optional<std::string> Bytes(X11Connection& x, ::Window window, Atom property, Atom type) {
    Property p;
    if (!Read(x, window, property, type, p) || p.format != 8) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(p.data), p.count);
}

}  // namespace X11Properties
