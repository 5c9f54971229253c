#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "GuiFixture.h"
#include "config/ConfigGlobals.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "desktop/frmAbout.h"
#include "forms/Twips.h"
#include "listening/frmVorn.h"

namespace {

// The About box over system settings kept in temporary XDG system configuration folders.
class AboutBoxTest : public GuiFixture {
protected:
    AboutBoxTest() {
        const char* previous = std::getenv("XDG_CONFIG_DIRS");
        if (previous != nullptr) previousDirs_ = previous;
        // The first folder holds nothing: every folder is searched.
        setenv("XDG_CONFIG_DIRS", (empty_.path() + ":" + system_.path()).toLocal8Bit(), 1);
        frmApp::Default();  // the About box is reached from the application window
    }
    ~AboutBoxTest() override {
        if (previousDirs_) {
            setenv("XDG_CONFIG_DIRS", previousDirs_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_DIRS");
        }
    }

    void SetSystemValue(const QString& file, const QString& key, const QString& value) {
        QSettings(system_.path() + "/Microsoft/" + file + ".conf", QSettings::IniFormat)
            .setValue(key, value);
    }
    std::string SystemFolder() const { return system_.path().toStdString(); }
    std::vector<std::string> Started() const {
        std::vector<std::string> started;
        for (const auto& request : desktop->startRequests) started.push_back(request.file);
        return started;
    }

private:
    QTemporaryDir empty_;
    QTemporaryDir system_;
    std::optional<std::string> previousDirs_;
};

}  // namespace

TEST_F(AboutBoxTest, LoadingShowsTheBuildsVersionAtTheNeverShownVocabularyWindowsCorner) {
    gAppLeft = 1500;
    gAppTop = 900;
    ASSERT_FALSE(frmVocab::IsLoaded());
    frmAbout& about = frmAbout::Default();
    EXPECT_TRUE(frmVocab::IsLoaded());
    EXPECT_FALSE(frmVocab::Default().isVisible());
    EXPECT_EQ(about.pos(), QPoint(Twips::ToPixels(1500), Twips::ToPixels(900)));
    EXPECT_EQ(about.windowTitle(), "About Vorn! Voice Command");
    EXPECT_EQ(about.lblVersion->text(), "Version " VORN_VERSION_TEXT);
    EXPECT_FALSE(about.picIcon->pixmap().isNull());
    EXPECT_EQ(about.picIcon->pixmap().toImage(),
              frmVorn::Default().windowIcon().pixmap(48, 48).toImage());  // the main window's
    gAppLeft = gAppTop = 0;
}

TEST_F(AboutBoxTest, TheMenuShowsTheBoxModallyAndOKOrEscapeUnloadsIt) {
    const std::function<void()> closes[] = {
        [] { frmAbout::Default().cmdOK->click(); },
        [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
    };
    for (const auto& close : closes) {
        bool shown = false;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            shown = frmAbout::Default().isVisible() && frmAbout::Default().isModal();
            frmAbout::Default().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&frmAbout::Default()));
            close();
            closed = !frmAbout::IsLoaded();
            // A box that stays open is closed here, so that the test ends.
            if (!closed) frmAbout::Default().cmdOK->click();
        });
        frmApp::Default().mnuAboutVorn->trigger();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(closed);
    }
}

TEST_F(AboutBoxTest, SystemInfoStartsThePathValueElseMsinfo32OnlyWhenItsFolderHoldsIt) {
    SetSystemValue("Shared Tools Location", "MSINFO", QString::fromStdString(SystemFolder()));
    frmAbout::Default().cmdSysInfo_Click();
    EXPECT_TRUE(Started().empty());
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(dialogs().boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(dialogs().boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(dialogs().boxes[0].title, "Vorn! Voice Command");

    std::ofstream(SystemFolder() + "/MSINFO32.EXE") << "";
    frmAbout::Default().cmdSysInfo_Click();
    EXPECT_EQ(Started(), std::vector<std::string>{SystemFolder() + "/MSINFO32.EXE"});
    EXPECT_EQ(dialogs().boxes.size(), 1u);

    // A path value goes first, started without looking for it.
    SetSystemValue("Shared Tools", "MSINFO/PATH", "/opt/system tools/sysinfo");
    frmAbout::Default().cmdSysInfo->click();
    EXPECT_EQ(Started(), (std::vector<std::string>{SystemFolder() + "/MSINFO32.EXE",
                                                   "/opt/system tools/sysinfo"}));
    EXPECT_EQ(desktop->startRequests[1].show, 1);
    EXPECT_EQ(dialogs().boxes.size(), 1u);
}

TEST_F(AboutBoxTest, SystemInfoWithNothingToStartOrAFailedStartSaysItIsUnavailable) {
    frmAbout::Default().cmdSysInfo_Click();  // no settings at all
    SetSystemValue("Shared Tools", "MSINFO/PATH", "/opt/sysinfo");
    desktop->refuseStart = true;
    frmAbout::Default().cmdSysInfo_Click();
    EXPECT_EQ(Started(), std::vector<std::string>{"/opt/sysinfo"});
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text, "System Information Is Unavailable At This Time");

    std::string text = "kept";
    EXPECT_FALSE(frmAbout::Default().GetKeyValue(
        0x80000001u, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", text));
    EXPECT_EQ(text, "");  // a root other than the machine's is not read
    SetSystemValue("Shared Tools", "MSINFO/PATH", QString(1024, 'x'));
    EXPECT_FALSE(frmAbout::Default().GetKeyValue(
        HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", text));
}
