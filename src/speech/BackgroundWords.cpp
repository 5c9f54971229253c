#include "speech/BackgroundWords.h"

#include <algorithm>
#include <string_view>

#include "BackgroundWordList.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (end > 0) lines.emplace_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

}  // namespace

std::vector<std::string> BackgroundWords(std::size_t count) {
    static const std::vector<std::string> byFrequency = Lines(kBackgroundWordList);
    return {byFrequency.begin(),
            byFrequency.begin() + static_cast<std::ptrdiff_t>(std::min(count, byFrequency.size()))};
}
