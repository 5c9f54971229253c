#include "platform/x11/X11WindowSystem.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>

#include "common/AnsiText.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Properties.h"

namespace {

// ICCCM WM_STATE values.
constexpr unsigned long kWithdrawnState = 0;
constexpr unsigned long kIconicState = 3;
// _NET_WM_DESKTOP of a window shown on every desktop.
constexpr unsigned long kAllDesktops = 0xFFFFFFFF;
// EWMH source indication: a pager, which the window manager obeys without focus-stealing checks.
constexpr long kSourcePager = 2;
constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;
constexpr int kDefaultDpi = 96;
constexpr int kTwipsPerInch = 1440;

::Window ToWindow(Hwnd hWnd) {
    return static_cast<::Window>(static_cast<uint32_t>(hWnd));
}
Hwnd ToHwnd(::Window window) {
    return static_cast<Hwnd>(static_cast<uint32_t>(window));
}

std::string Cut(const std::string& text, int bufferSize) {
    if (bufferSize < 1) return {};
    return text.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

}  // namespace

struct X11WindowSystem::Impl {
    std::shared_ptr<X11Connection> connection;
    X11Connection& x;
    Display* display;
    ::Window root;

    explicit Impl(std::shared_ptr<X11Connection> c)
        : connection(std::move(c)), x(*connection), display(x.display()), root(x.Root()) {}

    Atom A(const char* name) { return x.Intern(name); }

    bool Exists(::Window window) {
        XWindowAttributes attributes;
        return window != 0 && XGetWindowAttributes(display, window, &attributes) != 0;
    }

    // A window manager that follows EWMH is running: the root names its check window, and
    // that window names itself.
    bool HasWindowManager() {
        const Atom check = A("_NET_SUPPORTING_WM_CHECK");
        const auto wm = X11Properties::Long(x, root, check, XA_WINDOW);
        return wm && X11Properties::Long(x, *wm, check, XA_WINDOW) == wm;
    }

