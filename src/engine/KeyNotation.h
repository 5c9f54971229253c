#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// One step of typing a vocabulary entry's keys.
struct KeyStep {
    enum class Kind : uint8_t {
        Press,         // the key `code` goes down (a modifier of a group)
        Release,       // the key `code` goes up
        Repeat,        // the key `code` pressed and released `count` times
        Character,     // `character` typed as the keyboard layout produces it
        CharacterKey,  // the key that types `character`, pressed and released on its own
    };

    Kind kind = Kind::Character;
    uint8_t code = 0;
    char character = 0;
    int count = 1;
    // Character: typed by a press call and a separate release call.
    bool pressThenRelease = false;

    static KeyStep Press(uint8_t code) { return {.kind = Kind::Press, .code = code}; }
    static KeyStep Release(uint8_t code) { return {.kind = Kind::Release, .code = code}; }
    static KeyStep Repeat(uint8_t code, int count = 1) {
        return {.kind = Kind::Repeat, .code = code, .count = count};
    }
    static KeyStep Character(char c, bool pressThenRelease = false) {
        return {.kind = Kind::Character, .character = c, .pressThenRelease = pressThenRelease};
    }
    static KeyStep CharacterKey(char c) { return {.kind = Kind::CharacterKey, .character = c}; }

    bool operator==(const KeyStep&) const = default;
};

// The steps that type keys written in the key notation, read left to right:
// - "%", "^", "+" (Alt, Ctrl, Shift), one to three in a row, hold the key that follows them:
//   "~", a {NAME}, or any other character, a letter or digit by its own code (^c and ^C are
//   both Ctrl+C) and any other character by the key that types it. The modifiers are released
//   in the reverse order. A group without its key (the keys end, or "{" has no "}") releases
//   its modifiers and ends the typing.
// - "~" is Enter; {NAME} or {NAME count} alone is that named key, count times (0 to 32767).
// - "!@#$&*()-|:<>?" and braces that hold no known name are typed by a press and a release
//   call; every other character by one call.
// A name not in the table sends nothing. Empty keys give no step.
std::vector<KeyStep> ParseKeyNotation(std::string_view keys);
