#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "desktop/PlacedWindow.h"

// Saves and restores the position, size and state of top-level windows between runs (values
// "Location" and "State" under the window's key of the settings store), fits a restored
// placement into the desktop work area, and puts a window into a corner of the work area.
namespace Location {

// A rectangle in twips.
struct TwipsRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// Position codes of PositionForm: the corners of the work area.
inline constexpr int kTopLeft = 22;
inline constexpr int kTopRight = 23;
inline constexpr int kBottomLeft = 24;
inline constexpr int kBottomRight = 25;

// Reads the window's saved placement. True when a valid "Location" was stored: location then
// receives it, fitted into the work area; otherwise location is left as it was. state always
// receives the saved state, a minimized one read as normal. With fillDesktop, it also receives
// the window's "FillDesktop" setting. section, when given, names the key in place of the window.
bool LoadFormLocation(const PlacedWindow& window, int& state, TwipsRect& location,
                      const std::optional<std::string>& section = std::nullopt,
                      bool* fillDesktop = nullptr);

// Writes "State", and "Location" only while the window is in the normal state, so a minimized
// or maximized window keeps the location it last had in the normal state. Always true.
bool SaveFormLocation(const PlacedWindow& window,
                      const std::optional<std::string>& section = std::nullopt);

// Codes 22 to 25 put the window into that corner; every other code does nothing.
void PositionForm(PlacedWindow& window, int code);

// Moves a window in the normal state into a corner of the work area (codes kTopLeft to
// kBottomRight), keeping its size; a minimized or maximized window stays where it is.
void PositionFormAtCorner(PlacedWindow& window, int code);

// Shrinks the rectangle to the work area's size and moves it inside 0..width, 0..height (the
// work area's own left and top are not added). True when nothing had to change.
bool FitToWorkArea(TwipsRect& location);

// The work area (the desktop less panels) in twips.
TwipsRect GetWorkArea();

// "left,top,width,height" of the window in whole twips, e.g. "1200,900,6000,4500".
std::string FormLocationString(const PlacedWindow& window);

// Reads "left,top,width,height": exactly three commas, each piece a number in the user's locale
// (blanks around it allowed, a fraction rounded to the nearest integer, halves to even) within
// 32 bits, and the four adding up (in 32 bits) to at least 1. Pieces are written to location as
// they convert, so a failure may leave the ones before it written.
bool ParseLocation(const std::string& text, TwipsRect& location);

// "Normal", "Minimized", "Maximized", or "" for any other state.
std::string WindowStateName(int state);
// The state a name stands for, ignoring case; any other text (also "") is normal.
int WindowStateFromName(const std::string& name);

// "Software\Ostrelworks\Vorn! Voice Control\<window name>"; a given section (its outer blanks
// removed) replaces the window name, and an empty one leaves the product key alone.
std::string FormRegistryKey(const PlacedWindow& window,
                            const std::optional<std::string>& section = std::nullopt);
// "Software\Ostrelworks\Vorn! Voice Control", or the company key with the given product
// segment (the company key alone for an empty one).
std::string AppRegistryKey(const std::optional<std::string>& product = std::nullopt);
// "Software\Ostrelworks", or "Software\" with the given company segment.
std::string CompanyRegistryKey(const std::optional<std::string>& company = std::nullopt);

// Save form: writes "FillDesktop" "True" under the key when the window is exactly as large as
// the work area, else deletes it; false. Read form: the stored setting ("True"/"False" ignoring
// case, or a number, non-zero being true); false when absent or not a truth value.
bool FillDesktopSetting(const PlacedWindow& window, const std::string& key, bool save);

}  // namespace Location
