#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "FreshLists.h"
#include "TempProgramFolder.h"
#include "common/ErrorRecord.h"
#include "engine/CApp.h"
#include "engine/CKeyboard.h"
#include "engine/KeyNotation.h"
#include "engine/KeyStepSender.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace {

using Items = std::vector<std::string>;

// Key events written compactly: "k" for keybd_event, "s" for SendInput, the virtual-key code,
// "d" (down) or "u" (up); e.g. "k18d s115d s115u k18u" for Alt+F4.
std::string Compact(const std::vector<SimDesktop::KeyEvent>& events) {
    std::ostringstream out;
    for (const SimDesktop::KeyEvent& event : events) {
        if (out.tellp() > 0) out << ' ';
        out << (event.via == SimDesktop::KeyEvent::Via::KeybdEvent ? 'k' : 's') << event.vk
            << (event.Up() ? 'u' : 'd');
    }
    return out.str();
}

// Sends every step to the window in front (no window on a fresh simulated desktop).
void SendAll(std::vector<KeyStep> steps) {
    KeyStepSender(std::move(steps), 0).SendPortion(std::numeric_limits<int>::max());
}

std::string Identity(const std::string& className, const std::string& title) {
    return className + " \xA6 " + title;
}

// A keyboard that fails on its n-th event and passes the others to the simulated desktop.
class FailingKeyboard : public IKeyboard {
public:
    FailingKeyboard(SimDesktop& desktop, int failAt, bool programmingError = false)
        : desktop_(desktop), failAt_(failAt), programmingError_(programmingError) {}
    void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) override {
        Count();
        desktop_.keybd_event(vk, scan, flags);
    }
    uint32_t SendInput(const std::vector<KeyInput>& inputs) override {
        Count();
        return desktop_.SendInput(inputs);
    }
    int16_t VkKeyScanA(char ch) override { return desktop_.VkKeyScanA(ch); }
    uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override {
        return desktop_.MapVirtualKeyA(code, mapType);
    }
    int16_t GetKeyState(int vk) override { return desktop_.GetKeyState(vk); }

private:
    void Count() {
        if (++events_ != failAt_) return;
        if (programmingError_) throw std::logic_error("the keyboard was misused");
        throw std::runtime_error("the keyboard failed");
    }
    SimDesktop& desktop_;
    int failAt_;
    bool programmingError_;
    int events_ = 0;
};

class VocabCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunningApps::ReleaseRunningApps();
        Platform::InstallAll(desktop);
        folder.MakeVocabFolder();
        editor = desktop->AddWindow({.className = "Editor", .title = "Untitled"});
        desktop->foreground = editor;
        RunningApps::RunAppCollectionAdd(editor, Identity("Editor", "Untitled"));
        WriteApps({Identity("Editor", "Untitled") + "*Edit it~Keys$editor"});
    }
    void TearDown() override { RunningApps::ReleaseRunningApps(); }

    void WriteApps(const Items& records) { WriteRecords(folder.File("VAppCmd.txt"), records, 270); }
    void WriteVocab(const std::string& name, const Items& entries) {
        WriteRecords(folder.File("vocab/" + name + ".txt"), entries, 128);
    }

    TempProgramFolder folder;
    FreshLists lists;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();
    Hwnd editor = 0;
    CApp app;
};

}  // namespace

