#pragma once

#include <cstdint>
#include <string>

// String values under per-user keys, kept in the program's per-user settings file.
//
// Key texts are registry-style paths. The program's own key "Software\Ostrelworks\Vorn! Voice
// Control" (matched ignoring case) is the settings file of organisation "Ostrelworks",
// application "Vorn! Voice Control"; each further "\"-separated segment is a group inside it.
// Every other key is outside the program's store: reads give "", writes and deletions fail.
// Texts are ANSI; they are stored as UTF-8.
namespace Registry {

// 1 when the key holds nothing yet (it comes into being with its first value), 2 when it
// already holds values or subkeys, 0 when it is outside the store or the store is not writable.
int32_t CreateRegistryKey(const std::string& key);

// The value's text; "" when the key or value is missing, or when the text with a terminating
// NUL would not fit in 1024 bytes.
std::string GetRegistryString(const std::string& key, const std::string& name);

// Writes the text as given. A text of blanks only deletes the value instead. True when the
// value was written, or deleted (a value that was not there is not deleted).
bool SetRegistryString(const std::string& key, const std::string& name, const std::string& text);

}  // namespace Registry
