// The half of CApp that turns a recognised phrase into keystrokes: the vocabulary of the
// application in front, and the key notation of its entries.
#include <array>
#include <charconv>
#include <optional>
#include <string_view>

#include "common/AnsiText.h"
#include "common/ResumeNext.h"
#include "engine/CApp.h"
#include "engine/CKeyboard.h"
#include "engine/PressedKeys.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "store/AppRecord.h"
#include "store/RecordScan.h"
#include "store/WindowIdentity.h"

namespace {

constexpr uint8_t kVkReturn = 13;
constexpr int kTextBufferSize = 256;
// Characters typed by a press call and a separate release call.
constexpr std::string_view kPressReleaseCharacters = "!@#$&*()-|:<>?";
// A repeat count of a standalone named key is a 16-bit count.
constexpr int kMaxRepeatCount = 32767;

struct NamedKey {
    std::string_view name;
    uint8_t code;
};

constexpr std::array<NamedKey, 28> kNamedKeys = {{
    {"BKSP", 8},  {"DOWN", 40}, {"UP", 38},   {"RIGHT", 39}, {"LEFT", 37}, {"DEL", 46},
    {"ESC", 27},  {"HOME", 36}, {"PGDN", 34}, {"PGUP", 33},  {"TAB", 9},   {"END", 35},
    {"F1", 112},  {"F2", 113},  {"F3", 114},  {"F4", 115},   {"F5", 116},  {"F6", 117},
    {"F7", 118},  {"F8", 119},  {"F9", 120},  {"F10", 121},  {"F11", 122}, {"F12", 123},
    {"F13", 124}, {"F14", 125}, {"F15", 126}, {"F16", 127},
}};

// The code of a named key, 0 when the name is not in the table (names are exact, upper case).
uint8_t NamedKeyCode(std::string_view name) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name) return key.code;
    }
    return 0;
}

bool IsModifierPrefix(char c) {
    return c == '%' || c == '^' || c == '+';
}

// The window identity text of a window.
std::string WindowIdentityOf(Hwnd hWnd) {
    IWindowSystem& windows = Platform::Windows();
    const std::string title = windows.GetWindowTextA(hWnd, kTextBufferSize);
    return WindowIdentity::Build(windows.GetClassNameA(hWnd, kTextBufferSize), title);
}

// The key that a character stands for after modifier prefixes: a letter or a digit by its
// own code (^c and ^C are both Ctrl+C), any other character by the key that types it (^- is
// Ctrl with the minus key); 0 when no key types it.
uint8_t KeyOfCharacter(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint8_t>(c);
    const int16_t v = Platform::Keyboard().VkKeyScanA(c);
    if (v == -1) return 0;
    return static_cast<uint8_t>(v & 0xFF);
}

}  // namespace

int16_t CApp::VocabCheck(const std::string& sPhrase) {
    try {
        return VocabCheckSteps(sPhrase);
    } catch (...) {
        // A failure ends the check; what was typed stays typed.
        return 0;
    }
}

int16_t CApp::VocabCheckSteps(const std::string& sPhrase) {
    IWindowSystem& windows = Platform::Windows();
    struct {
        Hwnd hWnd = 0;
        Hwnd foreground = 0;
    } windowInfo;
    windowInfo.foreground = windows.GetForegroundWindow();

    // The application record of the window in front; a window no record knows (handle 0)
    // matches nothing, so that the fallback below applies.
    bool inFront = false;
    mFile.InitRecord();
    {
        const OpenRecordFile open(mFile);
        ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
            windowInfo.hWnd = RunningApps::RunningAppHwnd(AppRecord::Parse(text).identity);
            inFront = windowInfo.hWnd != 0 && windowInfo.hWnd == windowInfo.foreground;
            return inFront ? ScanStep::Stop : ScanStep::Next;
        });
    }
    if (!inFront) windowInfo.hWnd = mLastAppHwnd;

    // The vocabulary of the first completed record that names that window as it is now.
    const std::string identity = WindowIdentityOf(windowInfo.hWnd);
    std::optional<std::string> vocabulary;
    mFile.InitRecord();
    {
        const OpenRecordFile open(mFile);
        ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
            const AppRecord record = AppRecord::Parse(text);
            if (!record.completed || record.identity != identity) return ScanStep::Next;
            vocabulary = record.vocabularyName;
            return ScanStep::Stop;
        });
    }
    // An empty name names no vocabulary file; opening it would create one.
    if (!vocabulary || vocabulary->empty()) return 0;

    // The entry whose word is the phrase.
    std::optional<std::string> keys;
    mFile.InitRecord();
    const OpenRecordFile open(mFile, true, *vocabulary);
    ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& entry) {
        const std::size_t colon = entry.find(':');
        if (colon == std::string::npos || entry.substr(0, colon) != sPhrase) return ScanStep::Next;
        keys = entry.substr(colon + 1);
        return ScanStep::Stop;
    });
    if (!keys) return 0;

    // Never type into a window of this program.
    const std::string frontTitle =
        windows.GetWindowTextA(windows.GetForegroundWindow(), kTextBufferSize);
    if (frontTitle.find("Vorn") != std::string::npos) return 0;

    TypeKeys(*keys);
    return 2;
}

