#pragma once

#include <string>

// Taking a voice command application record apart. A record reads
//   identity "*" phrase "~" vocabulary "$" path
// where the identity is "class <broken bar> title". Each reader of the record has its own
// rule for finding the pieces; they agree on every record the program writes itself and differ
// only when a separator stands inside a title or a name. Searches are exact and take the first
// occurrence.
namespace VacRecord {

// The pieces as the application list and its editing read them: each field lies between the
// first occurrences of its two separators and is empty when either is missing or they stand
// in the wrong order; the path is everything after the first "$" of the whole record.
struct Fields {
    std::string identity;        // before the first "*"; empty without "*"
    std::string userName;        // between the first "*" and the first "~"
    std::string vocabularyName;  // between the first "~" and the first "$"
    std::string pathName;        // after the first "$"
};
Fields Split(const std::string& record);

// The pieces as the phrase lookup reads them: the phrase runs from the first "*" to the first
// "~" after it, the vocabulary from there to the first "$" after it; the path is everything
// after the first "$" of the whole record, or the whole record when it holds no "$". Class
// and title lie either side of the first broken bar and its two blanks, the title ending at
// the first "*" after it.
struct PhraseFields {
    std::string phrase;
    std::string vocabularyName;
    std::string pathName;
    std::string className;
    std::string windowText;
};
PhraseFields SplitForPhrase(const std::string& record);

}  // namespace VacRecord
