#pragma once

#include <string>
#include <string_view>
#include <vector>

// The words a phrase is spoken as: the text split on blanks, punctuation removed from the
// ends of each token, tokens of punctuation only left out, letters in lower case
// ("Open File!" -> "open", "file"). Windows-1252 in and out.
std::vector<std::string> TokenisePhrase(std::string_view phrase);
