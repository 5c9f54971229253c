#include "UserActions.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

}  // namespace

void DragInWindow(Hwnd window, int fromX, int fromY, int toX, int toY) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) throw std::runtime_error("no display");
    const Window root = DefaultRootWindow(display);
    int originX = 0;
    int originY = 0;
    Window child = 0;
    XTranslateCoordinates(display, static_cast<Window>(window), root, 0, 0, &originX, &originY,
                          &child);
    const int screen = DefaultScreen(display);
    auto moveTo = [&](int x, int y) {
        XTestFakeMotionEvent(display, screen, originX + x, originY + y, CurrentTime);
        XFlush(display);
        Pause();
    };
    moveTo(fromX, fromY);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XFlush(display);
    Pause();
    constexpr int kSteps = 12;
    for (int step = 1; step <= kSteps; ++step) {
        moveTo(fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps);
    }
    Pause();
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    Pause();
    XCloseDisplay(display);
}

int WindowHeight(Hwnd window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) throw std::runtime_error("no display");
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, static_cast<Window>(window), &attributes);
    XCloseDisplay(display);
    return attributes.height;
}

void MoveWindow(Hwnd window, int x, int y) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) throw std::runtime_error("no display");
    // A move request of a managed window goes to the window manager, which moves its frame.
    XMoveWindow(display, static_cast<Window>(window), x, y);
    XFlush(display);
    XCloseDisplay(display);
}

ScreenPoint WindowPosition(Hwnd window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) throw std::runtime_error("no display");
    ScreenPoint position;
    Window child = 0;
    XTranslateCoordinates(display, static_cast<Window>(window), DefaultRootWindow(display), 0, 0,
                          &position.x, &position.y, &child);
    XCloseDisplay(display);
    return position;
}

void CloseWindow(Hwnd window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) throw std::runtime_error("no display");
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, static_cast<Window>(window), False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}