TEST(KeyStepSender, SendsEachStepThroughTheKeyboard) {
    auto desktop = std::make_shared<SimDesktop>();
    Platform::InstallAll(desktop);
    SendAll({KeyStep::Press(18), KeyStep::Repeat(115), KeyStep::Release(18), KeyStep::Repeat(40, 2),
             KeyStep::Repeat(9, 0)});
    EXPECT_EQ(Compact(desktop->keyEvents), "k18d s115d s115u k18u s40d s40u s40d s40u");

    // Characters as the layout types them, by one call or by a press and a release call.
    desktop->keyEvents.clear();
    SendAll({KeyStep::Character('H'), KeyStep::Character('i'), KeyStep::Character('!', true)});
    EXPECT_EQ(Compact(desktop->keyEvents), "k16d k72d k72u k16u k73d k73u k16d k49d k49u k16u");
    EXPECT_EQ(desktop->keyEvents[1].scan, desktop->MapVirtualKeyA('H', 0));
    EXPECT_EQ(desktop->keyEvents[1].flags, 0u);

    // The key of a character goes without its shift state; a character no key types sends
    // nothing.
    desktop->keyEvents.clear();
    SendAll(
        {KeyStep::CharacterKey('-'), KeyStep::CharacterKey('!'), KeyStep::CharacterKey('\x80')});
    EXPECT_EQ(Compact(desktop->keyEvents), "s189d s189u s49d s49u");
    EXPECT_TRUE(desktop->KeysDown().empty());
}

TEST(KeyStepSender, AFailingKeyboardLeavesNothingHeldDown) {
    auto desktop = std::make_shared<SimDesktop>();
    const std::vector<KeyStep> steps = ParseKeyNotation("%^{F4}a!");
    // Alt, Ctrl, F4, Ctrl, Alt, a down and up, then Shift, 1, 1, Shift.
    for (int failAt = 1; failAt <= 11; ++failAt) {
        Platform::Install(desktop, std::make_shared<FailingKeyboard>(*desktop, failAt), desktop);
        EXPECT_THROW(SendAll(steps), std::runtime_error) << "failing at event " << failAt;
        EXPECT_TRUE(desktop->KeysDown().empty()) << "failing at event " << failAt;
    }
}

TEST_F(VocabCheckTest, AFailureEndsTheCheckAndClosesTheFile) {
    WriteVocab("Keys", {"bang:a!"});
    // The release of 1 fails: what was typed stays typed, nothing stays held.
    Platform::Install(desktop, std::make_shared<FailingKeyboard>(*desktop, 5), desktop);
    EXPECT_EQ(app.VocabCheck("bang"), 0);
    EXPECT_EQ(Compact(desktop->keyEvents), "k65d k65u k16d k49d k49u k16u");
    EXPECT_TRUE(desktop->KeysDown().empty());
    EXPECT_THROW(DataFileAtEnd(), ErrorRecord);

    // A programming error is no failure of the typing: it goes on to the phrase handler.
    Platform::Install(desktop, std::make_shared<FailingKeyboard>(*desktop, 1, true), desktop);
    EXPECT_THROW(app.VocabCheck("bang"), std::logic_error);

    // A failure in a later portion of a long entry drops that entry; the next one is typed.
    WriteVocab("Keys", {"erase:{BKSP 100}", "word:x"});
    Platform::Install(desktop, std::make_shared<FailingKeyboard>(*desktop, 80), desktop);
    desktop->keyEvents.clear();
    EXPECT_EQ(app.VocabCheck("erase"), 2);
    EXPECT_EQ(app.VocabCheck("word"), 2);
    EXPECT_TRUE(app.ContinueTyping());
    EXPECT_FALSE(app.ContinueTyping());
    std::string expected;
    for (int n = 1; n < 80; ++n) expected += "s8d s8u ";
    EXPECT_EQ(Compact(desktop->keyEvents), expected + "k88d k88u");
}

