// A small X11 client for the tests: opens top-level windows with given classes and titles,
// owned or not, minimised or not, prints their ids, and keeps them open until it is ended
// (or its lifetime is over, so that no stray client outlives a test run).
//
//   vorn_x11_test_client [--lifetime SECONDS] --window "CLASS|TITLE|FLAGS" ...
//
// FLAGS: t  owned by (transient for) the window before it
//        m  starts minimised
//        n  has no title at all
//        l  title only in WM_NAME, as Latin-1 (no _NET_WM_NAME)
//        0-9 starts on that desktop
// TITLE is UTF-8.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct WindowRequest {
    std::string className;
    std::string title;
    std::string flags;
    bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
};

WindowRequest Parse(const std::string& text) {
    WindowRequest request;
    const std::size_t first = text.find('|');
    const std::size_t second = first == std::string::npos ? first : text.find('|', first + 1);
    request.className = text.substr(0, first);
    if (first != std::string::npos) {
        request.title =
            text.substr(first + 1, second == std::string::npos ? second : second - first - 1);
    }
    if (second != std::string::npos) request.flags = text.substr(second + 1);
    return request;
}

// UTF-8 -> Latin-1 for the characters Latin-1 has; others become '?'.
std::string ToLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code =
                ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            out += code < 0x100 ? static_cast<char>(code) : '?';
        } else {
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80)
                ++i;
            out += '?';
        }
    }
    return out;
}

Window Open(Display* display, const WindowRequest& request, Window previous) {
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 200, 100, 1,
                            BlackPixel(display, screen), WhitePixel(display, screen));
    std::string resName = request.className;
    std::string resClass = request.className;
    XClassHint classHint{resName.data(), resClass.data()};
    XSetClassHint(display, window, &classHint);

    if (!request.Has('n')) {
        std::string latin1 = ToLatin1(request.title);
        XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(latin1.data()),
                        static_cast<int>(latin1.size()));
        if (!request.Has('l')) {
            XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                            XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(request.title.data()),
                            static_cast<int>(request.title.size()));
        }
    }
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    if (request.Has('t') && previous != 0) XSetTransientForHint(display, window, previous);
    for (char c : request.flags) {
        if (c >= '0' && c <= '9') {
            const long desktop = c - '0';
            XChangeProperty(display, window, XInternAtom(display, "_NET_WM_DESKTOP", False),
                            XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&desktop), 1);
        }
    }
    XWMHints hints{};
    hints.flags = StateHint | InputHint;
    hints.input = True;
    hints.initial_state = request.Has('m') ? IconicState : NormalState;
    XSetWMHints(display, window, &hints);
    XMapWindow(display, window);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<WindowRequest> requests;
    int lifetimeSeconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--window") requests.push_back(Parse(argv[i + 1]));
        if (option == "--lifetime") lifetimeSeconds = std::atoi(argv[i + 1]);
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "vorn_x11_test_client: no display\n");
        return 1;
    }
    Window previous = 0;
    for (const WindowRequest& request : requests) {
        previous = Open(display, request, previous);
        std::printf("%lu\n", previous);
    }
    XFlush(display);
    std::fflush(stdout);

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(lifetimeSeconds);
    while (std::chrono::steady_clock::now() < end) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 200);
    }
    XCloseDisplay(display);
    return 0;
}
