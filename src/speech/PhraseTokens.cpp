#include "speech/PhraseTokens.h"

#include "common/AnsiText.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xA0';
}

// Letters and digits of Windows-1252 carry sound; everything else printable is punctuation.
bool IsSpoken(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
    if (byte == 0x8A || byte == 0x8C || byte == 0x8E || byte == 0x9A || byte == 0x9C ||
        byte == 0x9E || byte == 0x9F || byte == 0xAA || byte == 0xB5 || byte == 0xBA) {
        return true;
    }
    return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
}

}  // namespace

std::vector<std::string> TokenisePhrase(std::string_view phrase) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < phrase.size()) {
        while (i < phrase.size() && IsBlank(phrase[i])) ++i;
        std::size_t end = i;
        while (end < phrase.size() && !IsBlank(phrase[end])) ++end;
        std::size_t first = i;
        std::size_t last = end;
        while (first < last && !IsSpoken(phrase[first])) ++first;
        while (last > first && !IsSpoken(phrase[last - 1])) --last;
        if (first < last) tokens.push_back(Ansi::ToLower(phrase.substr(first, last - first)));
        i = end;
    }
    return tokens;
}
