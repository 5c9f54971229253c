#include "FuzzKeys.h"

#include <map>

#include "FuzzSupport.h"

void RequireKeysSentAndReleased(const SimDesktop& desktop) {
    // Presses not yet released, per key.
    std::map<uint16_t, int> down;
    for (const SimDesktop::KeyEvent& event : desktop.keyEvents) {
        Require(event.vk != 0 && event.vk < 255, "an event for no key");
        if (!event.Up()) {
            ++down[event.vk];
            continue;
        }
        Require(down[event.vk] > 0, "a key released that was not down");
        if (--down[event.vk] == 0) down.erase(event.vk);
    }
    Require(down.empty() && desktop.KeysDown().empty(), "a key stays held down");
}
