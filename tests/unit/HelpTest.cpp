#include <chm_lib.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "TempProgramFolder.h"
#include "desktop/CHelp.h"
#include "desktop/HtmlHelp.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace {

class HelpTest : public ::testing::Test {
protected:
    HelpTest() { Platform::InstallAll(desktop); }
    ~HelpTest() override { Platform::Install(nullptr, nullptr, nullptr); }

    std::string Started() const {
        return desktop->startRequests.empty() ? "" : desktop->startRequests.back().file;
    }

    TempProgramFolder folder;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();
    CHelp help;
};

}  // namespace

TEST_F(HelpTest, TheHelpFileIsInTheProgramFolder) {
    EXPECT_EQ(HelpFilePath(), folder.Path() + "/vornhelp.chm");
}

TEST_F(HelpTest, ShowStartsTheViewerWithTheFileOrItsContextTopic) {
    std::string file = "/opt/vorn/vornhelp.chm";
    help.Show(file);
    EXPECT_EQ(Started(), "xchm \"/opt/vorn/vornhelp.chm\"");
    help.Show(file, "", 2001);
    EXPECT_EQ(Started(), "xchm --contextid=2001 \"/opt/vorn/vornhelp.chm\"");
    ASSERT_EQ(desktop->startRequests.size(), 2u);
    EXPECT_EQ(desktop->startRequests[0].kind, SimDesktop::StartRequest::Kind::CreateProcess);
}

TEST_F(HelpTest, APaneIsJoinedToTheTrimmedFileAndTheViewerGetsTheFile) {
    std::string file = "  /opt/my help/vornhelp.chm ";
    help.Show(file, " main ");
    EXPECT_EQ(Started(), "xchm \"/opt/my help/vornhelp.chm\"");
    help.Show(file);  // without a pane the name is taken as it stands
    EXPECT_EQ(Started(), "xchm \"  /opt/my help/vornhelp.chm \"");
}

TEST_F(HelpTest, QuotesAndBackslashesInTheFileNameSurviveTheCommandLine) {
    EXPECT_TRUE(HtmlHelp("/tmp/a \"b\"\\/c\\", HH_DISPLAY_TOPIC, 0));
    EXPECT_EQ(Started(), "xchm \"/tmp/a \\\"b\\\"\\/c\\\\\"");
    EXPECT_TRUE(HtmlHelp("/tmp/x>y/vornhelp.chm", HH_DISPLAY_TOPIC, 0));  // ">" in a folder name
    EXPECT_EQ(Started(), "xchm \"/tmp/x>y/vornhelp.chm\"");
}

TEST_F(HelpTest, AViewerThatCannotStartReportsNothingToTheUser) {
    desktop->refuseStart = true;
    std::string file = HelpFilePath();
    help.Show(file);
    EXPECT_FALSE(HtmlHelp(file, HH_DISPLAY_TOPIC, 0));
    EXPECT_FALSE(HtmlHelp(file, 0x12, 0));  // a command the viewer does not know
    EXPECT_TRUE(folder.dialogs().boxes.empty());
}

namespace {

int CollectName(chmFile*, chmUnitInfo* unit, void* context) {
    static_cast<std::set<std::string>*>(context)->insert(unit->path);
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

TEST(HelpFile, TheBuiltFileIsACompiledHelpFileWithEveryTopic) {
    const std::string path = VORN_HELP_FILE;
    ASSERT_EQ(ReadBytes(path).substr(0, 4), "ITSF");
    chmFile* file = chm_open(path.c_str());
    ASSERT_NE(file, nullptr);
    std::set<std::string> names;
    chm_enumerate(file, CHM_ENUMERATE_NORMAL, CollectName, &names);
    const auto topicText = [&](const char* name) {
        chmUnitInfo topic{};
        if (chm_resolve_object(file, name, &topic) != CHM_RESOLVE_SUCCESS) return std::string();
        std::string text(topic.length, '\0');
        chm_retrieve_object(file, &topic, reinterpret_cast<unsigned char*>(text.data()), 0,
                            static_cast<LONGINT64>(topic.length));
        return text;
    };
    const std::string intro = topicText("/intro.html");
    const std::string files = topicText("/files.html");
    chm_close(file);
    for (const char* name :
         {"/intro.html", "/mainwindow.html", "/appwindow.html", "/vocabwindow.html", "/keys.html",
          "/files.html", "/troubleshooting.html", "/toc.hhc", "/index.hhk"}) {
        EXPECT_TRUE(names.contains(name)) << name;
    }
    EXPECT_NE(intro.find("What Vorn! Voice Control does"), std::string::npos);
    // Both settings files, each with what it holds.
    EXPECT_NE(files.find("~/.config/Ostrelworks/Vorn! Voice Control.conf</code></td><td>the "
                         "positions"),
              std::string::npos);
    EXPECT_NE(files.find("~/.config/RedoDoridade.conf</code></td><td>the meter scale"),
              std::string::npos);
}
