#pragma once

#include <string>

// Saying plainly why a file could not be written, naming where.
namespace WriteFailure {

// The text for the system error that kept path (a UTF-8 file-system path) from being written:
// for a refusal, that its folder (or, in a writable folder, the file itself) is not writable;
// for a full disk, that there is no room left; else the system's own words. Texts are ANSI.
std::string Text(const std::string& path, int error);

// Raises the failure: error 70 (permission denied) for a refusal, 61 (disk full) for a full
// disk, 75 (path/file access error) for the rest, each with Text as its description.
[[noreturn]] void Raise(const std::string& path, int error);

}  // namespace WriteFailure