TEST_F(VocabCheckTest, ALongEntryIsTypedWholeInPortionsAndAnEntryMatchedMeanwhileAfterIt) {
    WriteVocab("Keys", {"erase:{BKSP 1000}", "word:x", "copy:^c"});
    // A short entry is typed whole at once.
    EXPECT_EQ(app.VocabCheck("copy"), 2);
    EXPECT_FALSE(app.TypingUnfinished());
    EXPECT_EQ(Compact(desktop->keyEvents), "k17d s67d s67u k17u");

    desktop->keyEvents.clear();
    EXPECT_EQ(app.VocabCheck("erase"), 2);
    const std::size_t firstPortion = desktop->keyEvents.size();
    EXPECT_GT(firstPortion, 0u);
    EXPECT_LT(firstPortion, 2000u);
    EXPECT_EQ(app.VocabCheck("word"), 2);
    EXPECT_EQ(desktop->keyEvents.size(), firstPortion);
    int portions = 1;
    while (app.ContinueTyping()) ++portions;
    EXPECT_GT(portions, 2);
    std::string expected;
    for (int n = 0; n < 1000; ++n) expected += "s8d s8u ";
    EXPECT_EQ(Compact(desktop->keyEvents), expected + "k88d k88u");
}

TEST_F(VocabCheckTest, AnotherWindowInFrontStopsTheTypingWithNothingHeldDown) {
    WriteVocab("Keys", {"go:^+a{BKSP 3}B%{F4}!", "erase:{BKSP 32767}"});
    const Hwnd other = desktop->AddWindow({.className = "Other", .title = "Other"});
    ASSERT_EQ(app.VocabCheck("go"), 2);
    const std::size_t entryEvents = desktop->keyEvents.size();

    // The other window comes in front after each event in turn: the key being typed ends,
    // what is held goes up, and no key goes down any more.
    for (std::size_t switchAt = 1; switchAt <= entryEvents; ++switchAt) {
        desktop->keyEvents.clear();
        desktop->foreground = editor;
        desktop->onKeyEvent = [&](const SimDesktop::KeyEvent&) {
            if (desktop->keyEvents.size() == switchAt) desktop->foreground = other;
        };
        EXPECT_EQ(app.VocabCheck("go"), 2);
        bool released = false;
        for (std::size_t i = switchAt; i < desktop->keyEvents.size(); ++i) {
            const bool up = desktop->keyEvents[i].Up();
            EXPECT_FALSE(released && !up) << "a key went down after the switch at " << switchAt;
            released = released || up;
        }
        EXPECT_TRUE(desktop->KeysDown().empty()) << "switch at " << switchAt;
    }

    // In a later portion of a long entry.
    desktop->keyEvents.clear();
    desktop->foreground = editor;
    desktop->onKeyEvent = [&](const SimDesktop::KeyEvent&) {
        if (desktop->keyEvents.size() == 301) desktop->foreground = other;
    };
    EXPECT_EQ(app.VocabCheck("erase"), 2);
    while (app.ContinueTyping()) {
    }
    EXPECT_EQ(desktop->keyEvents.size(), 302u);
    EXPECT_TRUE(desktop->KeysDown().empty());
}

TEST_F(VocabCheckTest, TheWindowInFrontUsesItsOwnVocabulary) {
    WriteVocab("Keys", {"Copy:^c", "copy:^x{TAB}", "none:{TAB 0}", "empty:"});
    EXPECT_EQ(app.VocabCheck("copy"), 2);
    EXPECT_EQ(Compact(desktop->keyEvents), "k17d s88d s88u k17u s9d s9u");
    desktop->keyEvents.clear();
    EXPECT_EQ(app.VocabCheck("COPY"), 0);  // words match exactly
    EXPECT_EQ(app.VocabCheck("Paste"), 0);
    // Keys that type nothing were typed all the same; empty keys were not.
    EXPECT_EQ(app.VocabCheck("none"), 2);
    EXPECT_EQ(app.VocabCheck("empty"), 0);
    EXPECT_TRUE(desktop->keyEvents.empty());
}

