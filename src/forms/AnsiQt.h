#pragma once

#include <QString>
#include <string>

// ANSI data text <-> the GUI's text. A character the code page lacks becomes '?'.
QString ToQString(const std::string& ansi);
std::string FromQString(const QString& text);
// True when the code page holds every character of text, so that FromQString changes none.
bool IsAnsiText(const QString& text);
