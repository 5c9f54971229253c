#include "engine/VacRecord.h"

#include "common/AnsiText.h"

namespace VacRecord {
namespace {

constexpr auto npos = std::string::npos;

// The text between positions from (exclusive) and to (exclusive); empty when either is
// missing or they are out of order.
std::string Between(const std::string& text, std::size_t from, std::size_t to) {
    if (from == npos || to == npos || to <= from) return {};
    return text.substr(from + 1, to - from - 1);
}

}  // namespace

Fields Split(const std::string& record) {
    const std::size_t star = record.find('*');
    const std::size_t tilde = record.find('~');
    const std::size_t dollar = record.find('$');
    Fields fields;
    if (star != npos) fields.identity = record.substr(0, star);
    fields.userName = Between(record, star, tilde);
    fields.vocabularyName = Between(record, tilde, dollar);
    if (dollar != npos) fields.pathName = record.substr(dollar + 1);
    return fields;
}

PhraseFields SplitForPhrase(const std::string& record) {
    PhraseFields fields;
    const std::size_t star = record.find('*');
    if (star != npos) {
        const std::size_t tilde = record.find('~', star + 1);
        fields.phrase = Between(record, star, tilde);
        if (tilde != npos)
            fields.vocabularyName = Between(record, tilde, record.find('$', tilde + 1));
    }
    const std::size_t dollar = record.find('$');
    fields.pathName = dollar == npos ? record : record.substr(dollar + 1);

    // The class ends one blank before the bar; the title starts one blank after it.
    const std::size_t bar = record.find(Ansi::kBrokenBar);
    if (bar != npos && bar >= 1) {
        fields.className = record.substr(0, bar - 1);
        const std::size_t titleStart = bar + 2;
        if (titleStart <= record.size()) {
            const std::size_t titleEnd = record.find('*', titleStart);
            fields.windowText =
                record.substr(titleStart, titleEnd == npos ? npos : titleEnd - titleStart);
        }
    }
    return fields;
}

}  // namespace VacRecord
