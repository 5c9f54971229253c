// A voice command application record taken apart by both of its readers: every piece is a
// part of the record where its separators say it is.
#include "FuzzSupport.h"
#include "engine/VacRecord.h"

namespace {

bool Contains(const std::string& record, const std::string& piece) {
    return record.find(piece) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string record = InputText(data, size);

    const VacRecord::Fields fields = VacRecord::Split(record);
    if (!fields.identity.empty()) {
        Require(record.starts_with(fields.identity + "*"), "identity is not before the first *");
    }
    Require(record.ends_with(fields.pathName), "path is not the end of the record");
    Require(Contains(record, fields.userName) && Contains(record, fields.vocabularyName),
            "a field is not part of the record");

    const VacRecord::PhraseFields phrase = VacRecord::SplitForPhrase(record);
    Require(record.ends_with(phrase.pathName), "phrase path is not the end of the record");
    Require(record.starts_with(phrase.className), "class is not the start of the record");
    for (const std::string* piece : {&phrase.phrase, &phrase.vocabularyName, &phrase.windowText}) {
        Require(Contains(record, *piece), "a phrase field is not part of the record");
    }
    return 0;
}
