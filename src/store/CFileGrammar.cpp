// The speech grammar builder of CFile: TempLoad.

#include <filesystem>
#include <unordered_set>

#include "common/AnsiText.h"
#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/ResumeNext.h"
#include "store/AppRecord.h"
#include "store/AsideFile.h"
#include "store/CFile.h"
#include "store/GrammarText.h"
#include "store/RecordPaths.h"
#include "store/RecordScan.h"
#include "store/VocabularyFolder.h"
#include "store/WriteFailure.h"

namespace {

// The word of a vocabulary entry: the text before the first ":", the whole text without one.
std::string EntryWord(const std::string& entry) {
    return entry.substr(0, entry.find(':'));
}

// The vocabularies whose words the grammar takes: those of the vocabulary window's list, or,
// while that list is empty (the window was never loaded, or its list was cleared at exit),
// those of the vocabulary folder, so that vocabulary words stay recognised after a restart.
std::vector<std::string> GrammarVocabularies() {
    std::vector<std::string> names;
    ResumeNext([&] {
        const IListControl& lstVocab = Lists::Get(ListId::frmVocab_lstVocab);
        for (int i = 0; i < lstVocab.ListCount(); ++i) names.push_back(lstVocab.List(i));
    });
    if (names.empty()) ResumeNext([&] { names = VocabularyFolder::Names(); });
    return names;
}

// The grammar lines of every item of the list, first to last.
std::string ListLines(const IListControl& list) {
    std::string lines;
    for (int i = 0; i < list.ListCount(); ++i) lines += GrammarText::Line(list.List(i));
    return lines;
}

// Set while rebuilds fail, so that a run of failing rebuilds is reported once.
bool gGrammarFailureReported = false;

// Puts the new text in the grammar file's place in one step, once all of it is on the disk;
// otherwise the old file, when there is one, stays as it was, and the user is told why.
void ReplaceGrammarFile(const std::string& path, const std::string& text) {
    std::error_code ec;
    const bool hadOne = std::filesystem::exists(path, ec);
    std::string failure;
    try {
        AsideFile aside(path);
        if (!aside.Write(text) || !aside.Commit()) WriteFailure::Raise(path, errno);
    } catch (const ErrorRecord& error) {
        failure = error.Description();
    }
    if (failure.empty()) {
        gGrammarFailureReported = false;
        return;
    }
    if (gGrammarFailureReported) return;
    gGrammarFailureReported = true;
    Dialogs::MsgBox(failure + (hadOne ? " The speech grammar file keeps what it held before."
                                      : " No speech grammar could be written."),
                    MsgButtons::OK, MsgIcon::Exclamation, "Speech Grammar");
}

}  // namespace

void CFile::TempLoad() {
    IListControl& lstTemp = Lists::Get(ListId::frmTemp_lstTemp);
    std::string grammar = GrammarText::Header();
    ResumeNext([&] { lstTemp.Clear(); });
    InitRecord();
    {
        const OpenRecordFile open(*this);
        ScanRecords(*this, ScanFailures::PassOver, [&](const std::string& text) {
            const std::string phrase = AppRecord::Parse(text).userName;
            if (!phrase.empty()) ResumeNext([&] { lstTemp.AddItem(phrase); });
            return ScanStep::Next;
        });
    }
    ResumeNext([&] { grammar += ListLines(lstTemp); });
    ResumeNext([&] { lstTemp.Clear(); });
    InitRecord();

    // A word goes into the scratch list unless an equal one (ignoring case) is there. The
    // folded words kept beside the list answer that as the list's own search would, without
    // searching the whole list for every word (30,000 words took seconds that way).
    std::unordered_set<std::string> foldedWords;
    for (const std::string& name : GrammarVocabularies()) {
        {
            const OpenRecordFile open(*this, true, name);
            ScanRecords(*this, ScanFailures::PassOver, [&](const std::string& entry) {
                const std::string word = EntryWord(entry);
                if (!word.empty() && foldedWords.insert(Ansi::ToLower(word)).second)
                    ResumeNext([&] { lstTemp.AddItem(word); });
                return ScanStep::Next;
            });
        }
        InitRecord();
    }
    ResumeNext([&] { grammar += ListLines(lstTemp); });
    ReplaceGrammarFile(RecordPaths::GrammarFile(), grammar);
}
