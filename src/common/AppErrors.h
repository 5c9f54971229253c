#pragma once

#include <cstdint>

// Application error numbers: ids of rows of the string table.
namespace AppError {
inline constexpr int32_t kShellFailed = 13001;         // CApp.ShellApp could not start
inline constexpr int32_t kFileCorrupt = 13011;         // CFile.FileRead failed
inline constexpr int32_t kStoreFailed = 13012;         // CFile.FileStore failed
inline constexpr int32_t kNoVocabDirectory = 13013;    // CFile.FileNew failed
inline constexpr int32_t kBadDictionaryIndex = 13021;  // CVocab.RetrieveDictionary bad index
}  // namespace AppError

namespace RunningApps {

// Throws the application error lErr: its number, the source "<executable>.<class-name row>"
// (the row whose id is lErr with its last decimal digit set to 0), and the text of row lErr.
[[noreturn]] void RaiseAppError(const int32_t& lErr);

// The low 16 bits of a value, 0 to 65535.
int32_t LowWord(int32_t lValue);

}  // namespace RunningApps
