#include "platform/x11/X11KeyLayout.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/AnsiText.h"
#include "platform/Keyboard.h"

namespace {

struct NamedKey {
    uint8_t vk;
    KeySym keysym;
};

// Keys that type no character (and Space and Enter), by the keysym they carry.
constexpr NamedKey kNamedKeys[] = {
    {8, XK_BackSpace},   {9, XK_Tab},           {13, XK_Return},   {16, XK_Shift_L},
    {17, XK_Control_L},  {18, XK_Alt_L},        {19, XK_Pause},    {20, XK_Caps_Lock},
    {27, XK_Escape},     {32, XK_space},        {33, XK_Prior},    {34, XK_Next},
    {35, XK_End},        {36, XK_Home},         {37, XK_Left},     {38, XK_Up},
    {39, XK_Right},      {40, XK_Down},         {44, XK_Print},    {45, XK_Insert},
    {46, XK_Delete},     {91, XK_Super_L},      {92, XK_Super_R},  {93, XK_Menu},
    {144, XK_Num_Lock},  {145, XK_Scroll_Lock}, {160, XK_Shift_L}, {161, XK_Shift_R},
    {162, XK_Control_L}, {163, XK_Control_R},   {164, XK_Alt_L},   {kVkAltGr, XK_ISO_Level3_Shift},
};
// F1 to F24 follow one another from 112.
constexpr uint8_t kVkF1 = 112;
constexpr int kFunctionKeys = 24;

// The keys of the US layout by position (XKB key names), with their virtual-key codes.
struct PositionKey {
    std::string_view name;
    uint8_t vk;
};
constexpr PositionKey kLetterPositions[] = {
    {"AC01", 'A'}, {"AB05", 'B'}, {"AB03", 'C'}, {"AC03", 'D'}, {"AD03", 'E'}, {"AC04", 'F'},
    {"AC05", 'G'}, {"AC06", 'H'}, {"AD08", 'I'}, {"AC07", 'J'}, {"AC08", 'K'}, {"AC09", 'L'},
    {"AB07", 'M'}, {"AB06", 'N'}, {"AD09", 'O'}, {"AD10", 'P'}, {"AD01", 'Q'}, {"AD04", 'R'},
    {"AC02", 'S'}, {"AD05", 'T'}, {"AD07", 'U'}, {"AB04", 'V'}, {"AD02", 'W'}, {"AB02", 'X'},
    {"AD06", 'Y'}, {"AB01", 'Z'},
};
constexpr PositionKey kOtherPositions[] = {
    {"AE01", '1'},  {"AE02", '2'},  {"AE03", '3'},  {"AE04", '4'},  {"AE05", '5'},  {"AE06", '6'},
    {"AE07", '7'},  {"AE08", '8'},  {"AE09", '9'},  {"AE10", '0'},  {"TLDE", 0xC0}, {"AE11", 0xBD},
    {"AE12", 0xBB}, {"AD11", 0xDB}, {"AD12", 0xDD}, {"BKSL", 0xDC}, {"AC10", 0xBA}, {"AC11", 0xDE},
    {"AB08", 0xBC}, {"AB09", 0xBE}, {"AB10", 0xBF}, {"LSGT", 0xE2},
};
// Codes that no key above uses, for the other keys that type characters.
constexpr uint8_t kFreeCodes[] = {
    0x07, 0x0A, 0x0B, 0x0E, 0x0F, 0x1A, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x5E, 0x88, 0x89,
    0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F, 0xB8,
    0xB9, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE0, 0xE8,
};

struct KeymapDeleter {
    void operator()(XkbDescPtr xkb) const { XkbFreeKeyboard(xkb, XkbAllComponentsMask, True); }
};

// The real modifiers of the first key that carries the keysym at its first level.
unsigned ModifiersOfKeysym(XkbDescPtr xkb, KeySym keysym) {
    for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
        const auto key = static_cast<KeyCode>(keycode);
        if (XkbKeyNumGroups(xkb, key) > 0 && XkbKeySymEntry(xkb, key, 0, 0) == keysym) {
            return xkb->map->modmap[keycode];
        }
    }
    return 0;
}

