#pragma once

#include <string>
#include <vector>

namespace VocabularyFolder {

// The names of the vocabularies in the vocabulary folder: one per normal file whose name ends
// in ".txt" (ignoring case), the name being the file name up to its first "." (ANSI). Folders
// and hidden files (names beginning with ".") are left out. Ordered by name ignoring case, so
// that every listing shows the same order. Nothing when the folder is missing.
std::vector<std::string> Names();

// True when the folder holds the file of a vocabulary of that name (matched ignoring case), or
// anything else under that file's name.
bool Holds(const std::string& name);

}  // namespace VocabularyFolder
