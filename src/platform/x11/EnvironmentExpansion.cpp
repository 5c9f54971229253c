#include "platform/x11/EnvironmentExpansion.h"

#include <cstdlib>

namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

// Appends the value of name, or written when it is not set.
void AppendValue(std::string& out, const std::string& name, const std::string& written) {
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    out += value != nullptr ? std::string(value) : written;
}

}  // namespace

std::string ExpandEnvironment(const std::string& text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '%') {
            const std::size_t close = text.find('%', at + 1);
            if (close != std::string::npos && close > at + 1) {
                AppendValue(out, text.substr(at + 1, close - at - 1),
                            text.substr(at, close - at + 1));
                at = close + 1;
                continue;
            }
        } else if (c == '$' && at + 1 < text.size() && text[at + 1] == '{') {
            const std::size_t close = text.find('}', at + 2);
            if (close != std::string::npos) {
                AppendValue(out, text.substr(at + 2, close - at - 2),
                            text.substr(at, close - at + 1));
                at = close + 1;
                continue;
            }
        } else if (c == '$' && at + 1 < text.size() && IsNameStart(text[at + 1])) {
            std::size_t end = at + 1;
            while (end < text.size() && IsNameChar(text[end])) ++end;
            AppendValue(out, text.substr(at + 1, end - at - 1), text.substr(at, end - at));
            at = end;
            continue;
        }
        out += c;
        ++at;
    }
    return out;
}
