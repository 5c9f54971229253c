#pragma once

#include <string>
#include <string_view>

// Data text of the system is "ANSI": Windows-1252, one byte per character, held in std::string.
// These helpers convert it at the edges (GUI, X11, file names) and compare it ignoring case.
namespace Ansi {

// The broken bar that separates class name and title in a window identity text.
inline constexpr char kBrokenBar = '\xA6';

// Windows-1252 bytes -> UTF-8. Every one of the 256 bytes maps to a code point; the five bytes
// that Windows-1252 leaves undefined map to the C1 control of the same value, so the conversion
// back gives the same bytes.
std::string ToUtf8(std::string_view ansi);

// UTF-8 -> Windows-1252. A character the code page lacks, and every malformed UTF-8 sequence,
// becomes '?'.
std::string FromUtf8(std::string_view utf8);

// One Unicode code point -> its Windows-1252 byte, or '?' when the code page lacks it.
char FromCodePoint(char32_t codePoint);
// One Windows-1252 byte -> its Unicode code point.
char32_t ToCodePoint(char byte);

// Latin-1 (ISO 8859-1) -> Windows-1252: bytes 0x80-0x9F are C1 controls in Latin-1, which
// Windows-1252 lacks, so they become '?' (the five undefined Windows-1252 bytes excepted).
std::string FromLatin1(std::string_view latin1);

// Case folding over ASCII and the Windows-1252 letters (À-Þ/à-þ, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ).
char ToLower(char c);
char ToUpper(char c);
std::string ToLower(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Position of the first occurrence of needle in haystack ignoring case, or npos.
std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle);
inline bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
    return FindIgnoreCase(haystack, needle) != std::string_view::npos;
}

}  // namespace Ansi
