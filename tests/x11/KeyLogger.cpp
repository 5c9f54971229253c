// A plain X window that logs the keys it receives, one line per event on stdout:
//   press <keysym name> <modifier state in hex>
//   release <keysym name>
// It prints "ready <window id>" once it has the keyboard focus.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace {

const char* KeysymName(XKeyEvent& event) {
    char text[32];
    KeySym keysym = NoSymbol;
    XLookupString(&event, text, sizeof text, &keysym, nullptr);
    const char* name = XKeysymToString(keysym);
    return name != nullptr ? name : "NoSymbol";
}

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 200,
                                              0, 0, WhitePixel(display, DefaultScreen(display)));
    XStoreName(display, window, "Key Logger");
    char resName[] = "keylogger";
    char resClass[] = "KeyLogger";
    XClassHint classHint{resName, resClass};
    XSetClassHint(display, window, &classHint);
    XSelectInput(display, window,
                 KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask);
    XMapWindow(display, window);

    bool ready = false;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
            case MapNotify:
                XSetInputFocus(display, window, RevertToParent, CurrentTime);
                break;
            case FocusIn:
                if (!ready) std::printf("ready %lu\n", window);
                ready = true;
                break;
            case KeyPress:
                std::printf("press %s 0x%x\n", KeysymName(event.xkey), event.xkey.state);
                break;
            case KeyRelease:
                std::printf("release %s\n", KeysymName(event.xkey));
                break;
            case MappingNotify:
                XRefreshKeyboardMapping(&event.xmapping);
                break;
            default:
                break;
        }
        std::fflush(stdout);
    }
}
