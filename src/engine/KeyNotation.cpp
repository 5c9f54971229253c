#include "engine/KeyNotation.h"

#include <array>
#include <charconv>

#include "platform/Keyboard.h"

namespace {

constexpr uint8_t kVkReturn = 13;
// Characters typed by a press call and a separate release call.
constexpr std::string_view kPressReleaseCharacters = "!@#$&*()-|:<>?";
// A repeat count of a standalone named key is a 16-bit count.
constexpr int kMaxRepeatCount = 32767;
constexpr int kMaxModifierPrefixes = 3;

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

// 18 for "%" (Alt), 17 for "^" (Ctrl), 16 for "+" (Shift), 0 for anything else.
uint8_t ModifierKeyCode(char c) {
    switch (c) {
        case '%':
            return kVkMenu;
        case '^':
            return kVkControl;
        case '+':
            return kVkShift;
        default:
            return 0;
    }
}

class Parser {
public:
    explicit Parser(std::string_view keys) : keys_(keys) {}

    std::vector<KeyStep> Steps() {
        for (; i_ < keys_.size(); ++i_) {
            const char c = keys_[i_];
            if (ModifierKeyCode(c) != 0) {
                if (!ModifierGroup()) break;
            } else if (kPressReleaseCharacters.find(c) != std::string_view::npos) {
                steps_.push_back(KeyStep::Character(c, true));
            } else if (c == '~') {
                steps_.push_back(KeyStep::Repeat(kVkReturn));
            } else if (c == '{' && StandaloneNamedKey()) {
                // i_ stands on the "}"
            } else if (c == '{' || c == '}') {
                steps_.push_back(KeyStep::Character(c, true));
            } else {
                steps_.push_back(KeyStep::Character(c));
            }
        }
        return std::move(steps_);
    }

private:
    // The group starting at i_, which is left on its key. False when the group has no key:
    // its modifiers are released and nothing more is typed.
    bool ModifierGroup() {
        std::vector<uint8_t> modifiers;
        while (modifiers.size() < kMaxModifierPrefixes && i_ < keys_.size()) {
            const uint8_t code = ModifierKeyCode(keys_[i_]);
            if (code == 0) break;
            steps_.push_back(KeyStep::Press(code));
            modifiers.push_back(code);
            ++i_;
        }
        const bool hasKey = GroupKey();
        for (auto code = modifiers.rbegin(); code != modifiers.rend(); ++code) {
            steps_.push_back(KeyStep::Release(*code));
        }
        return hasKey;
    }

    bool GroupKey() {
        if (i_ >= keys_.size()) return false;
        const char c = keys_[i_];
        if (c == '~') {
            steps_.push_back(KeyStep::Repeat(kVkReturn));
        } else if (c == '{') {
            const std::size_t close = keys_.find('}', i_ + 1);
            if (close == std::string_view::npos) return false;
            if (const uint8_t code = NamedKeyCode(keys_.substr(i_ + 1, close - i_ - 1))) {
                steps_.push_back(KeyStep::Repeat(code));
            }
            i_ = close;
        } else if (c >= 'a' && c <= 'z') {
            steps_.push_back(KeyStep::Repeat(static_cast<uint8_t>(c - 'a' + 'A')));
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            steps_.push_back(KeyStep::Repeat(static_cast<uint8_t>(c)));
        } else {
            steps_.push_back(KeyStep::CharacterKey(c));
        }
        return true;
    }

    // A standalone {NAME} or {NAME count} starting at i_: its steps, and i_ left on the "}".
    // False, with i_ unchanged, when the braces hold no known name and valid count.
    bool StandaloneNamedKey() {
        const std::size_t close = keys_.find('}', i_ + 1);
        if (close == std::string_view::npos) return false;
        const std::string_view inside = keys_.substr(i_ + 1, close - i_ - 1);
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
        const uint8_t code = NamedKeyCode(name);
        if (code == 0) return false;
        if (count > 0) steps_.push_back(KeyStep::Repeat(code, count));
        i_ = close;
        return true;
    }

    std::string_view keys_;
    std::size_t i_ = 0;
    std::vector<KeyStep> steps_;
};

}  // namespace

std::vector<KeyStep> ParseKeyNotation(std::string_view keys) {
    return Parser(keys).Steps();
}
