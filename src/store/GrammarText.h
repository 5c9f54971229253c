#pragma once

#include <string>
#include <string_view>
#include <vector>

// The text of the speech grammar file "temp.txt": lines in the ANSI code page ended by CR LF,
// a fixed header, then one "<start>=" line for each alternative of the grammar's one rule.
// The header's last line is the first alternative, "switch to".
namespace GrammarText {

// The header lines, CR LF included.
std::string Header();
// The line of one alternative, CR LF included.
std::string Line(std::string_view alternative);

// The alternatives of a grammar file's text, in file order, exactly as written: the text of
// every "<start>=" line, empty ones left out. A bare LF ends a line too, and the last line
// needs no end, so a file edited by hand still reads.
std::vector<std::string> Alternatives(std::string_view text);

}  // namespace GrammarText
