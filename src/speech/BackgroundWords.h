#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The most frequent words of English, most frequent first, as picked from the general language
// model that comes with the acoustic model and shipped with the program (background-words.txt,
// compiled in). Speech outside the grammar ("open the door", "what time is it") is matched
// against a loop of these words, so that it need not be forced onto the nearest command.
std::vector<std::string> BackgroundWords(std::size_t count);