std::string_view KeyName(XkbDescPtr xkb, int keycode) {
    const char* name = xkb->names->keys[keycode].name;
    return {name, strnlen(name, XkbKeyNameLength)};
}

}  // namespace

X11KeyLayout::X11KeyLayout(Display* display) {
    const std::unique_ptr<XkbDescRec, KeymapDeleter> xkb(
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd));
    if (!xkb || XkbGetNames(display, XkbKeyNamesMask, xkb.get()) != Success) return;
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);

    // What the levels need, in our shift-state bits.
    const unsigned altMask = ModifiersOfKeysym(xkb.get(), XK_Alt_L);
    const unsigned levelThreeMask = ModifiersOfKeysym(xkb.get(), XK_ISO_Level3_Shift);
    const auto shiftStateOf = [&](unsigned mask) -> int {
        int shiftState = 0;
        const auto take = [&](unsigned modifiers, int bit) {
            if (modifiers != 0 && (mask & modifiers) == modifiers) {
                shiftState |= bit;
                mask &= ~modifiers;
            }
        };
        take(ShiftMask, kShiftStateShift);
        take(ControlMask, kShiftStateCtrl);
        take(levelThreeMask, kShiftStateAltGr);
        take(altMask, kShiftStateAlt);
        return mask == 0 ? shiftState : -1;  // another modifier (Lock, NumLock): out of reach
    };

    for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code && keycode < 256;
         ++keycode) {
        const auto key = static_cast<KeyCode>(keycode);
        const int groups = XkbKeyNumGroups(xkb.get(), key);
        bool hasSymbol = false;
        for (int g = 0; g < groups && !hasSymbol; ++g) {
            for (int level = 0; level < XkbKeyGroupWidth(xkb.get(), key, g); ++level) {
                hasSymbol = hasSymbol || XkbKeySymEntry(xkb.get(), key, level, g) != NoSymbol;
            }
        }
        spare_[static_cast<std::size_t>(keycode)] = !hasSymbol;
        if (groups == 0) continue;

        const int group = state.group % groups;
        const XkbKeyTypePtr type = XkbKeyKeyType(xkb.get(), key, group);
        for (int level = 0; level < XkbKeyGroupWidth(xkb.get(), key, group); ++level) {
            const KeySym keysym = XkbKeySymEntry(xkb.get(), key, level, group);
            if (keysym == NoSymbol) continue;
            // The fewest modifiers that select this level.
            int best = level == 0 ? 0 : -1;
            for (int entry = 0; entry < type->map_count && best != 0; ++entry) {
                const XkbKTMapEntryRec& map = type->map[entry];
                if (!map.active || map.level != level) continue;
                const int shiftState = shiftStateOf(map.mods.mask);
                if (shiftState >= 0 && (best < 0 || std::popcount(unsigned(shiftState)) <
                                                        std::popcount(unsigned(best)))) {
                    best = shiftState;
                }
            }
            if (best >= 0) levels_[key].push_back({keysym, static_cast<int16_t>(best)});
        }
    }

    // Virtual-key codes: named keys, letters by what they type, the rest by position, then
    // free codes for the other keys that type characters.
    for (const NamedKey& named : kNamedKeys)
        AssignVirtualKey(named.vk, KeycodeOfKeysym(named.keysym));
    for (int f = 0; f < kFunctionKeys; ++f) {
        const auto vk = static_cast<uint8_t>(kVkF1 + f);
        AssignVirtualKey(vk, KeycodeOfKeysym(NamedKeysym(vk)));
    }
    for (const PositionKey& letter : kLetterPositions) {
        const char32_t lower = static_cast<char32_t>(letter.vk - 'A' + 'a');
        KeyCode typing = 0;
        for (int keycode = 0; keycode < 256 && typing == 0; ++keycode) {
            const auto& levels = levels_[static_cast<std::size_t>(keycode)];
            if (!levels.empty() && levels.front().shiftState == 0 &&
                xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(levels.front().keysym)) == lower) {
                typing = static_cast<KeyCode>(keycode);
            }
        }
        AssignVirtualKey(letter.vk, typing);
    }
    const auto byName = [&](std::string_view name) -> KeyCode {
        for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code && keycode < 256;
             ++keycode) {
            if (KeyName(xkb.get(), keycode) == name) return static_cast<KeyCode>(keycode);
        }
        return 0;
    };
    // A layout without Latin letters keeps the letter codes on the US positions.
    for (const PositionKey& letter : kLetterPositions) {
        if (vkToKeycode_[letter.vk] == 0) AssignVirtualKey(letter.vk, byName(letter.name));
    }
    for (const PositionKey& other : kOtherPositions) AssignVirtualKey(other.vk, byName(other.name));
    std::size_t nextFree = 0;
    for (int keycode = 0; keycode < 256 && nextFree < std::size(kFreeCodes); ++keycode) {
        if (keycodeToVk_[static_cast<std::size_t>(keycode)] == 0 &&
            !levels_[static_cast<std::size_t>(keycode)].empty()) {
            AssignVirtualKey(kFreeCodes[nextFree++], static_cast<KeyCode>(keycode));
        }
    }
}

