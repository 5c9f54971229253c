#include "config/StorableText.h"

#include <QChar>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/AnsiText.h"
#include "common/PlatformErrors.h"
#include "forms/AnsiQt.h"

namespace {

// How many characters of one kind a description names by their codes.
constexpr std::size_t kCodesNamed = 5;

bool IsLineBreak(char32_t c) {
    return c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == 0x85 || c == 0x2028 ||
           c == 0x2029;
}

// A kind of character that a record cannot hold, with the distinct ones of that kind met.
struct Refused {
    const char* one;
    const char* several;
    bool namesCodes;
    // The distinct characters met, for a kind named by codes; else one per occurrence.
    std::vector<char32_t> met;

    void Meet(char32_t c) {
        if (!namesCodes || std::find(met.begin(), met.end(), c) == met.end()) met.push_back(c);
    }

    std::string Describe() const {
        std::string text = met.size() == 1 ? one : several;
        if (!namesCodes) return text;
        text += " (";
        for (std::size_t i = 0; i < met.size() && i < kCodesNamed; ++i) {
            char code[16];
            std::snprintf(code, sizeof code, "%sU+%04X", i == 0 ? "" : ", ",
                          static_cast<unsigned>(met[i]));
            text += code;
        }
        if (met.size() > kCodesNamed) text += ", ...";
        return text + ")";
    }
};

}  // namespace

std::string StorableText(const QString& text, const std::string& what) {
    // The message names characters by their codes: it is itself Windows-1252 text.
    Refused outside{"a character outside the Western European (Windows-1252) set",
                    "characters outside the Western European (Windows-1252) set",
                    true,
                    {}};
    Refused breaks{"a line break", "line breaks", false, {}};
    Refused tabs{"a tab", "tabs", false, {}};
    Refused controls{"a control character", "control characters", true, {}};
    char32_t previous = 0;
    for (const char32_t c : text.toUcs4()) {
        Refused* kind = nullptr;
        if (IsLineBreak(c)) {
            // A carriage return and a line feed make one line break.
            if (!(previous == U'\r' && c == U'\n')) kind = &breaks;
        } else if (c == U'\t') {
            kind = &tabs;
        } else if (QChar::category(c) == QChar::Other_Control) {
            kind = &controls;
        } else if (c != U'?' && Ansi::FromCodePoint(c) == '?') {
            kind = &outside;
        }
        if (kind != nullptr) kind->Meet(c);
        previous = c;
    }
    std::vector<std::string> named;
    for (const Refused* kind : {&outside, &breaks, &tabs, &controls}) {
        if (!kind->met.empty()) named.push_back(kind->Describe());
    }
    if (named.empty()) return FromQString(text);
    std::string list = named.front();
    for (std::size_t i = 1; i < named.size(); ++i) {
        list += (i + 1 == named.size() ? " and " : ", ") + named[i];
    }
    PlatformError::Raise(PlatformError::kInvalidProcedureCall,
                         "Nothing was saved: the " + what + " holds " + list +
                             ". Only one line of Western European (Windows-1252) characters can "
                             "be stored.");
}
