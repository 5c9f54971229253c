#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "X11Fixture.h"
#include "common/MessageBox.h"
#include "common/ProgramFolder.h"
#include "desktop/CHelp.h"
#include "desktop/HtmlHelp.h"
#include "engine/CApp.h"
#include "engine/RunningApps.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder with a stand-in for xdg-open at the front of PATH, which writes the file it
// is asked to open into "opened.txt" instead of starting a desktop application.
class X11ProcessTest : public X11Test {
protected:
    X11ProcessTest() {
        char pattern[] = "/tmp/vorn-x11-XXXXXX";
        folder = mkdtemp(pattern);
        fs::create_directory(folder / "bin");
        std::ofstream(folder / "bin" / "xdg-open")
            << "#!/bin/sh\nprintf '%s' \"$1\" > '" << (folder / "opened.txt").string() << "'\n";
        fs::permissions(folder / "bin" / "xdg-open", fs::perms::owner_all);
        oldPath = getenv("PATH");
        setenv("PATH", ((folder / "bin").string() + ":" + oldPath).c_str(), 1);
        previousDialogs = Dialogs::Install(std::make_unique<RecordingDialogs>());
    }
    ~X11ProcessTest() override {
        Dialogs::Install(std::move(previousDialogs));
        setenv("PATH", oldPath.c_str(), 1);
        fs::remove_all(folder);
    }

    std::string Opened() const {
        std::string text;
        WaitFor([&] {
            std::ifstream in(folder / "opened.txt");
            std::getline(in, text);
            return !text.empty();
        });
        return text;
    }

    // Ends the program that owns the window (a client started by the code under test).
    static void EndOwnerOf(Hwnd hWnd) {
        const auto pid = static_cast<pid_t>(Windows().GetWindowThreadProcessId(hWnd));
        if (pid > 0) kill(pid, SIGTERM);
    }

    fs::path folder;
    std::string oldPath;
    std::unique_ptr<IDialogs> previousDialogs;
};

TEST_F(X11ProcessTest, AQuotedCommandLineStartsTheProgramWithItsArguments) {
    // A program whose path holds a blank, and an argument with blanks and quotes.
    const fs::path program = folder / "my programs" / "test client";
    fs::create_directories(program.parent_path());
    fs::copy_file(TestClient::Program(), program);
    const std::string line = "\"" + program.string() +
                             "\" --lifetime 30 --window \"Vorn Started|Say \\\"hi\\\" there|\"";
    ASSERT_TRUE(services.processes->CreateProcessA(line));
    Hwnd started = 0;
    EXPECT_TRUE(WaitFor([&] {
        return (started = Windows().FindWindowA("Vorn Started", "Say \"hi\" there")) != 0;
    }));
    EndOwnerOf(started);
}

TEST_F(X11ProcessTest, AnUnquotedProgramPathWithBlanksIsFoundToo) {
    const fs::path program = folder / "my programs" / "test client";
    fs::create_directories(program.parent_path());
    fs::copy_file(TestClient::Program(), program);
    ASSERT_TRUE(services.processes->CreateProcessA(program.string() +
                                                   " --lifetime 30 --window VornUnquoted|U|"));
    Hwnd started = 0;
    EXPECT_TRUE(
        WaitFor([&] { return (started = Windows().FindWindowA("VornUnquoted", "U")) != 0; }));
    EndOwnerOf(started);
}

TEST_F(X11ProcessTest, WhatIsNoProgramDoesNotStart) {
    std::ofstream(folder / "notes.txt") << "text";
    EXPECT_FALSE(services.processes->CreateProcessA((folder / "notes.txt").string()));
    EXPECT_FALSE(services.processes->CreateProcessA("vorn-no-such-program --help"));
    EXPECT_FALSE(services.processes->CreateProcessA(""));
    EXPECT_EQ(services.processes->Shell("vorn-no-such-program", kSwShowNormal), 0);
}

TEST_F(X11ProcessTest, DocumentsOpenWithTheDesktopAndAMissingOneGivesTwo) {
    std::ofstream(folder / "report.txt") << "text";
    setenv("VORN_TEST_FOLDER", folder.c_str(), 1);
    CApp app;
    EXPECT_EQ(app.LaunchDocument2(0, (folder / "absent.txt").string(), "", kSwShowNormal), 2);
    EXPECT_EQ(app.LaunchDocument2(0, "$VORN_TEST_FOLDER/report.txt", "", kSwShowNormal), -1);
    EXPECT_EQ(Opened(), (folder / "report.txt").string());

    fs::remove(folder / "opened.txt");
    EXPECT_EQ(app.LaunchDocument2(0, "report.txt", folder.string(), kSwShowNormal), -1);
    EXPECT_EQ(Opened(), (folder / "report.txt").string());

    fs::remove(folder / "opened.txt");
    EXPECT_EQ(app.Explore(0, folder.string()), -1);
    EXPECT_EQ(Opened(), folder.string());
    EXPECT_EQ(app.Explore(0, (folder / "absent").string()), 2);
}

