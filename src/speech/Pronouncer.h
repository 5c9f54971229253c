#pragma once

#include <string>
#include <string_view>

// Pronunciations for words the recogniser's dictionary lacks (program names, letters with
// digits, numbers), from espeak-ng's letter-to-sound rules for US English.
namespace Pronouncer {

// The word's pronunciation as the acoustic model's phones separated by blanks ("G EH D IH T"),
// or empty when there is nothing to pronounce. The word is Windows-1252. Safe to call from
// any thread.
std::string Pronounce(std::string_view word);

// International Phonetic Alphabet (UTF-8, as espeak-ng writes it) -> the model's phones.
// Stress and length marks and anything the model has no phone for are left out.
std::string IpaToModelPhones(std::string_view ipa);

}  // namespace Pronouncer
