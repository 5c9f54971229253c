#pragma once

#include <string>

// The per-user meter scale: application "RedoDoridade", section "Startup", key "VUMeter",
// a whole number in decimal digits; "3000" when it is absent.
namespace MeterScaleSetting {

std::string Get();
void Save(const std::string& value);

}  // namespace MeterScaleSetting
