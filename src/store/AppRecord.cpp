#include "store/AppRecord.h"

namespace {

constexpr char kIdentityEnd = '*';
constexpr char kPhraseEnd = '~';
constexpr char kVocabularyEnd = '$';
constexpr auto npos = std::string_view::npos;

// The identity part written for an identity: as it is, or marked and with its "*" doubled.
std::string IdentityPart(const std::string& identity) {
    if (identity.find(kIdentityEnd) == std::string::npos) return identity + kIdentityEnd;
    std::string part(1, kIdentityEnd);
    for (const char c : identity) {
        part += c;
        if (c == kIdentityEnd) part += kIdentityEnd;
    }
    return part + kIdentityEnd;
}

// Reads the marked form of an identity (text begins with "*"); the position after its closing
// "*", or npos when no single "*" closes it.
std::size_t ReadMarkedIdentity(std::string_view text, std::string& identity) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != kIdentityEnd) {
            identity += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == kIdentityEnd) {
            identity += kIdentityEnd;
            ++i;
        } else {
            return i + 1;
        }
    }
    identity.clear();
    return npos;
}

}  // namespace

AppRecord AppRecord::Parse(std::string_view text) {
    AppRecord record;
    std::size_t restStart = npos;
    if (!text.empty() && text.front() == kIdentityEnd)
        restStart = ReadMarkedIdentity(text, record.identity);
    if (restStart == npos) {
        const std::size_t star = text.find(kIdentityEnd);
        if (star == npos) return record;
        record.identity = std::string(text.substr(0, star));
        restStart = star + 1;
    }
    const std::string_view rest = text.substr(restStart);
    const std::size_t tilde = rest.find(kPhraseEnd);
    const std::size_t dollar = rest.find(kVocabularyEnd);
    if (dollar != npos) record.pathName = std::string(rest.substr(dollar + 1));
    if (tilde == npos) return record;
    record.userName = std::string(rest.substr(0, tilde));
    const std::size_t vocabularyEnd = rest.find(kVocabularyEnd, tilde + 1);
    if (vocabularyEnd == npos) return record;
    record.vocabularyName = std::string(rest.substr(tilde + 1, vocabularyEnd - tilde - 1));
    record.completed = true;
    return record;
}

std::string AppRecord::Fresh(const std::string& identity) {
    return IdentityPart(identity);
}

std::string AppRecord::Text() const {
    return IdentityPart(identity) + userName + kPhraseEnd + vocabularyName + kVocabularyEnd +
           pathName;
}

bool AppRecord::HoldsSeparator(std::string_view name) {
    return name.find_first_of(kSeparators) != npos;
}
