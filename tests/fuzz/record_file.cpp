// A whole record file image, read as "VAppCmd.txt" and as a vocabulary the way the program
// reads them: the application list, the vocabulary's word list, the record counts and the
// rebuilt speech grammar. A damaged record may raise the file error; nothing else may go wrong.
// Deleting one listed application then keeps every other record as it was, or changes nothing.
#include <memory>
#include <vector>

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

// The texts of the first count records of a record file image.
std::vector<std::string> RecordTexts(const std::string& image, std::size_t count,
                                     std::size_t recordLength) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i * recordLength;
        const auto length = static_cast<std::size_t>(static_cast<unsigned char>(image[at])) |
                            static_cast<std::size_t>(static_cast<unsigned char>(image[at + 1]))
                                << 8;
        texts.push_back(image.substr(at + 2, length));
    }
    return texts;
}

void RequireDeleteKeepsTheOthers(const FuzzProgramFolder& folder, const std::string& image) {
    IListControl& apps = Lists::Get(ListId::frmApp_lstVAppCmd);
    const int count = apps.ListCount();
    if (count == 0) return;
    std::vector<std::string> expected =
        RecordTexts(image, static_cast<std::size_t>(count), CFile::kAppRecordLength);
    const int selected = static_cast<int>(image.size() % static_cast<std::size_t>(count));
    expected.erase(expected.begin() + selected);

    apps.SetListIndex(selected);
    CApp app;
    app.DelRunApp();
    const std::string after = ReadFileBytes(folder.File("VAppCmd.txt"));
    if (after == image) return;  // the delete failed and said so
    // The listed records but the deleted one, then every byte the list did not hold.
    const std::size_t rewritten = expected.size() * CFile::kAppRecordLength;
    const std::string notListed =
        image.substr(static_cast<std::size_t>(count) * CFile::kAppRecordLength);
    Require(after.size() == rewritten + notListed.size() &&
                RecordTexts(after, expected.size(), CFile::kAppRecordLength) == expected &&
                after.compare(rewritten, std::string::npos, notListed) == 0,
            "a delete lost or changed another record");
    Require(apps.ListCount() == count - 1, "the list does not mirror the file after a delete");
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

    RequireDeleteKeepsTheOthers(folder, image);
    return 0;
}
