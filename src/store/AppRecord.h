#pragma once

#include <string>
#include <string_view>

// One voice command application record of "VAppCmd.txt":
//   identity "*" phrase "~" vocabulary "$" path
// where the identity is a window identity text. The identity ends at the first "*", the phrase
// at the first "~" after it, the vocabulary at the first "$" after that; the path runs to the
// end and may hold anything. So a title holding "~" or "$" reads back whole as it is.
//
// A title may also hold "*". Such an identity is written as "*", the identity with every "*"
// doubled, and a single "*". No record of the plain form begins with "*" (its identity would be
// empty, and an empty identity ends the application list), so the leading "*" tells the two
// forms apart and every plain record reads as it always did. Phrases and vocabulary names
// never hold a separator: they are refused before a record is written.
struct AppRecord {
    std::string identity;
    std::string userName;
    std::string vocabularyName;
    std::string pathName;
    // The phrase and the vocabulary name are there ("~" and a "$" after it follow the identity):
    // the record was saved at least once since its window was dragged in.
    bool completed = false;

    // Takes a record text apart. A text without "*" is no application record: all empty.
    static AppRecord Parse(std::string_view text);
    // The form written when a window is dragged in: the identity and its "*".
    static std::string Fresh(const std::string& identity);
    // The full form with all four fields.
    std::string Text() const;

    // The characters that separate the fields.
    static constexpr std::string_view kSeparators = "*~$";
    // True when a phrase or vocabulary name holds a separator and so cannot be stored.
    static bool HoldsSeparator(std::string_view name);
};
