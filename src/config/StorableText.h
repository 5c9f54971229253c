#pragma once

#include <QString>
#include <string>

// The text of a box as a record stores it: one Windows-1252 byte a character, on one line.
// A text holding characters outside that set, line breaks, tabs or other control characters
// is refused with error 5, before anything is written: its description names them (the text
// being what, such as "entry") and says that nothing was saved.
std::string StorableText(const QString& text, const std::string& what);
