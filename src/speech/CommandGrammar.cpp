#include "speech/CommandGrammar.h"

#include <algorithm>

#include "speech/PhraseTokens.h"

CommandGrammar::CommandGrammar(const std::vector<std::string>& alternatives,
                               const WordResolver& resolve) {
    for (const std::string& text : alternatives) {
        Command command{text, {}};
        bool pronounceable = true;
        for (const std::string& token : TokenisePhrase(text)) {
            std::string word = resolve(token);
            if (word.empty()) {
                pronounceable = false;
                break;
            }
            command.words.push_back(std::move(word));
        }
        if (!pronounceable || command.words.empty()) {
            notes_.push_back("\"" + text +
                             "\" has nothing that can be spoken; it is not recognised");
            continue;
        }
        const auto [where, added] = byWords_.emplace(command.words, commands_.size());
        if (!added) {
            notes_.push_back("\"" + text + "\" sounds the same as \"" +
                             commands_[where->second].text + "\"; only the first is recognised");
            continue;
        }
        commands_.push_back(std::move(command));
    }

    // In word order, the commands that begin with a command's words follow it directly.
    prefixOfAnother_.assign(commands_.size(), false);
    for (auto it = byWords_.begin(); it != byWords_.end(); ++it) {
        const auto& shorter = it->first;
        const auto next = std::next(it);
        prefixOfAnother_[it->second] =
            next != byWords_.end() && next->first.size() > shorter.size() &&
            std::equal(shorter.begin(), shorter.end(), next->first.begin());
    }
}

std::optional<std::size_t> CommandGrammar::Find(const std::vector<std::string>& words) const {
    const auto found = byWords_.find(words);
    if (found == byWords_.end()) return std::nullopt;
    return found->second;
}

bool CommandGrammar::IsPrefixOfAnother(std::size_t command) const {
    return command < prefixOfAnother_.size() && prefixOfAnother_[command];
}