TEST_F(X11ProcessTest, StartedProgramsAndOpenersGetNoneOfOurTerminal) {
    // A stand-in that writes where its input, output and error output lead, one a line.
    const auto recorder = [&](const std::string& name) {
        const fs::path record = folder / (name + ".txt");
        std::ofstream(folder / "bin" / name)
            << "#!/bin/sh\nled=$(readlink /proc/$$/fd/0 /proc/$$/fd/1 /proc/$$/fd/2)\n"
            << "printf '%s\\n' \"$led\" > '" << record.string() << ".part' && mv '"
            << record.string() << ".part' '" << record.string() << "'\n";
        fs::permissions(folder / "bin" / name, fs::perms::owner_all);
        return record;
    };
    const auto streams = [](const fs::path& record) {
        std::vector<std::string> lines;
        WaitFor([&] { return fs::exists(record); });
        std::ifstream in(record);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    };
    const std::vector<std::string> nowhere(3, "/dev/null");

    const fs::path program = recorder("vorn-chatty-program");
    ASSERT_TRUE(services.processes->CreateProcessA("vorn-chatty-program --verbose"));
    EXPECT_EQ(streams(program), nowhere);

    const fs::path opener = recorder("xdg-open");
    std::ofstream(folder / "report.txt") << "text";
    EXPECT_EQ(
        services.processes->ShellExecuteA("open", (folder / "report.txt").string(), kSwShowNormal),
        33);
    EXPECT_EQ(streams(opener), nowhere);
}

TEST_F(X11ProcessTest, APhraseBringsItsApplicationToTheFrontOrStartsIt) {
    SetProgramFolder(folder.string());
    TestClient running({"VornMail|Inbox|", "VornOther|Other|"});
    ASSERT_TRUE(Managed(running.Window(0)));
    ASSERT_TRUE(Managed(running.Window(1)));
    ASSERT_TRUE(RunningApps::ActivateWindow(running.Window(1)));

    CApp app;
    app.VAppAdd(Identity("VornMail", "Inbox"));
    app.AddUserAppName("mail", "", "", 0);
    app.VAppAdd(Identity("VornLater", "Later"));
    app.AddUserAppName(
        "later", "",
        "\"" + TestClient::Program() + "\" --lifetime 30 --window \"VornLater|Later|\"", 1);

    EXPECT_EQ(app.AppCheck("mail"), 1);
    EXPECT_EQ(Windows().GetForegroundWindow(), running.Window(0));
    EXPECT_EQ(app.LastAppHwnd(), running.Window(0));

    EXPECT_EQ(app.AppCheck("later"), 1);
    Hwnd started = 0;
    EXPECT_TRUE(
        WaitFor([&] { return (started = Windows().FindWindowA("VornLater", "Later")) != 0; }));
    EndOwnerOf(started);
}

}  // namespace

TEST_F(X11ProcessTest, TheHelpViewerIsStartedWithTheHelpFileAsOneArgument) {
    // A stand-in viewer that writes its arguments, one a line.
    std::ofstream(folder / "bin" / "xchm")
        << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << (folder / "viewer.txt").string()
        << ".part' && mv '" << (folder / "viewer.txt").string() << ".part' '"
        << (folder / "viewer.txt").string() << "'\n";
    fs::permissions(folder / "bin" / "xchm", fs::perms::owner_all);
    const auto arguments = [&] {
        std::vector<std::string> lines;
        WaitFor([&] { return fs::exists(folder / "viewer.txt"); });
        std::ifstream in(folder / "viewer.txt");
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        fs::remove(folder / "viewer.txt");
        return lines;
    };
    std::string file = (folder / "my \"help\" files" / "vornhelp.chm").string();
    CHelp().Show(file);
    EXPECT_EQ(arguments(), std::vector<std::string>{file});
    CHelp().Show(file, "main", 42);
    EXPECT_EQ(arguments(), (std::vector<std::string>{"--contextid=42", file}));

    // Without a viewer nothing is started and nothing fails.
    setenv("PATH", (folder / "empty").c_str(), 1);
    EXPECT_FALSE(HtmlHelp(file, HH_DISPLAY_TOPIC, 0));
}
