#pragma once

#include <optional>
#include <string>

// Where the record files live, as file-system paths (UTF-8). Names are ANSI.
namespace RecordPaths {

inline constexpr const char* kAppFileName = "VAppCmd";
inline constexpr const char* kVocabFolderName = "vocab";
inline constexpr const char* kGrammarFileName = "temp.txt";
inline constexpr const char* kRecordFileExtension = ".txt";

// program folder + "/" + name + ".txt"
std::string ProgramFile(const std::string& name);
// program folder + "/vocab"
std::string VocabFolder();
// The file of a vocabulary: the existing file in the vocabulary folder whose name matches
// name + ".txt" ignoring case, else program folder + "/vocab/" + name + ".txt". No path for a
// name that would leave the folder (a "/" or a NUL in it).
std::optional<std::string> VocabFile(const std::string& name);
// True when the file of a vocabulary of that name, and the aside file that a rewrite makes
// beside it, have names that the file system can hold.
bool VocabFileNameFits(const std::string& name);
// program folder + "/temp.txt"
std::string GrammarFile();

}  // namespace RecordPaths
