#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The program's help file: "vornhelp.chm" in the program's folder.
std::string HelpFilePath();

// Opens a help file in the help viewer. Holds no state; the viewer is a process of its own,
// tied to no window of the program, and nothing is reported back (a missing file is the
// viewer's business).
class CHelp {
public:
    // Opens NewFile at its default topic, or at the topic of ContextID when one is given. A
    // non-empty WindowPane names the viewer's window: the target is then the trimmed file
    // name, ">" and the trimmed pane name.
    void Show(std::string& NewFile, const std::string& WindowPane = {},
              std::optional<int32_t> ContextID = std::nullopt);
};
