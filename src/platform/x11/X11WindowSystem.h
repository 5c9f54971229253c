#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

class X11Connection;

// The top-level windows of an X11 desktop. Under a window manager (EWMH) the windows are its
// clients, activation asks the manager and waits for its answer; without one, the children
// of the root window, raised and focused directly. Texts come back as ANSI.
class X11WindowSystem : public IWindowSystem {
public:
    explicit X11WindowSystem(std::shared_ptr<X11Connection> connection);
    ~X11WindowSystem() override;

    std::vector<Hwnd> EnumWindows() override;
    bool IsWindowVisible(Hwnd hWnd) override;
    Hwnd GetParent(Hwnd hWnd) override;
    Hwnd GetOwner(Hwnd hWnd) override;
    std::string GetWindowTextA(Hwnd hWnd, int bufferSize) override;
    std::string GetClassNameA(Hwnd hWnd, int bufferSize) override;
    Hwnd FindWindowA(const std::string& className, const std::string& title) override;
    Hwnd GetForegroundWindow() override;
    bool HasKeyboardFocus(Hwnd hWnd) override;
    // Holds the server: no other client's request, the window manager's focus change among
    // them, is handled until the hold ends.
    std::unique_ptr<FocusHold> HoldKeyboardFocus() override;
    uint32_t GetWindowThreadProcessId(Hwnd hWnd) override;
    bool AttachThreadInput(uint32_t attachThread, uint32_t toThread, bool attach) override;
    bool SetForegroundWindow(Hwnd hWnd) override;
    bool IsIconic(Hwnd hWnd) override;
    bool ShowWindow(Hwnd hWnd, int showCommand) override;
    bool SetTopmost(Hwnd hWnd, bool topmost) override;
    ScreenRect GetWorkArea() override;
    int TwipsPerPixel() override;

    // How long activation waits for the window manager to report the window active.
    static constexpr std::chrono::milliseconds kActivationWait{1000};

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
