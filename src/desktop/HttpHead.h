#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading an HTTP message head: a start line, then "Name: value" lines, each ended by CR LF
// (or LF alone), then an empty line.
namespace HttpHead {

// The three parts of the start line, split at its first two spaces: method, target and version
// of a request; version, status code and status text of a response.
struct StartLine {
    std::string first;
    std::string second;
    std::string rest;
};
StartLine ParseStartLine(std::string_view head);

// The value of the first field of that name (letter case ignored), without the blanks around
// it; nothing when the head has no such field.
std::optional<std::string> FieldValue(std::string_view head, std::string_view name);
// The values of every field of that name (letter case ignored), in order, each without the
// blanks around it.
std::vector<std::string> FieldValues(std::string_view head, std::string_view name);

}  // namespace HttpHead