    // Top-level windows, the top of the stack first.
    std::vector<::Window> TopLevel() {
        std::vector<::Window> windows;
        if (HasWindowManager()) {
            windows = Clients();
        } else {
            ::Window rootReturn = 0;
            ::Window parent = 0;
            ::Window* children = nullptr;
            unsigned int count = 0;
            if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) != 0) {
                windows.assign(children, children + count);
                if (children != nullptr) XFree(children);
            }
        }
        std::reverse(windows.begin(), windows.end());
        return windows;
    }

    // The window manager's clients, bottom to top. The stacking list comes first: it is the
    // one a new client joins first.
    std::vector<::Window> Clients() {
        std::vector<::Window> clients =
            X11Properties::Longs(x, root, A("_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
        if (clients.empty())
            clients = X11Properties::Longs(x, root, A("_NET_CLIENT_LIST"), XA_WINDOW);
        return clients;
    }

    bool IsClient(::Window window) {
        const std::vector<::Window> clients = Clients();
        return std::find(clients.begin(), clients.end(), window) != clients.end();
    }

    std::optional<unsigned long> WmState(::Window window) {
        return X11Properties::Long(x, window, A("WM_STATE"), A("WM_STATE"));
    }

    std::vector<unsigned long> NetWmState(::Window window) {
        return X11Properties::Longs(x, window, A("_NET_WM_STATE"), XA_ATOM);
    }

    // The whole title: _NET_WM_NAME (UTF-8), else WM_NAME in whatever encoding it declares.
    std::string Title(::Window window) {
        if (auto utf8 = X11Properties::Bytes(x, window, A("_NET_WM_NAME"), A("UTF8_STRING"))) {
            return Ansi::FromUtf8(*utf8);
        }
        XTextProperty property{};
        if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) return {};
        std::string title;
        const std::string raw(reinterpret_cast<const char*>(property.value), property.nitems);
        if (property.encoding == XA_STRING) {
            title = Ansi::FromLatin1(raw);
        } else if (property.encoding == A("UTF8_STRING")) {
            title = Ansi::FromUtf8(raw);
        } else {
            char** list = nullptr;
            int count = 0;
            if (Xutf8TextPropertyToTextList(display, &property, &list, &count) == Success) {
                for (int i = 0; i < count; ++i) title += Ansi::FromUtf8(list[i]);
                XFreeStringList(list);
            }
        }
        XFree(property.value);
        return title;
    }

    // The class: the second string of WM_CLASS.
    std::string Class(::Window window) {
        XClassHint hint{};
        if (XGetClassHint(display, window, &hint) == 0) return {};
        std::string name = hint.res_class != nullptr ? Ansi::FromLatin1(hint.res_class) : "";
        if (hint.res_name != nullptr) XFree(hint.res_name);
        if (hint.res_class != nullptr) XFree(hint.res_class);
        return name;
    }

    ::Window ActiveWindow() {
        if (HasWindowManager()) {
            return X11Properties::Long(x, root, A("_NET_ACTIVE_WINDOW"), XA_WINDOW).value_or(0);
        }
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        return focus == PointerRoot ? 0 : TopLevelAncestor(focus);
    }

    // The parent of window; 0 when it cannot be asked (the window vanished).
    ::Window Parent(::Window window) {
        ::Window rootReturn = 0;
        ::Window parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) == 0) return 0;
        if (children != nullptr) XFree(children);
        return parent;
    }

    // The child of the root that holds window (the window itself when it is one).
    ::Window TopLevelAncestor(::Window window) {
        while (window != 0 && window != root) {
            const ::Window parent = Parent(window);
            if (parent == root) return window;
            window = parent;
        }
        return 0;
    }

    void SendToRoot(::Window window, const char* messageType, long l0, long l1, long l2, long l3) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = A(messageType);
        event.xclient.format = 32;
        event.xclient.data.l[0] = l0;
        event.xclient.data.l[1] = l1;
        event.xclient.data.l[2] = l2;
        event.xclient.data.l[3] = l3;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }

    // Waits until the active window is window, or the wait is over.
    bool WaitUntilActive(::Window window) {
        const auto deadline = std::chrono::steady_clock::now() + kActivationWait;
        for (;;) {
            if (ActiveWindow() == window) return true;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            // A change of a root property that Xlib has read already is in its queue, where
            // poll cannot see it: look again at once. Otherwise sleep until the server speaks.
            XEvent event;
            bool changed = false;
            while (XCheckTypedWindowEvent(display, root, PropertyNotify, &event) != 0)
                changed = true;
            if (changed) continue;
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(std::min<long>(left.count(), 20)));
        }
    }

    void SwitchToDesktopOf(::Window window) {
        const auto desktop = X11Properties::Long(x, window, A("_NET_WM_DESKTOP"), XA_CARDINAL);
        const auto current = X11Properties::Long(x, root, A("_NET_CURRENT_DESKTOP"), XA_CARDINAL);
        if (!desktop || *desktop == kAllDesktops || desktop == current) return;
        SendToRoot(root, "_NET_CURRENT_DESKTOP", static_cast<long>(*desktop), CurrentTime, 0, 0);
    }
};

X11WindowSystem::X11WindowSystem(std::shared_ptr<X11Connection> connection)
    : impl_(std::make_unique<Impl>(std::move(connection))) {}

X11WindowSystem::~X11WindowSystem() = default;

std::vector<Hwnd> X11WindowSystem::EnumWindows() {
    std::vector<Hwnd> handles;
    for (const ::Window window : impl_->TopLevel()) handles.push_back(ToHwnd(window));
    return handles;
}

