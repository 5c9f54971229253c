#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Window handles are 32-bit (X11 window ids fit); 0 is no window.
using Hwnd = int32_t;

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Show commands of ShowWindow that the system uses.
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;
inline constexpr int kSwRestore = 9;

// The top-level windows of the desktop: enumeration, identity, foreground and activation.
// Texts are ANSI. A window that has vanished reads as having no title, no class, not visible.
class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // Every top-level window, in the window system's order.
    virtual std::vector<Hwnd> EnumWindows() = 0;
    virtual bool IsWindowVisible(Hwnd hWnd) = 0;
    // The parent of a child window; 0 for a top-level window.
    virtual Hwnd GetParent(Hwnd hWnd) = 0;
    // The owner window (GetWindowLongA with GWL_HWNDPARENT); 0 when it has none.
    virtual Hwnd GetOwner(Hwnd hWnd) = 0;
    // Title and class name read into a buffer of bufferSize characters: at most bufferSize - 1.
    virtual std::string GetWindowTextA(Hwnd hWnd, int bufferSize) = 0;
    virtual std::string GetClassNameA(Hwnd hWnd, int bufferSize) = 0;
    // A top-level window whose class and title both equal the given ones ignoring case.
    virtual Hwnd FindWindowA(const std::string& className, const std::string& title) = 0;

    virtual Hwnd GetForegroundWindow() = 0;
    // Whether keys typed now go to hWnd: it, or a window inside it, has the keyboard focus (by
    // default: it is the window in front). Asked before every key typed, so a backend answers
    // it as cheaply as it can.
    virtual bool HasKeyboardFocus(Hwnd hWnd) { return GetForegroundWindow() == hWnd; }
    // While the returned object lives, the keyboard focus stays where it is: a key typed then
    // goes where HasKeyboardFocus, asked then, said it would, even when another program moves
    // the focus at the same moment. Nothing to hold by default.
    class FocusHold {
    public:
        virtual ~FocusHold() = default;
    };
    virtual std::unique_ptr<FocusHold> HoldKeyboardFocus() { return nullptr; }
    virtual uint32_t GetWindowThreadProcessId(Hwnd hWnd) = 0;
    virtual bool AttachThreadInput(uint32_t attachThread, uint32_t toThread, bool attach) = 0;
    // Brings the window to the front (from any desktop); true when it is then in front.
    virtual bool SetForegroundWindow(Hwnd hWnd) = 0;
    virtual bool IsIconic(Hwnd hWnd) = 0;
    virtual bool ShowWindow(Hwnd hWnd, int showCommand) = 0;
    // Keeps the window above all others (SetWindowPos with HWND_TOPMOST) or not.
    virtual bool SetTopmost(Hwnd hWnd, bool topmost) = 0;

    // The work area of the screen in pixels (the desktop less panels and docks).
    virtual ScreenRect GetWorkArea() = 0;
    // Twips per pixel of the screen (1440 / logical dots per inch).
    virtual int TwipsPerPixel() = 0;
};