void CApp::TypeKeys(const std::string& keys) {
    CKeyboard keyboard;
    std::size_t i = 0;
    // One pass also for empty keys, whose empty character is a failure of the typing.
    do {
        const std::string c = i < keys.size() ? keys.substr(i, 1) : std::string();
        if (!c.empty() && IsModifierPrefix(c.front())) {
            if (!ModifierGroup(keys, i)) return;
        } else if (!c.empty() &&
                   kPressReleaseCharacters.find(c.front()) != std::string_view::npos) {
            keyboard.PressKey(c, true);
            keyboard.PressKey(c, false, true);
        } else if (c == "~") {
            SendKeyPress(kVkReturn);
        } else if (c == "{" && StandaloneNamedKey(keys, i)) {
            // sent; i stands on the "}"
        } else if (c == "{" || c == "}") {
            keyboard.PressKey(c, true);
            keyboard.PressKey(c, false, true);
        } else {
            keyboard.PressKey(c);
        }
        ++i;
    } while (i < keys.size());
}

bool CApp::ModifierGroup(const std::string& keys, std::size_t& i) {
    // Pressed in the order written, released in the reverse order when the group ends, also
    // when it ends early or by a failure.
    PressedKeys modifiers;
    for (int prefixes = 0; prefixes < 3 && i < keys.size() && IsModifierPrefix(keys[i]);
         ++prefixes) {
        modifiers.Down(ModifierKeyCode(keys.substr(i, 1)));
        ++i;
    }
    if (i >= keys.size()) return false;

    const char c = keys[i];
    if (c == '~') {
        SendKeyPress(kVkReturn);
    } else if (c == '{') {
        const std::size_t close = keys.find('}', i + 1);
        if (close == std::string::npos) return false;
        NamedKeyPress(keys.substr(i + 1, close - i - 1));
        i = close;
    } else if (const uint8_t code = KeyOfCharacter(c); code != 0) {
        SendKeyPress(code);
    }
    return true;
}

bool CApp::StandaloneNamedKey(const std::string& keys, std::size_t& i) {
    const std::size_t close = keys.find('}', i + 1);
    if (close == std::string::npos) return false;
    const std::string_view inside = std::string_view(keys).substr(i + 1, close - i - 1);
    std::string_view name = inside;
    int count = 1;
    if (const std::size_t blank = inside.find(' '); blank != std::string_view::npos) {
        name = inside.substr(0, blank);
        const std::string_view digits = inside.substr(blank + 1);
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, count);
        if (digits.empty() || error != std::errc() || stop != end || digits.front() == '-' ||
            count > kMaxRepeatCount) {
            return false;
        }
    }
    if (NamedKeyCode(name) == 0) return false;
    for (int n = 0; n < count; ++n) NamedKeyPress(std::string(name));
    i = close;
    return true;
}

void CApp::SendKeyPress(uint8_t code) {
    Platform::Keyboard().SendInput({KeyInput{code, 0, 0}, KeyInput{code, 0, kKeyEventKeyUp}});
}

uint8_t CApp::ModifierKeyCode(const std::string& sKey) {
    if (sKey == "%") return kVkMenu;
    if (sKey == "^") return kVkControl;
    if (sKey == "+") return kVkShift;
    return 0;
}

void CApp::NamedKeyPress(const std::string& sName) {
    if (const uint8_t code = NamedKeyCode(sName); code != 0) SendKeyPress(code);
}
