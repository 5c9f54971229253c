#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The alternatives of a grammar file as the recogniser hears them: each alternative's words
// in the decoder's own names, and the way back from a heard word sequence to the alternative's
// text exactly as written. Texts are Windows-1252.
class CommandGrammar {
public:
    // A token (lower case, from TokenisePhrase) -> the decoder's name for that word, or empty
    // when the word cannot be pronounced.
    using WordResolver = std::function<std::string(const std::string& token)>;

    struct Command {
        std::string text;                // as written in the grammar file
        std::vector<std::string> words;  // decoder word names
    };

    CommandGrammar() = default;
    CommandGrammar(const std::vector<std::string>& alternatives, const WordResolver& resolve);

    // The recognisable alternatives, in file order, each spoken differently from the others.
    const std::vector<Command>& Commands() const { return commands_; }
    // What could not be taken as written: alternatives with nothing to pronounce, and
    // alternatives that sound exactly like an earlier one (the earlier one is recognised).
    const std::vector<std::string>& Notes() const { return notes_; }

    // The alternative spoken as this word sequence, if any.
    std::optional<std::size_t> Find(const std::vector<std::string>& words) const;
    // True when some longer alternative begins with all of this command's words, so that a
    // pause after it may still be followed by more of a command.
    bool IsPrefixOfAnother(std::size_t command) const;

private:
    std::vector<Command> commands_;
    std::vector<bool> prefixOfAnother_;
    std::map<std::vector<std::string>, std::size_t> byWords_;
    std::vector<std::string> notes_;
};
