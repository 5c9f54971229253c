#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <filesystem>

#include "common/AnsiText.h"

namespace {

// US layout: character -> virtual-key code with shift state, and virtual-key code -> scan code.
struct UsKey {
    char unshifted;
    char shifted;
    uint8_t vk;
    uint8_t scan;
};

constexpr UsKey kUsKeys[] = {
    {'1', '!', 0x31, 0x02},  {'2', '@', 0x32, 0x03}, {'3', '#', 0x33, 0x04},
    {'4', '$', 0x34, 0x05},  {'5', '%', 0x35, 0x06}, {'6', '^', 0x36, 0x07},
    {'7', '&', 0x37, 0x08},  {'8', '*', 0x38, 0x09}, {'9', '(', 0x39, 0x0A},
    {'0', ')', 0x30, 0x0B},  {';', ':', 0xBA, 0x27}, {'=', '+', 0xBB, 0x0D},
    {',', '<', 0xBC, 0x33},  {'-', '_', 0xBD, 0x0C}, {'.', '>', 0xBE, 0x34},
    {'/', '?', 0xBF, 0x35},  {'`', '~', 0xC0, 0x29}, {'[', '{', 0xDB, 0x1A},
    {'\\', '|', 0xDC, 0x2B}, {']', '}', 0xDD, 0x1B}, {'\'', '"', 0xDE, 0x28},
    {' ', ' ', 0x20, 0x39},
};

// Scan codes of the letters A-Z.
constexpr uint8_t kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                     0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                     0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

// Keys that type no character, with their scan codes.
constexpr std::pair<uint8_t, uint8_t> kOtherScan[] = {
    {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38},
    {0x1B, 0x01}, {0x21, 0x49}, {0x22, 0x51}, {0x23, 0x4F}, {0x24, 0x47}, {0x25, 0x4B},
    {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}, {0x2D, 0x52}, {0x2E, 0x53},
};

}  // namespace

Hwnd SimDesktop::AddWindow(Window window) {
    const Hwnd handle = nextHandle_++;
    windows_[handle] = std::move(window);
    order_.insert(order_.begin(), handle);
    return handle;
}

void SimDesktop::CloseWindow(Hwnd hWnd) {
    windows_.erase(hWnd);
    order_.erase(std::remove(order_.begin(), order_.end(), hWnd), order_.end());
    if (foreground == hWnd) foreground = 0;
}

SimDesktop::Window* SimDesktop::Find(Hwnd hWnd) {
    const auto found = windows_.find(hWnd);
    return found == windows_.end() ? nullptr : &found->second;
}

std::vector<Hwnd> SimDesktop::EnumWindows() {
    std::vector<Hwnd> topLevel;
    for (Hwnd h : order_) {
        if (windows_[h].parent == 0) topLevel.push_back(h);
    }
    return topLevel;
}

bool SimDesktop::IsWindowVisible(Hwnd hWnd) {
    const Window* w = Find(hWnd);
    return w != nullptr && w->visible;
}

Hwnd SimDesktop::GetParent(Hwnd hWnd) {
    const Window* w = Find(hWnd);
    return w == nullptr ? 0 : w->parent;
}

Hwnd SimDesktop::GetOwner(Hwnd hWnd) {
    const Window* w = Find(hWnd);
    return w == nullptr ? 0 : w->owner;
}

