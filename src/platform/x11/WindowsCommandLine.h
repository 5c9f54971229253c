#pragma once

#include <string>
#include <vector>

// Splitting a command line the way Windows programs do, so that the paths of application
// records start the same programs here.
namespace WindowsCommandLine {

// The program name and its arguments.
//  - The program name ends at the closing quote when the line starts with one, else at the
//    first blank or tab; it takes no backslash escapes.
//  - Arguments are separated by blanks and tabs outside quotes. 2n backslashes before a quote
//    give n backslashes and the quote opens or closes quoting; 2n+1 give n backslashes and a
//    literal quote; backslashes before anything else stay as they are. Inside quotes, two
//    quotes give one literal quote.
std::vector<std::string> Split(const std::string& commandLine);
// The arguments alone, by the rules above, of a text that holds no program name.
std::vector<std::string> SplitArguments(const std::string& text);

// The names an unquoted program name may stand for when it holds blanks, shortest first:
// "a b c" -> "a", "a b", "a b c". Windows tries them in this order. For a quoted name or one
// without blanks, just that name. Each comes with the rest of the line after it.
struct ProgramCandidate {
    std::string program;
    std::string rest;
};
std::vector<ProgramCandidate> ProgramCandidates(const std::string& commandLine);

}  // namespace WindowsCommandLine
