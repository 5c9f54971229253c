// A vocabulary entry (word, ":", keys in the key notation) of the application in front, said
// as its word: every key event goes to a real key, only a key that is down is released, and
// nothing stays held down afterwards.
#include <memory>

#include "FuzzKeys.h"
#include "FuzzSupport.h"
#include "common/ListControl.h"
#include "engine/CApp.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "store/CFile.h"

namespace {

// A record file of one record holding text (cut to what a record holds).
std::string OneRecordFile(std::string text, std::size_t recordLength) {
    if (text.size() > recordLength - 2) text.resize(recordLength - 2);
    std::string record(recordLength, '\0');
    record[0] = static_cast<char>(text.size() & 0xFF);
    record[1] = static_cast<char>(text.size() >> 8);
    record.replace(2, text.size(), text);
    return record;
}

struct Editor {
    FuzzProgramFolder folder;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();

    Editor() {
        Platform::InstallAll(desktop);
        Lists::Install(std::make_unique<InMemoryListProvider>());
        const std::string identity = "Editor \xA6 Untitled";
        const Hwnd editor = desktop->AddWindow({.className = "Editor", .title = "Untitled"});
        desktop->foreground = editor;
        RunningApps::RunAppCollectionAdd(editor, identity);
        WriteFileBytes(folder.File("VAppCmd.txt"),
                       OneRecordFile(identity + "*Edit it~Keys$editor", CFile::kAppRecordLength));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Editor editor;
    const std::string entry = InputText(data, size);
    WriteFileBytes(editor.folder.File("vocab/Keys.txt"),
                   OneRecordFile(entry, CFile::kVocabRecordLength));
    editor.desktop->keyEvents.clear();

    CApp app;
    app.VocabCheck(entry.substr(0, entry.find(':')));
    while (app.ContinueTyping()) {
    }

    RequireKeysSentAndReleased(*editor.desktop);
    return 0;
}
