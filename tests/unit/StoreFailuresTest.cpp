// The application file in a folder that cannot be written and on a disk that is full.
#include <filesystem>

#include "ResourceLimits.h"
#include "SimEngineTest.h"
#include "Unprivileged.h"
#include "engine/CApp.h"
#include "store/CVocab.h"

namespace {

namespace fs = std::filesystem;

class StoreFailuresTest : public SimEngineTest {
protected:
    const std::string notes = Identity("gedit", "Notes");
    const std::string shell = Identity("xterm", "sh");
};

// The description of the error a step raises, "" when it raises none.
std::string DescriptionOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const ErrorRecord& error) {
        return std::to_string(error.Number()) + " " + error.Description();
    }
    return "";
}

TEST_F(StoreFailuresTest, AReadOnlyFolderListsAndFindsItsApplicationsAndASaveNamesTheFolder) {
    const Hwnd window = desktop->AddWindow({"gedit", "Notes"});
    WriteApps({notes + "*notes~text$gedit", shell + "*"});
    const std::string before = ReadBytes(AppFile());
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    const std::string notWritable =
        "The folder \"" + folder.Path() + "\" is not writable, so nothing was saved.";

    const std::string answer = RunUnprivileged([&]() -> std::string {
        CApp app;
        app.FillVACListBox();
        if (List(ListId::frmApp_lstVAppCmd).ListCount() != 2) return "the list is not complete";
        if (app.AppCheck("notes") != 1 || desktop->foreground != window)
            return "the phrase did not bring its window to the front";
        for (const auto& save : std::vector<std::function<void()>>{
                 [&] { app.AddUserAppName("n", "text", "", 0); },
                 [&] { app.VAppAdd(Identity("xclock", "clock")); }}) {
            const std::string said = DescriptionOf(save);
            if (said != "70 " + notWritable) return "a save said: " + said;
        }
        return "";
    });
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(answer, "");
    EXPECT_EQ(ReadBytes(AppFile()), before);
}

TEST_F(StoreFailuresTest, AVocabularyFolderThatCannotBeWrittenIsNamedByANewVocabularyAndADeletion) {
    folder.MakeVocabFolder();
    const std::string vocabFolder = folder.File("vocab");
    WriteRecords(folder.File("vocab/Kept.txt"), {"a:1", "b:2"}, 128);
    fs::permissions(vocabFolder, fs::perms::owner_read | fs::perms::owner_exec |
                                     fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    const std::string answer = RunUnprivileged([&]() -> std::string {
        const std::string notWritable =
            "70 The folder \"" + vocabFolder + "\" is not writable, so nothing was saved.";
        CVocab vocab;
        std::string said = DescriptionOf([&] { vocab.CreateNewVocab("Fresh"); });
        if (said != notWritable) return "creating said: " + said;
        said = DescriptionOf([&] { vocab.ReplaceDictionary("Kept", {"a:1", "b:2"}, {"b:2"}); });
        if (said != notWritable) return "deleting said: " + said;
        return "";
    });
    fs::permissions(vocabFolder, fs::perms::owner_all);
    EXPECT_EQ(answer, "");
    EXPECT_FALSE(fs::exists(folder.File("vocab/Fresh.txt")));
    EXPECT_EQ(ReadRecords(folder.File("vocab/Kept.txt"), 128),
              (std::vector<std::string>{"a:1", "b:2"}));
}

TEST_F(StoreFailuresTest, OnAFullDiskAWriteSaysSoAndTheFileKeepsWholeRecords) {
    WriteApps({notes + "*notes~text$gedit"});
    CApp app;
    {
        const FileSizeLimit fullDisk(270 + 100);
        EXPECT_EQ(DescriptionOf([&] { app.VAppAdd(shell); }),
                  "61 There is no room left on the disk to write \"" + AppFile() +
                      "\", so nothing was saved.");
    }
    EXPECT_EQ(ReadApps(), std::vector<std::string>{notes + "*notes~text$gedit"});
    EXPECT_EQ(fs::file_size(AppFile()), 270u);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
}

TEST_F(StoreFailuresTest, ADamagedFileIsCopiedAsideOnceBeforeItIsFirstChanged) {
    // A record and half of another: a file cut short.
    const std::string cut = RecordBytes(notes + "*notes~text$gedit", 270) +
                            RecordBytes(shell + "*", 270).substr(0, 100);
    WriteBytes(AppFile(), cut);
    WriteBytes(AppFile() + ".damaged", "an earlier copy");
    CApp app;
    app.VAppAdd(Identity("xclock", "clock"));
    app.VAppAdd(Identity("xeyes", "eyes"));
    EXPECT_EQ(ReadBytes(AppFile() + ".damaged.2"), cut);
    EXPECT_EQ(ReadBytes(AppFile() + ".damaged"), "an earlier copy");
    EXPECT_EQ(ReadApps().size(), 3u);

    // A vocabulary edited by hand as a text file is copied before it is made again.
    folder.MakeVocabFolder();
    const std::string text = "hello: Hi\nbye: Bye\n";
    WriteBytes(folder.File("vocab/Words.txt"), text);
    WriteRecords(folder.File("vocab/Whole.txt"), {"fine:f"}, 128);
    app.CreateNewFile(true, "Words");
    app.CreateNewFile(true, "Whole");
    EXPECT_EQ(ReadBytes(folder.File("vocab/Words.txt.damaged")), text);
    EXPECT_FALSE(fs::exists(folder.File("vocab/Whole.txt.damaged")));

    const auto& boxes = folder.dialogs().boxes;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "The file \"" + AppFile() +
                                 "\" was damaged. A copy of it as it was is kept as \"" +
                                 AppFile() + ".damaged.2\".");
    EXPECT_EQ(boxes[0].title, "Damaged File");
    EXPECT_NE(boxes[1].text.find("Words.txt.damaged"), std::string::npos);
}

}  // namespace
