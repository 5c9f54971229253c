#include "store/GrammarText.h"

namespace GrammarText {
namespace {

constexpr std::string_view kAlternativePrefix = "<start>=";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string Header() {
    std::string text;
    for (const std::string_view line : {"[Grammar]", "langid = 1033", "type=cfg", "[<start>]"}) {
        text += line;
        text += kLineEnd;
    }
    return text + Line("switch to");
}

std::string Line(std::string_view alternative) {
    std::string line(kAlternativePrefix);
    line += alternative;
    line += kLineEnd;
    return line;
}

std::vector<std::string> Alternatives(std::string_view text) {
    std::vector<std::string> alternatives;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with(kAlternativePrefix) && line.size() > kAlternativePrefix.size())
            alternatives.emplace_back(line.substr(kAlternativePrefix.size()));
    }
    return alternatives;
}

}  // namespace GrammarText
