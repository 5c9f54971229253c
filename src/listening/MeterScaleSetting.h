#pragma once

#include <optional>
#include <string>

// The per-user meter scale: application "RedoDoridade", section "Startup", key "VUMeter",
// a whole number in decimal digits; "3000" when it is absent.
namespace MeterScaleSetting {

inline constexpr float kDefaultFullScale = 3000.0f;

std::string Get();
void Save(const std::string& value);

// The full scale a stored text stands for: a number above 0 (blanks around it allowed).
// Nothing for any other text, 0, a negative number, infinity or NaN, on which the meter could
// never move.
std::optional<float> FullScale(const std::string& text);

}  // namespace MeterScaleSetting
