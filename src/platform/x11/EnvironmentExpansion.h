#pragma once

#include <string>

// Replaces $NAME, ${NAME} and %NAME% by the value of the environment variable NAME. A name
// that is not set stays as written, as the Windows shell leaves an unknown %NAME%.
std::string ExpandEnvironment(const std::string& text);