TEST_F(VocabCheckTest, AnotherWindowInFrontUsesTheVocabularyOfTheApplicationActivatedLast) {
    WriteVocab("Keys", {"save:^s"});
    const Hwnd dialog =
        desktop->AddWindow({.className = "Dialog", .title = "Save as", .owner = editor});

    // Before any activation no application is known: nothing is typed.
    desktop->foreground = dialog;
    EXPECT_EQ(app.VocabCheck("save"), 0);
    EXPECT_TRUE(desktop->keyEvents.empty());

    ASSERT_EQ(app.AppCheck("Edit it"), 1);
    ASSERT_EQ(app.LastAppHwnd(), editor);
    desktop->foreground = dialog;
    EXPECT_EQ(app.VocabCheck("save"), 2);
    EXPECT_EQ(Compact(desktop->keyEvents), "k17d s83d s83u k17u");

    // The application's title has changed since its record was made: no keystrokes.
    desktop->keyEvents.clear();
    desktop->Find(editor)->title = "notes.txt";
    EXPECT_EQ(app.VocabCheck("save"), 0);
    desktop->foreground = editor;
    EXPECT_EQ(app.VocabCheck("save"), 0);
    EXPECT_TRUE(desktop->keyEvents.empty());
}

TEST_F(VocabCheckTest, NothingIsTypedIntoAWindowOfThisProgram) {
    WriteVocab("Keys", {"save:^s"});
    ASSERT_EQ(app.AppCheck("Edit it"), 1);
    for (const char* title : {"Vorn! Voice Control", "About Vorn! Voice Control"}) {
        desktop->foreground = desktop->AddWindow({.className = "VornWindow", .title = title});
        EXPECT_EQ(app.VocabCheck("save"), 0) << title;
    }
    desktop->foreground = desktop->AddWindow({.className = "Other", .title = "vorn in lower case"});
    EXPECT_EQ(app.VocabCheck("save"), 2);
    EXPECT_EQ(Compact(desktop->keyEvents), "k17d s83d s83u k17u");
}

TEST_F(VocabCheckTest, RecordsWithoutAUsableVocabularyOpenNoFile) {
    const std::string editorIdentity = Identity("Editor", "Untitled");
    WriteVocab("Keys", {"save:^s"});
    // A record that was never completed is passed over; the next one of the window counts.
    WriteApps(
        {editorIdentity + "*", editorIdentity + "*Edit~Keys", editorIdentity + "*Edit~Keys$"});
    EXPECT_EQ(app.VocabCheck("save"), 2);

    // An empty vocabulary name ends the check without creating a vocabulary named "".
    WriteApps({editorIdentity + "*Edit~$editor", editorIdentity + "*Edit~Keys$"});
    EXPECT_EQ(app.VocabCheck("save"), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/.txt")));
}

TEST(CKeyboard, AltGrCharactersHoldTheThirdLevelShiftAndFlagsAreExact) {
    auto desktop = std::make_shared<SimDesktop>();
    Platform::InstallAll(desktop);
    desktop->extraLayoutKeys['@'] = static_cast<int16_t>(kShiftStateAltGr | 'Q');
    desktop->extraLayoutKeys['\x01'] =
        static_cast<int16_t>(kShiftStateCtrl | kShiftStateAlt | 0x2E);
    CKeyboard keyboard;
    keyboard.PressKey("@x");
    EXPECT_EQ(Compact(desktop->keyEvents), "k165d k81d k81u k165u");

    // A key that types no character goes out as an extended key, its scan code with it.
    desktop->keyEvents.clear();
    keyboard.PressKey("\x01");
    EXPECT_EQ(Compact(desktop->keyEvents), "k17d k18d k46d k46u k17u k18u");
    EXPECT_EQ(desktop->keyEvents[2].flags, 1u);
    EXPECT_EQ(desktop->keyEvents[3].flags, 3u);
    EXPECT_EQ(desktop->keyEvents[2].scan, 0x53);

    desktop->keyEvents.clear();
    keyboard.PressKey("A", true, true);
    keyboard.PressKey("\x80");  // no key types it
    EXPECT_TRUE(desktop->keyEvents.empty());
    try {
        keyboard.PressKey("");
        ADD_FAILURE() << "an empty key was accepted";
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Number(), 5);
    }
}
