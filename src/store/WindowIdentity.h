#pragma once

#include <string>

// The window identity text that names a running top-level window in the running-window list,
// the running-window table and at the head of each application record: the class name, a
// blank, the broken bar (0xA6), a blank and the title.
namespace WindowIdentity {

std::string Build(const std::string& className, const std::string& title);

struct Parts {
    std::string className;
    std::string title;
};
// Class and title either side of the first broken bar and the blanks around it; both empty
// when the text holds no broken bar or begins with one. A class name never holds the bar, so
// a title that holds one comes back whole.
Parts Split(const std::string& identity);

}  // namespace WindowIdentity
