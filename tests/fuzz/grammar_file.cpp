// A speech grammar file read by the recogniser and turned into its commands: every command is
// an alternative of the file, and each is found again from the words it is spoken as. The
// alternatives read, written again as the grammar builder writes them, read back the same.
#include <algorithm>

#include "FuzzSupport.h"
#include "speech/CommandGrammar.h"
#include "speech/GrammarFile.h"
#include "store/GrammarText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const FuzzProgramFolder folder;
    const std::string path = folder.File("temp.txt");
    WriteFileBytes(path, InputText(data, size));

    const std::vector<std::string> alternatives = ReadGrammarFile(path);
    std::string rewritten = GrammarText::Header();
    for (const std::string& alternative : alternatives) rewritten += GrammarText::Line(alternative);
    std::vector<std::string> expected{"switch to"};
    expected.insert(expected.end(), alternatives.begin(), alternatives.end());
    Require(GrammarText::Alternatives(rewritten) == expected,
            "alternatives written again read back differently");

    // Words with a digit stand for words the recogniser cannot pronounce.
    const CommandGrammar grammar(alternatives, [](const std::string& token) {
        return token.find_first_of("0123456789") == std::string::npos ? token : std::string();
    });
    const auto& commands = grammar.Commands();
    Require(commands.size() + grammar.Notes().size() == alternatives.size(),
            "an alternative is neither a command nor noted");
    for (std::size_t i = 0; i < commands.size(); ++i) {
        Require(std::find(alternatives.begin(), alternatives.end(), commands[i].text) !=
                    alternatives.end(),
                "a command that is no alternative");
        Require(grammar.Find(commands[i].words) == i, "a command is not found by its words");
        grammar.IsPrefixOfAnother(i);
    }
    return 0;
}
