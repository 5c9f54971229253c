#include "platform/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <map>
#include <vector>

#include "common/AnsiText.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11KeyLayout.h"

namespace {

constexpr uint32_t kMapToScanCode = 0;
constexpr uint32_t kMapToCharacter = 2;
// X keycodes are the keyboard's scan codes plus 8.
constexpr int kKeycodeOffset = 8;

constexpr int16_t kKeyStateDown = static_cast<int16_t>(0x8000);
constexpr int16_t kKeyStateToggled = 1;

constexpr uint8_t kVkCapital = 20;
constexpr uint8_t kVkNumLock = 144;
constexpr uint8_t kVkScroll = 145;

}  // namespace

struct X11Keyboard::Impl {
    std::shared_ptr<X11Connection> connection;
    // Keys this object pressed and has not released, with the keycode they went down on, so
    // that the release reaches the same key even if the layout changed in between.
    std::map<uint8_t, KeyCode> held;
    // Keycodes lent to keysyms the layout lacks.
    std::map<KeyCode, KeySym> lent;

    Display* display() const { return connection->display(); }
    X11KeyLayout Layout() const { return X11KeyLayout(display()); }

    // The key of vk. A named key that the layout lacks is lent a free keycode: all such keys
    // at once, before the first of them is sent, since clients may miss a change of the
    // mapping that follows an earlier change and a key closely.
    KeyCode KeycodeFor(uint8_t vk) {
        const X11KeyLayout layout = Layout();
        if (const KeyCode keycode = layout.KeycodeOf(vk); keycode != 0) return keycode;
        if (X11KeyLayout::NamedKeysym(vk) == NoSymbol) return 0;
        std::vector<KeySym> missing = layout.MissingNamedKeysyms();
        std::vector<KeyCode> spare = layout.SpareKeycodes();
        for (std::size_t i = 0; i < missing.size() && i < spare.size(); ++i) {
            XChangeKeyboardMapping(display(), spare[i], 1, &missing[i], 1);
            lent.insert_or_assign(spare[i], missing[i]);
        }
        XSync(display(), False);
        return Layout().KeycodeOf(vk);
    }

    void Send(KeyCode keycode, bool down) {
        XTestFakeKeyEvent(display(), keycode, down ? True : False, CurrentTime);
        XSync(display(), False);
    }

    bool KeycodeDown(KeyCode keycode) const {
        char keys[32] = {};
        XQueryKeymap(display(), keys);
        return keycode != 0 &&
               (static_cast<unsigned char>(keys[keycode / 8]) & (1u << (keycode % 8))) != 0;
    }
};

X11Keyboard::X11Keyboard(std::shared_ptr<X11Connection> connection)
    : impl_(std::make_unique<Impl>()) {
    impl_->connection = std::move(connection);
}

X11Keyboard::~X11Keyboard() {
    for (const auto& [vk, keycode] : impl_->held) impl_->Send(keycode, false);
    // Lent keycodes are given back, unless a layout loaded since has put a key of its own there.
    const X11KeyLayout layout = impl_->Layout();
    for (const auto& [keycode, keysym] : impl_->lent) {
        if (layout.KeycodeOfKeysym(keysym) != keycode) continue;
        KeySym nothing = NoSymbol;
        XChangeKeyboardMapping(impl_->display(), keycode, 1, &nothing, 1);
    }
    XSync(impl_->display(), False);
}

void X11Keyboard::keybd_event(uint8_t vk, uint8_t, uint32_t flags) {
    const bool down = (flags & kKeyEventKeyUp) == 0;
    if (!down) {
        if (const auto held = impl_->held.find(vk); held != impl_->held.end()) {
            const KeyCode keycode = held->second;
            impl_->held.erase(held);
            impl_->Send(keycode, false);
            return;
        }
    }
    const KeyCode keycode = impl_->KeycodeFor(vk);
    if (keycode == 0) return;
    impl_->Send(keycode, down);
    if (down) impl_->held[vk] = keycode;
}

uint32_t X11Keyboard::SendInput(const std::vector<KeyInput>& inputs) {
    for (const KeyInput& input : inputs) {
        keybd_event(static_cast<uint8_t>(input.wVk), static_cast<uint8_t>(input.wScan),
                    input.dwFlags);
    }
    return static_cast<uint32_t>(inputs.size());
}

int16_t X11Keyboard::VkKeyScanA(char ch) {
    return impl_->Layout().ScanCharacter(Ansi::ToCodePoint(ch));
}

uint32_t X11Keyboard::MapVirtualKeyA(uint32_t code, uint32_t mapType) {
    if (code > 0xFF) return 0;
    const X11KeyLayout layout = impl_->Layout();
    const auto vk = static_cast<uint8_t>(code);
    if (mapType == kMapToScanCode) {
        const KeyCode keycode = layout.KeycodeOf(vk);
        return keycode >= kKeycodeOffset ? static_cast<uint32_t>(keycode - kKeycodeOffset) : 0;
    }
    if (mapType == kMapToCharacter) {
        const char32_t character = layout.CharacterOf(vk);
        return character == 0 ? 0 : static_cast<unsigned char>(Ansi::FromCodePoint(character));
    }
    return 0;
}

int16_t X11Keyboard::GetKeyState(int vk) {
    if (vk < 0 || vk > 0xFF) return 0;
    const X11KeyLayout layout = impl_->Layout();
    // The generic modifier codes stand for either key of the pair.
    std::vector<KeyCode> keycodes;
    switch (vk) {
        case kVkShift:
            keycodes = {layout.KeycodeOfKeysym(XK_Shift_L), layout.KeycodeOfKeysym(XK_Shift_R)};
            break;
        case kVkControl:
            keycodes = {layout.KeycodeOfKeysym(XK_Control_L), layout.KeycodeOfKeysym(XK_Control_R)};
            break;
        case kVkMenu:
            keycodes = {layout.KeycodeOfKeysym(XK_Alt_L), layout.KeycodeOfKeysym(XK_Alt_R)};
            break;
        default:
            keycodes = {layout.KeycodeOf(static_cast<uint8_t>(vk))};
            break;
    }
    int16_t state = 0;
    for (const KeyCode keycode : keycodes) {
        if (impl_->KeycodeDown(keycode)) state = kKeyStateDown;
    }
    // X keeps a toggle state for the lock keys only, in their indicators.
    const char* indicator = vk == kVkCapital   ? "Caps Lock"
                            : vk == kVkNumLock ? "Num Lock"
                            : vk == kVkScroll  ? "Scroll Lock"
                                               : nullptr;
    if (indicator != nullptr) {
        Bool on = False;
        if (XkbGetNamedIndicator(impl_->display(), impl_->connection->Intern(indicator), nullptr,
                                 &on, nullptr, nullptr) &&
            on) {
            state = static_cast<int16_t>(state | kKeyStateToggled);
        }
    }
    return state;
}
