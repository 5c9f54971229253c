#include "store/WindowIdentity.h"

#include <algorithm>

#include "common/AnsiText.h"

namespace WindowIdentity {

std::string Build(const std::string& className, const std::string& title) {
    return className + " " + Ansi::kBrokenBar + " " + title;
}

Parts Split(const std::string& identity) {
    const std::size_t bar = identity.find(Ansi::kBrokenBar);
    if (bar == std::string::npos || bar == 0) return {};
    return {identity.substr(0, bar - 1), identity.substr(std::min(bar + 2, identity.size()))};
}

}  // namespace WindowIdentity
