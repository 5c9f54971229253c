#pragma once

#include <optional>
#include <string>

// The system-wide settings that stand for keys under HKEY_LOCAL_MACHINE, read only. A key
// "Software\<organisation>\<application>[\<group>...]" (the first segment in any letter case)
// is the settings file "<organisation>/<application>.conf" in the XDG system configuration
// folders ($XDG_CONFIG_DIRS, else /etc/xdg), the further segments its group. The first folder
// whose file holds the value wins. Texts are ANSI.
namespace SystemSettings {

// The value's text, or nothing when no file holds it or the key has another shape.
std::optional<std::string> Read(const std::string& key, const std::string& name);

}  // namespace SystemSettings
