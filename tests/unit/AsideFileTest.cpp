#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempProgramFolder.h"
#include "store/AsideFile.h"

namespace {

namespace fs = std::filesystem;

TEST(AsideFileTest, EachWriterGetsAFileOfItsOwnBesideTheTargetThatTakesItsPlaceOrGoes) {
    TempProgramFolder folder;
    const std::string target = folder.File("temp.txt");
    WriteBytes(target, "old");
    std::string leftOver;
    {
        AsideFile first(target);
        AsideFile second(target);
        EXPECT_NE(first.Path(), second.Path());
        for (const AsideFile* aside : {&first, &second}) {
            EXPECT_EQ(fs::path(aside->Path()).parent_path(), fs::path(folder.Path()));
            EXPECT_EQ(aside->Path().rfind(target + ".new-", 0), 0u) << aside->Path();
            EXPECT_EQ(ReadBytes(aside->Path()), "");
        }
        WriteBytes(first.Path(), "new");
        EXPECT_TRUE(first.Commit());
        EXPECT_EQ(ReadBytes(target), "new");
        EXPECT_FALSE(fs::exists(first.Path()));
        leftOver = second.Path();
        EXPECT_TRUE(fs::exists(leftOver));
    }
    EXPECT_FALSE(fs::exists(leftOver));
    EXPECT_EQ(ReadBytes(target), "new");
}

TEST(AsideFileTest, AFailedCommitKeepsTheTargetAndRemovesTheAsideFile) {
    TempProgramFolder folder;
    // A folder cannot be replaced by a file.
    const std::string target = folder.File("temp.txt");
    fs::create_directories(target + "/inside");
    std::string path;
    {
        AsideFile aside(target);
        path = aside.Path();
        EXPECT_FALSE(aside.Commit());
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(fs::is_directory(target + "/inside"));
}

TEST(AsideFileTest, LeftOversOfEndedRewritesAreRemovedAndNothingElse) {
    TempProgramFolder folder;
    const std::string target = folder.File("temp.txt");
    const std::vector<std::string> kept = {
        "temp.txt",        "temp.txt.new",         "temp.txt.new-Ab1",   "temp.txt.new-Ab12Cd3",
        "temp.txt.backup", "other.txt.new-Ab12Cd", "temp.txt.new-Ab 2Cd"};
    for (const std::string& name : kept) WriteBytes(folder.File(name), name);
    WriteBytes(folder.File("temp.txt.new-Ab12Cd"), "left over");
    fs::create_directory(folder.File("temp.txt.new-Folder"));
    AsideFile::RemoveLeftOvers(target);
    EXPECT_FALSE(fs::exists(folder.File("temp.txt.new-Ab12Cd")));
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder.File(name))) << name;
    EXPECT_TRUE(fs::is_directory(folder.File("temp.txt.new-Folder")));
}

TEST(AsideFileTest, LeftOversOfEveryVocabularyAreRemovedThoseOfTheirFilesOnly) {
    TempProgramFolder folder;
    folder.MakeVocabFolder();
    const std::vector<std::string> kept = {"Notes.txt", "Notes.txt.new-Ab1", "Notes.dat.new-Ab12Cd",
                                           "Notes.txt.new-Ab 2Cd", "Notes.txt.old-Ab12Cd"};
    for (const std::string& name : kept) WriteBytes(folder.File("vocab/" + name), name);
    const std::vector<std::string> leftOvers = {"Notes.txt.new-Ab12Cd", "Gone.TXT.new-x9Y8z7",
                                                ".txt.new-000000"};
    for (const std::string& name : leftOvers) WriteBytes(folder.File("vocab/" + name), "left over");
    fs::create_directory(folder.File("vocab/Words.txt.new-Folder"));
    WriteBytes(folder.File("temp.txt.new-Ab12Cd"), "not a vocabulary's");
    AsideFile::RemoveLeftOversIn(folder.File("vocab"), ".txt");
    for (const std::string& name : leftOvers)
        EXPECT_FALSE(fs::exists(folder.File("vocab/" + name))) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(folder.File("vocab/" + name))) << name;
    EXPECT_TRUE(fs::is_directory(folder.File("vocab/Words.txt.new-Folder")));
    EXPECT_TRUE(fs::exists(folder.File("temp.txt.new-Ab12Cd")));
}

TEST(AsideFileTest, NoneInAFolderThatIsMissing) {
    TempProgramFolder folder;
    EXPECT_EQ(ErrorOf([&] { AsideFile aside(folder.File("missing/temp.txt")); }), 75);
}

}  // namespace