void X11KeyLayout::AssignVirtualKey(uint8_t vk, KeyCode keycode) {
    if (keycode == 0) return;
    if (vkToKeycode_[vk] == 0) vkToKeycode_[vk] = keycode;
    if (keycodeToVk_[keycode] == 0) keycodeToVk_[keycode] = vk;
}

KeyCode X11KeyLayout::KeycodeOfKeysym(KeySym keysym) const {
    for (std::size_t keycode = 0; keycode < levels_.size(); ++keycode) {
        const auto& levels = levels_[keycode];
        if (!levels.empty() && levels.front().shiftState == 0 && levels.front().keysym == keysym) {
            return static_cast<KeyCode>(keycode);
        }
    }
    return 0;
}

KeySym X11KeyLayout::NamedKeysym(uint8_t vk) {
    if (vk >= kVkF1 && vk < kVkF1 + kFunctionKeys) return XK_F1 + (vk - kVkF1);
    for (const NamedKey& named : kNamedKeys) {
        if (named.vk == vk) return named.keysym;
    }
    return NoSymbol;
}

int16_t X11KeyLayout::ScanCharacter(char32_t character) const {
    // The first level that types it, keypad keys only when nothing else does.
    int16_t found = -1;
    int bestRank = 0;
    for (std::size_t keycode = 0; keycode < levels_.size(); ++keycode) {
        const uint8_t vk = keycodeToVk_[keycode];
        if (vk == 0) continue;
        const auto& levels = levels_[keycode];
        for (std::size_t level = 0; level < levels.size(); ++level) {
            const KeySym keysym = levels[level].keysym;
            if (xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym)) != character) continue;
            const int rank = (IsKeypadKey(keysym) ? 1000 : 0) + static_cast<int>(level);
            if (found == -1 || rank < bestRank) {
                found = static_cast<int16_t>(levels[level].shiftState | vk);
                bestRank = rank;
            }
        }
    }
    return found;
}

char32_t X11KeyLayout::CharacterOf(uint8_t vk) const {
    const KeyCode keycode = vkToKeycode_[vk];
    if (keycode == 0 || levels_[keycode].empty() || levels_[keycode].front().shiftState != 0)
        return 0;
    const char32_t character =
        xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(levels_[keycode].front().keysym));
    if (character >= 'a' && character <= 'z') return character - 'a' + 'A';
    return character;
}

std::vector<KeySym> X11KeyLayout::MissingNamedKeysyms() const {
    std::vector<KeySym> missing;
    for (int vk = 0; vk < 256; ++vk) {
        const KeySym keysym = NamedKeysym(static_cast<uint8_t>(vk));
        if (keysym != NoSymbol && KeycodeOfKeysym(keysym) == 0 &&
            std::find(missing.begin(), missing.end(), keysym) == missing.end()) {
            missing.push_back(keysym);
        }
    }
    return missing;
}

std::vector<KeyCode> X11KeyLayout::SpareKeycodes() const {
    std::vector<KeyCode> spare;
    for (std::size_t keycode = spare_.size() - 1; keycode >= 8; --keycode) {
        if (spare_[keycode]) spare.push_back(static_cast<KeyCode>(keycode));
    }
    return spare;
}
