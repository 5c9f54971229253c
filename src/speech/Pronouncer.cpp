#include "speech/Pronouncer.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "common/AnsiText.h"

namespace Pronouncer {
namespace {

// IPA symbols (longest first where one begins another) and the model phones they become.
// Diphthongs and affricates are one phone in the model; r-coloured vowels become ER.
constexpr std::pair<std::string_view, std::string_view> kIpaPhones[] = {
    {"aɪ", "AY"}, {"aʊ", "AW"}, {"eɪ", "EY"}, {"oʊ", "OW"}, {"ɔɪ", "OY"}, {"dʒ", "JH"},
    {"tʃ", "CH"}, {"ɜː", "ER"}, {"ɑː", "AA"}, {"ɔː", "AO"}, {"oː", "AO"}, {"iː", "IY"},
    {"uː", "UW"}, {"ɚ", "ER"},  {"ɝ", "ER"},  {"ɜ", "ER"},  {"ɑ", "AA"},  {"ɒ", "AA"},
    {"ɔ", "AO"},  {"o", "OW"},  {"i", "IY"},  {"u", "UW"},  {"ʊ", "UH"},  {"ɪ", "IH"},
    {"ᵻ", "IH"},  {"ɛ", "EH"},  {"e", "EH"},  {"æ", "AE"},  {"a", "AE"},  {"ʌ", "AH"},
    {"ə", "AH"},  {"ɐ", "AH"},  {"y", "UW"},  {"ɾ", "T"},   {"ɹ", "R"},   {"r", "R"},
    {"ɫ", "L"},   {"l", "L"},   {"θ", "TH"},  {"ð", "DH"},  {"ʃ", "SH"},  {"ʒ", "ZH"},
    {"ŋ", "NG"},  {"j", "Y"},   {"w", "W"},   {"ʍ", "W"},   {"h", "HH"},  {"ç", "HH"},
    {"ɡ", "G"},   {"g", "G"},   {"x", "K"},   {"b", "B"},   {"d", "D"},   {"f", "F"},
    {"k", "K"},   {"m", "M"},   {"n", "N"},   {"p", "P"},   {"s", "S"},   {"t", "T"},
    {"v", "V"},   {"z", "Z"},   {"c", "K"},   {"q", "K"},
};

// Bytes in one UTF-8 sequence beginning with this byte.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::string_view MatchPhone(std::string_view rest, std::size_t& length) {
    for (const auto& [symbol, phone] : kIpaPhones) {
        if (rest.starts_with(symbol)) {
            length = symbol.size();
            return phone;
        }
    }
    length = SequenceLength(static_cast<unsigned char>(rest.front()));
    return {};
}

// espeak-ng keeps global state: it is set up once per process and never torn down (setting
// it up a second time hangs), and its calls are serialised.
std::mutex& EngineMutex() {
    static std::mutex mutex;
    return mutex;
}

bool EnsureEngine() {
    static const bool ready = [] {
        const int rate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        return rate > 0 && espeak_SetVoiceByName("en-us") == EE_OK;
    }();
    return ready;
}

}  // namespace

std::string IpaToModelPhones(std::string_view ipa) {
    std::string phones;
    while (!ipa.empty()) {
        std::size_t length = 0;
        const std::string_view phone = MatchPhone(ipa, length);
        if (!phone.empty()) {
            if (!phones.empty()) phones += ' ';
            phones += phone;
        }
        ipa.remove_prefix(std::min(length, ipa.size()));
    }
    return phones;
}

std::string Pronounce(std::string_view word) {
    const std::string utf8 = Ansi::ToUtf8(word);
    std::string ipa;
    {
        std::lock_guard lock(EngineMutex());
        if (!EnsureEngine()) return {};
        const void* text = utf8.c_str();
        constexpr int kIpaMode = 0x02;
        while (text != nullptr) {
            const char* piece = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, kIpaMode);
            if (piece == nullptr) break;
            ipa += piece;
            ipa += ' ';
        }
    }
    return IpaToModelPhones(ipa);
}

}  // namespace Pronouncer