bool X11WindowSystem::IsWindowVisible(Hwnd hWnd) {
    // A managed window is visible while it is shown or minimised, as on the taskbar, also on
    // another desktop; only a withdrawn one is not. The window manager may not have given a
    // window on another desktop a WM_STATE yet; being its client is enough then.
    const ::Window window = ToWindow(hWnd);
    if (const auto state = impl_->WmState(window)) return *state != kWithdrawnState;
    if (impl_->HasWindowManager() && impl_->IsClient(window)) return true;
    XWindowAttributes attributes;
    return XGetWindowAttributes(impl_->display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

Hwnd X11WindowSystem::GetParent(Hwnd hWnd) {
    const ::Window window = ToWindow(hWnd);
    // A window the window manager manages is a top-level window, whatever its frame.
    if (impl_->WmState(window) || impl_->IsClient(window)) return 0;
    ::Window rootReturn = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(impl_->display, window, &rootReturn, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    return parent == impl_->root ? 0 : ToHwnd(parent);
}

Hwnd X11WindowSystem::GetOwner(Hwnd hWnd) {
    ::Window owner = 0;
    if (XGetTransientForHint(impl_->display, ToWindow(hWnd), &owner) == 0) return 0;
    return ToHwnd(owner);
}

std::string X11WindowSystem::GetWindowTextA(Hwnd hWnd, int bufferSize) {
    return Cut(impl_->Title(ToWindow(hWnd)), bufferSize);
}

std::string X11WindowSystem::GetClassNameA(Hwnd hWnd, int bufferSize) {
    return Cut(impl_->Class(ToWindow(hWnd)), bufferSize);
}

Hwnd X11WindowSystem::FindWindowA(const std::string& className, const std::string& title) {
    for (const ::Window window : impl_->TopLevel()) {
        if (Ansi::EqualsIgnoreCase(impl_->Class(window), className) &&
            Ansi::EqualsIgnoreCase(impl_->Title(window), title)) {
            return ToHwnd(window);
        }
    }
    return 0;
}

Hwnd X11WindowSystem::GetForegroundWindow() {
    // The window manager may name a window that has just closed for a moment.
    const ::Window active = impl_->ActiveWindow();
    return impl_->Exists(active) ? ToHwnd(active) : 0;
}

bool X11WindowSystem::HasKeyboardFocus(Hwnd hWnd) {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(impl_->display, &focus, &revert);
    // A focus that follows the pointer: the window in front stands for the focus.
    if (focus == PointerRoot || focus == impl_->root) return GetForegroundWindow() == hWnd;
    // The window itself has the focus, as window managers give it: no further round trip.
    const ::Window window = ToWindow(hWnd);
    for (::Window inside = focus; inside != 0 && inside != impl_->root;
         inside = impl_->Parent(inside)) {
        if (inside == window) return true;
    }
    return false;
}

namespace {

class ServerHold : public IWindowSystem::FocusHold {
public:
    // Keys sent meanwhile are handled before the hold ends: each key waits for the server.
    explicit ServerHold(X11Connection& connection) : connection_(connection) {
        XGrabServer(connection_.display());
    }
    ~ServerHold() override {
        XUngrabServer(connection_.display());
        XFlush(connection_.display());
    }
    ServerHold(const ServerHold&) = delete;
    ServerHold& operator=(const ServerHold&) = delete;

private:
    X11Connection& connection_;
};

}  // namespace

std::unique_ptr<IWindowSystem::FocusHold> X11WindowSystem::HoldKeyboardFocus() {
    return std::make_unique<ServerHold>(impl_->x);
}

uint32_t X11WindowSystem::GetWindowThreadProcessId(Hwnd hWnd) {
    // X11 has no threads of windows; the owning process stands in for them.
    const auto pid =
        X11Properties::Long(impl_->x, ToWindow(hWnd), impl_->A("_NET_WM_PID"), XA_CARDINAL);
    return static_cast<uint32_t>(pid.value_or(0));
}

bool X11WindowSystem::AttachThreadInput(uint32_t, uint32_t, bool) {
    // Activation on X11 goes through the window manager; there is no input to attach.
    return true;
}

bool X11WindowSystem::SetForegroundWindow(Hwnd hWnd) {
    const ::Window window = ToWindow(hWnd);
    if (!impl_->Exists(window)) return false;
    if (impl_->HasWindowManager()) {
        // Changes of the root's properties (the active window) wake the wait; they are
        // asked for only while it lasts, so that no events pile up in between.
        XWindowAttributes rootAttributes{};
        XGetWindowAttributes(impl_->display, impl_->root, &rootAttributes);
        XSelectInput(impl_->display, impl_->root,
                     rootAttributes.your_event_mask | PropertyChangeMask);
        impl_->SwitchToDesktopOf(window);
        impl_->SendToRoot(window, "_NET_ACTIVE_WINDOW", kSourcePager, CurrentTime,
                          static_cast<long>(impl_->ActiveWindow()), 0);
        XFlush(impl_->display);
        const bool active = impl_->WaitUntilActive(window);
        XSelectInput(impl_->display, impl_->root, rootAttributes.your_event_mask);
        XSync(impl_->display, False);
        XEvent event;
        while (XCheckTypedWindowEvent(impl_->display, impl_->root, PropertyNotify, &event) != 0) {
        }
        return active;
    }
    X11Connection::ErrorTrap trap(impl_->x);
    XMapRaised(impl_->display, window);
    XSync(impl_->display, False);
    XSetInputFocus(impl_->display, window, RevertToParent, CurrentTime);
    return !trap.Failed() && impl_->ActiveWindow() == window;
}

bool X11WindowSystem::IsIconic(Hwnd hWnd) {
    const ::Window window = ToWindow(hWnd);
    if (impl_->HasWindowManager()) {
        const std::vector<unsigned long> states = impl_->NetWmState(window);
        return std::find(states.begin(), states.end(), impl_->A("_NET_WM_STATE_HIDDEN")) !=
               states.end();
    }
    return impl_->WmState(window) == kIconicState;
}

bool X11WindowSystem::ShowWindow(Hwnd hWnd, int showCommand) {
    const ::Window window = ToWindow(hWnd);
    if (!impl_->Exists(window)) return false;
    const bool wasVisible = IsWindowVisible(hWnd);
    const bool restore = showCommand == kSwRestore || showCommand == kSwShowNormal;
    // Mapping a minimised window is how a client asks to have it restored; a plain show
    // leaves a minimised window minimised and maps only a withdrawn one.
    if (restore ? (IsIconic(hWnd) || !wasVisible) : !wasVisible) {
        XMapWindow(impl_->display, window);
        XFlush(impl_->display);
    }
    return wasVisible;
}

bool X11WindowSystem::SetTopmost(Hwnd hWnd, bool topmost) {
    const ::Window window = ToWindow(hWnd);
    if (!impl_->Exists(window)) return false;
    if (impl_->HasWindowManager()) {
        impl_->SendToRoot(window, "_NET_WM_STATE", topmost ? kNetWmStateAdd : kNetWmStateRemove,
                          static_cast<long>(impl_->A("_NET_WM_STATE_ABOVE")), 0, kSourcePager);
    } else if (topmost) {
        XRaiseWindow(impl_->display, window);
    }
    XFlush(impl_->display);
    return true;
}

ScreenRect X11WindowSystem::GetWorkArea() {
    const std::vector<unsigned long> areas =
        X11Properties::Longs(impl_->x, impl_->root, impl_->A("_NET_WORKAREA"), XA_CARDINAL);
    const unsigned long desktop =
        X11Properties::Long(impl_->x, impl_->root, impl_->A("_NET_CURRENT_DESKTOP"), XA_CARDINAL)
            .value_or(0);
    const std::size_t at = static_cast<std::size_t>(desktop) * 4;
    if (at + 4 <= areas.size()) {
        const auto left = static_cast<int32_t>(areas[at]);
        const auto top = static_cast<int32_t>(areas[at + 1]);
        return {left, top, left + static_cast<int32_t>(areas[at + 2]),
                top + static_cast<int32_t>(areas[at + 3])};
    }
    const int screen = DefaultScreen(impl_->display);
    return {0, 0, DisplayWidth(impl_->display, screen), DisplayHeight(impl_->display, screen)};
}

int X11WindowSystem::TwipsPerPixel() {
    // The desktop's logical resolution is the Xft.dpi resource; 96 when it is not set.
    int dpi = kDefaultDpi;
    if (const char* resources = XResourceManagerString(impl_->display)) {
        XrmInitialize();
        const XrmDatabase database = XrmGetStringDatabase(resources);
        char* type = nullptr;
        XrmValue value{};
        if (database != nullptr &&
            XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) != 0 &&
            value.addr != nullptr) {
            const long parsed = std::strtol(value.addr, nullptr, 10);
            if (parsed > 0) dpi = static_cast<int>(parsed);
        }
        if (database != nullptr) XrmDestroyDatabase(database);
    }
    return kTwipsPerInch / dpi;
}
