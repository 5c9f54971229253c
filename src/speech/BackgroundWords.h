#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The most frequent words of English, most frequent first, from the general language model
// that comes with the acoustic model. Speech outside the grammar ("open the door", "what time
// is it") is matched against a loop of these words, so that it need not be forced onto the
// nearest command. The model is read once per process (a second or so); an empty list when it
// cannot be read.
std::vector<std::string> BackgroundWords(std::size_t count);