std::string SimDesktop::GetWindowTextA(Hwnd hWnd, int bufferSize) {
    const Window* w = Find(hWnd);
    if (w == nullptr || bufferSize < 1) return {};
    return w->title.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

std::string SimDesktop::GetClassNameA(Hwnd hWnd, int bufferSize) {
    const Window* w = Find(hWnd);
    if (w == nullptr || bufferSize < 1) return {};
    return w->className.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

Hwnd SimDesktop::FindWindowA(const std::string& className, const std::string& title) {
    for (Hwnd h : order_) {
        const Window& w = windows_[h];
        if (w.parent == 0 && Ansi::EqualsIgnoreCase(w.className, className) &&
            Ansi::EqualsIgnoreCase(w.title, title)) {
            return h;
        }
    }
    return 0;
}

Hwnd SimDesktop::GetForegroundWindow() {
    return foreground;
}

uint32_t SimDesktop::GetWindowThreadProcessId(Hwnd hWnd) {
    const Window* w = Find(hWnd);
    return w == nullptr ? 0 : w->thread;
}

bool SimDesktop::AttachThreadInput(uint32_t, uint32_t, bool) {
    return true;
}

bool SimDesktop::SetForegroundWindow(Hwnd hWnd) {
    if (refuseActivation || Find(hWnd) == nullptr) return false;
    foreground = hWnd;
    return true;
}

bool SimDesktop::IsIconic(Hwnd hWnd) {
    const Window* w = Find(hWnd);
    return w != nullptr && w->minimised;
}

bool SimDesktop::ShowWindow(Hwnd hWnd, int showCommand) {
    showCalls.emplace_back(hWnd, showCommand);
    Window* w = Find(hWnd);
    if (w == nullptr) return false;
    w->visible = true;
    if (showCommand == kSwRestore || showCommand == kSwShowNormal) w->minimised = false;
    return true;
}

bool SimDesktop::SetTopmost(Hwnd hWnd, bool on) {
    if (Find(hWnd) == nullptr) return false;
    if (on) {
        topmost.insert(hWnd);
    } else {
        topmost.erase(hWnd);
    }
    return true;
}

ScreenRect SimDesktop::GetWorkArea() {
    return workArea;
}
int SimDesktop::TwipsPerPixel() {
    return 15;
}

void SimDesktop::RecordKey(uint16_t vk, uint16_t scan, uint32_t flags, KeyEvent::Via via) {
    const KeyEvent event{vk, scan, flags, via};
    keyEvents.push_back(event);
    if ((flags & kKeyEventKeyUp) != 0) {
        down_.erase(vk);
    } else {
        if (!down_.contains(vk)) {
            if (toggled_.contains(vk)) {
                toggled_.erase(vk);
            } else {
                toggled_.insert(vk);
            }
        }
        down_.insert(vk);
    }
    if (onKeyEvent) onKeyEvent(event);
}

void SimDesktop::keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) {
    RecordKey(vk, scan, flags, KeyEvent::Via::KeybdEvent);
}

uint32_t SimDesktop::SendInput(const std::vector<KeyInput>& inputs) {
    for (const KeyInput& input : inputs) {
        RecordKey(input.wVk, input.wScan, input.dwFlags, KeyEvent::Via::SendInput);
    }
    return static_cast<uint32_t>(inputs.size());
}

int16_t SimDesktop::VkKeyScanA(char ch) {
    if (const auto extra = extraLayoutKeys.find(ch); extra != extraLayoutKeys.end())
        return extra->second;
    if (ch >= 'a' && ch <= 'z') return static_cast<int16_t>(ch - 'a' + 'A');
    if (ch >= 'A' && ch <= 'Z') return static_cast<int16_t>(0x100 | ch);
    if (ch == '\r') return 0x0D;
    if (ch == '\t') return 0x09;
    if (ch == '\b') return 0x08;
    if (ch == '\x1B') return 0x1B;
    for (const UsKey& key : kUsKeys) {
        if (key.unshifted == ch) return key.vk;
        if (key.shifted == ch) return static_cast<int16_t>(0x100 | key.vk);
    }
    return -1;
}

uint32_t SimDesktop::MapVirtualKeyA(uint32_t code, uint32_t mapType) {
    if (code >= 'A' && code <= 'Z') return mapType == 2 ? code : kLetterScan[code - 'A'];
    for (const UsKey& key : kUsKeys) {
        if (key.vk == code) {
            return mapType == 2 ? static_cast<uint32_t>(static_cast<unsigned char>(key.unshifted))
                                : key.scan;
        }
    }
    if (mapType == 2)
        return code == 0x0D || code == 0x09 || code == 0x08 || code == 0x1B ? code : 0;
    for (const auto& [vk, scan] : kOtherScan) {
        if (vk == code) return scan;
    }
    if (code >= 0x70 && code <= 0x79) return 0x3B + (code - 0x70);  // F1-F10
    return 0;
}

int16_t SimDesktop::GetKeyState(int vk) {
    const auto key = static_cast<uint16_t>(vk);
    int state = 0;
    if (down_.contains(key)) state |= 0x8000;
    if (toggled_.contains(key)) state |= 1;
    return static_cast<int16_t>(state);
}

bool SimDesktop::CreateProcessA(const std::string& commandLine) {
    startRequests.push_back({StartRequest::Kind::CreateProcess, {}, commandLine, {}, 0});
    return !refuseStart;
}

bool SimDesktop::DocumentExists(const std::string& file) const {
    std::error_code ec;
    return documents.contains(file) || std::filesystem::exists(Ansi::ToUtf8(file), ec);
}

ShellExecuteResult SimDesktop::ShellExecuteExA(const std::string& verb, const std::string& file,
                                               const std::string&, const std::string& directory,
                                               int showCommand, bool) {
    startRequests.push_back(
        {StartRequest::Kind::ShellExecuteEx, verb, file, directory, showCommand});
    if (!DocumentExists(file)) return {kSeErrFileNotFound, 0};
    return {42, 1};
}

int32_t SimDesktop::ShellExecuteA(const std::string& verb, const std::string& file,
                                  int showCommand) {
    startRequests.push_back({StartRequest::Kind::ShellExecute, verb, file, {}, showCommand});
    return DocumentExists(file) ? 42 : kSeErrFileNotFound;
}

int32_t SimDesktop::Shell(const std::string& commandLine, int windowStyle) {
    startRequests.push_back({StartRequest::Kind::Shell, {}, commandLine, {}, windowStyle});
    return refuseStart ? 0 : 1;
}
