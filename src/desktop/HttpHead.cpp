#include "desktop/HttpHead.h"

#include "common/AnsiText.h"

namespace HttpHead {

namespace {

// The line that starts at pos, without its line end; pos moves past the line end.
std::string_view NextLine(std::string_view head, std::size_t& pos) {
    std::size_t end = head.find('\n', pos);
    if (end == std::string_view::npos) end = head.size();
    std::string_view line = head.substr(pos, end - pos);
    pos = end < head.size() ? end + 1 : end;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

StartLine ParseStartLine(std::string_view head) {
    std::size_t pos = 0;
    std::string_view line = NextLine(head, pos);
    StartLine parts;
    std::size_t firstSpace = line.find(' ');
    parts.first = std::string(line.substr(0, firstSpace));
    if (firstSpace == std::string_view::npos) return parts;
    std::string_view remainder = line.substr(firstSpace + 1);
    std::size_t secondSpace = remainder.find(' ');
    parts.second = std::string(remainder.substr(0, secondSpace));
    if (secondSpace != std::string_view::npos)
        parts.rest = std::string(remainder.substr(secondSpace + 1));
    return parts;
}

std::optional<std::string> FieldValue(std::string_view head, std::string_view name) {
    std::vector<std::string> values = FieldValues(head, name);
    if (values.empty()) return std::nullopt;
    return std::move(values.front());
}

std::vector<std::string> FieldValues(std::string_view head, std::string_view name) {
    std::vector<std::string> values;
    std::size_t pos = 0;
    NextLine(head, pos);  // the start line
    while (pos < head.size()) {
        std::string_view line = NextLine(head, pos);
        if (line.empty()) break;  // end of the head
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        if (Ansi::EqualsIgnoreCase(line.substr(0, colon), name)) {
            values.emplace_back(TrimBlanks(line.substr(colon + 1)));
        }
    }
    return values;
}

}  // namespace HttpHead
