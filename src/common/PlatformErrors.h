#pragma once

#include <cstdint>
#include <string>

// Platform failures that the system tests or names, with their usual descriptions.
namespace PlatformError {

inline constexpr int32_t kInvalidProcedureCall = 5;  // "Invalid procedure call or argument"
inline constexpr int32_t kOverflow = 6;              // "Overflow"
inline constexpr int32_t kBadFileNameOrNumber = 52;  // "Bad file name or number"
inline constexpr int32_t kFileNotFound = 53;         // "File not found"
inline constexpr int32_t kDiskFull = 61;             // "Disk full"
inline constexpr int32_t kPermissionDenied = 70;     // "Permission denied"
inline constexpr int32_t kPathFileAccess = 75;       // "Path/File access error"
inline constexpr int32_t kInvalidArrayIndex = 381;   // "Invalid property array index"

// The usual description of a platform error number (empty for a number not listed above).
std::string Description(int32_t number);

// Throws an ErrorRecord with the number, the program's name as source, and its description.
[[noreturn]] void Raise(int32_t number);
// The same with a description of its own, for a failure that needs saying more plainly.
[[noreturn]] void Raise(int32_t number, const std::string& description);

}  // namespace PlatformError
