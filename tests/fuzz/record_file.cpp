// A whole record file image, read as "VAppCmd.txt" and as a vocabulary the way the program
// reads them: the application list, the vocabulary's word list, the record counts and the
// rebuilt speech grammar. A damaged record may raise the file error; nothing else may go wrong.
#include <memory>

#include "FuzzSupport.h"
#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "engine/CApp.h"
#include "store/CFile.h"
#include "store/CVocab.h"

namespace {

// Runs a step that may fail with an error of the program.
template <class Step>
void Tolerate(Step step) {
    try {
        step();
    } catch (const ErrorRecord&) {
    }
}

// Every item of the list is a record text: no more items than whole records, none longer than
// a record holds.
void RequireRecordTexts(ListId id, std::size_t fileSize, std::size_t recordLength) {
    const IListControl& list = Lists::Get(id);
    Require(static_cast<std::size_t>(list.ListCount()) <= fileSize / recordLength,
            "more list items than records");
    for (int i = 0; i < list.ListCount(); ++i) {
        Require(list.List(i).size() <= recordLength - 2, "item longer than a record");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const FuzzProgramFolder folder;
    Lists::Install(std::make_unique<InMemoryListProvider>());
    const std::string image = InputText(data, size);
    WriteFileBytes(folder.File("VAppCmd.txt"), image);
    WriteFileBytes(folder.File("vocab/words.txt"), image);

    CApp app;
    Tolerate([&] { app.FillVACListBox(); });
    RequireRecordTexts(ListId::frmApp_lstVAppCmd, size, CFile::kAppRecordLength);
    Tolerate([&] { app.AppRecordCount(); });

    CVocab vocab;
    Tolerate([&] { vocab.FillDictionaryListBox(true, "words"); });
    RequireRecordTexts(ListId::frmVocab_lstDictionary, size, CFile::kVocabRecordLength);
    Tolerate([&] { vocab.DictionaryRecordCount("words"); });

    Lists::Get(ListId::frmVocab_lstVocab).AddItem("words");
    CFile grammar;
    grammar.TempLoad();
    return 0;
}
