#pragma once

#include <cstdint>
#include <string>

// Commands of HtmlHelp.
inline constexpr uint32_t HH_DISPLAY_TOPIC = 0;
inline constexpr uint32_t HH_HELP_CONTEXT = 15;

// The desktop's viewer of compiled HTML Help files.
inline constexpr const char* kHelpViewer = "xchm";

// Opens a compiled HTML Help file in the help viewer, started through the platform's process
// launcher as a process of its own that outlives nothing of the program. target is the file,
// or the file, ">" and a window name (the viewer has one window kind, so the name is dropped).
// HH_DISPLAY_TOPIC opens the file's default topic; HH_HELP_CONTEXT the topic mapped to the
// context id in data. False, said on standard error, when the viewer cannot be started or the
// command is another one.
bool HtmlHelp(const std::string& target, uint32_t command, int32_t data);
