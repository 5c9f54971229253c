// The speech grammar builder of CFile: TempLoad and StoreStartRules.

#include <array>
#include <optional>
#include <unordered_set>

#include "common/AnsiText.h"
#include "common/ListControl.h"
#include "common/ResumeNext.h"
#include "store/AppRecord.h"
#include "store/AsideFile.h"
#include "store/CFile.h"
#include "store/FileSlots.h"
#include "store/RecordPaths.h"
#include "store/RecordScan.h"
#include "store/VocabularyFolder.h"

namespace {

constexpr const char* kStartRule = "<start>=";

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

}  // namespace

void CFile::TempLoad() {
    IListControl& lstTemp = Lists::Get(ListId::frmTemp_lstTemp);
    const std::string grammarPath = RecordPaths::GrammarFile();
    const std::array<std::string, 5> grammarHeader = {"[Grammar]", "langid = 1033", "type=cfg",
                                                      "[<start>]", "<start>=switch to"};

    ResumeNext([&] { lstTemp.Clear(); });
    // The rebuilt file is written aside and then put in the grammar file's place, so that it
    // never carries lines of the old file, even when the old one could not be deleted.
    std::optional<AsideFile> aside;
    const bool opened = ResumeNext([&] {
        aside.emplace(grammarPath);
        GrammarSlot::Instance().OpenNew(aside->Path());
    });
    InitRecord();
    {
        const OpenRecordFile open(*this);
        for (const std::string& line : grammarHeader) ResumeNext([&] { TempFileStore(line); });
        ScanRecords(*this, ScanFailures::PassOver, [&](const std::string& text) {
            const std::string phrase = AppRecord::Parse(text).userName;
            if (!phrase.empty()) ResumeNext([&] { lstTemp.AddItem(phrase); });
            return ScanStep::Next;
        });
    }
    ResumeNext([&] { StoreStartRules(); });
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
    ResumeNext([&] { StoreStartRules(); });

    TempFileClose();
    if (opened) aside->Commit();
}

void CFile::StoreStartRules() {
    const IListControl& lstTemp = Lists::Get(ListId::frmTemp_lstTemp);
    for (int i = 0; i < lstTemp.ListCount(); ++i) TempFileStore(kStartRule + lstTemp.List(i));
}
