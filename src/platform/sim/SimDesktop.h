#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/ProcessLauncher.h"
#include "platform/WindowSystem.h"

// An in-memory desktop for tests: windows with their identity and state, a foreground window,
// a US keyboard layout, a log of every key event and of every start request, and switches to
// refuse activation or a start.
class SimDesktop : public IWindowSystem, public IKeyboard, public IProcessLauncher {
public:
    struct Window {
        std::string className;
        std::string title;
        Hwnd parent = 0;
        Hwnd owner = 0;
        bool visible = true;
        bool minimised = false;
        uint32_t thread = 1;
    };

    struct KeyEvent {
        enum class Via { KeybdEvent, SendInput };
        uint16_t vk = 0;
        uint16_t scan = 0;
        uint32_t flags = 0;
        Via via = Via::KeybdEvent;
        bool Up() const { return (flags & kKeyEventKeyUp) != 0; }
        bool operator==(const KeyEvent&) const = default;
    };

    struct StartRequest {
        enum class Kind { CreateProcess, ShellExecuteEx, ShellExecute, Shell };
        Kind kind = Kind::CreateProcess;
        std::string verb;
        std::string file;  // the command line for CreateProcess and Shell
        std::string directory;
        int show = 0;
    };

    // Adds a window in front of the others in enumeration order; returns its handle.
    Hwnd AddWindow(Window window);
    void CloseWindow(Hwnd hWnd);
    Window* Find(Hwnd hWnd);

    Hwnd foreground = 0;
    bool refuseActivation = false;    // SetForegroundWindow fails
    bool refuseStart = false;         // CreateProcessA and Shell fail
    std::set<std::string> documents;  // files ShellExecute finds (besides real files)
    std::vector<KeyEvent> keyEvents;
    // Called with each key event once it is logged: a test changes the desktop while keys
    // are being typed.
    std::function<void(const KeyEvent&)> onKeyEvent;
    std::vector<StartRequest> startRequests;
    std::vector<std::pair<Hwnd, int>> showCalls;

    // IWindowSystem
    std::vector<Hwnd> EnumWindows() override;
    bool IsWindowVisible(Hwnd hWnd) override;
    Hwnd GetParent(Hwnd hWnd) override;
    Hwnd GetOwner(Hwnd hWnd) override;
    std::string GetWindowTextA(Hwnd hWnd, int bufferSize) override;
    std::string GetClassNameA(Hwnd hWnd, int bufferSize) override;
    Hwnd FindWindowA(const std::string& className, const std::string& title) override;
    Hwnd GetForegroundWindow() override;
    uint32_t GetWindowThreadProcessId(Hwnd hWnd) override;
    bool AttachThreadInput(uint32_t attachThread, uint32_t toThread, bool attach) override;
    bool SetForegroundWindow(Hwnd hWnd) override;
    bool IsIconic(Hwnd hWnd) override;
    bool ShowWindow(Hwnd hWnd, int showCommand) override;
    bool SetTopmost(Hwnd hWnd, bool topmost) override;
    ScreenRect GetWorkArea() override;
    int TwipsPerPixel() override;

    ScreenRect workArea{0, 0, 1024, 768};
    std::set<Hwnd> topmost;

    // IKeyboard
    void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) override;
    uint32_t SendInput(const std::vector<KeyInput>& inputs) override;
    int16_t VkKeyScanA(char ch) override;
    uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;
    int16_t GetKeyState(int vk) override;

    // Characters the layout types besides the US keys, with their VkKeyScanA answers (for
    // instance AltGr characters); looked at before the US keys.
    std::map<char, int16_t> extraLayoutKeys;

    // Keys held down now (the virtual-key codes).
    std::set<uint16_t> KeysDown() const { return down_; }

    // IProcessLauncher
    bool CreateProcessA(const std::string& commandLine) override;
    ShellExecuteResult ShellExecuteExA(const std::string& verb, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand, bool expandEnvironment) override;
    int32_t ShellExecuteA(const std::string& verb, const std::string& file,
                          int showCommand) override;
    int32_t Shell(const std::string& commandLine, int windowStyle) override;

private:
    void RecordKey(uint16_t vk, uint16_t scan, uint32_t flags, KeyEvent::Via via);
    bool DocumentExists(const std::string& file) const;

    std::map<Hwnd, Window> windows_;
    std::vector<Hwnd> order_;  // enumeration order, front first
    Hwnd nextHandle_ = 0x1001;
    std::set<uint16_t> down_;
    std::set<uint16_t> toggled_;
};
