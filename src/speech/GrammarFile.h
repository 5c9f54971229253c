#pragma once

#include <string>
#include <vector>

// Reads the speech grammar file: CR LF lines, a header, then one "<start>=" line for each
// alternative of the single rule. Returns the alternatives' texts (Windows-1252) exactly as
// written, in file order, leaving out empty ones. A missing file raises error 53, a file
// that cannot be read raises error 75.
std::vector<std::string> ReadGrammarFile(const std::string& path);
