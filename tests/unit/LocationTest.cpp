#include <gtest/gtest.h>

#include <QLocale>
#include <memory>
#include <vector>

#include "TempSettings.h"
#include "desktop/Location.h"
#include "desktop/Registry.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace {

using Location::TwipsRect;

const std::string kWindowKey = "Software\\Ostrelworks\\Vorn! Voice Control\\frmVorn";

class FakeWindow : public PlacedWindow {
public:
    std::string name = "frmVorn";
    double left = 1200, top = 900, width = 6000, height = 4500;
    int state = kWindowNormal;
    int moves = 0;

    std::string Name() const override { return name; }
    double Left() const override { return left; }
    double Top() const override { return top; }
    double Width() const override { return width; }
    double Height() const override { return height; }
    int WindowState() const override { return state; }
    void Move(double newLeft, double newTop, double newWidth, double newHeight) override {
        left = newLeft;
        top = newTop;
        width = newWidth;
        height = newHeight;
        ++moves;
    }
    void SetWindowState(int newState) override { state = newState; }
};

// The simulated desktop: 1024 x 768 pixels at 15 twips a pixel, 15360 x 11520 twips.
class LocationTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::InstallAll(desktop); }

    void Store(const std::string& name, const std::string& text) {
        ASSERT_TRUE(Registry::SetRegistryString(kWindowKey, name, text));
    }

    TempSettings settings;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();
    FakeWindow window;
};

TEST_F(LocationTest, ParseAcceptsBlanksAndRoundsHalvesToEven) {
    TwipsRect rect;
    EXPECT_TRUE(Location::ParseLocation("100, 200 ,3000,  2000", rect));
    EXPECT_EQ(rect, (TwipsRect{100, 200, 3000, 2000}));
    EXPECT_TRUE(Location::ParseLocation("0.5,1.5,-2.5,3.5", rect));
    EXPECT_EQ(rect, (TwipsRect{0, 2, -2, 4}));
    EXPECT_TRUE(Location::ParseLocation("-2147483648,2147483647,1,1", rect));
    EXPECT_EQ(rect, (TwipsRect{INT32_MIN, INT32_MAX, 1, 1}));
}

TEST_F(LocationTest, ParseRejectsWrongCommasBadPiecesAndSumsBelowOne) {
    TwipsRect rect{7, 7, 7, 7};
    EXPECT_FALSE(Location::ParseLocation("100,200,3000", rect));
    EXPECT_FALSE(Location::ParseLocation("1,2,3,4,5", rect));
    EXPECT_EQ(rect, (TwipsRect{7, 7, 7, 7}));

    // Pieces before the bad one stay written.
    EXPECT_FALSE(Location::ParseLocation("1,,3,4", rect));
    EXPECT_EQ(rect, (TwipsRect{1, 7, 7, 7}));
    EXPECT_FALSE(Location::ParseLocation("1,2,x,4", rect));
    EXPECT_FALSE(Location::ParseLocation("2147483648,0,0,1", rect));
    EXPECT_FALSE(Location::ParseLocation("2147483647.5,0,0,1", rect));  // rounds to 2^31

    EXPECT_FALSE(Location::ParseLocation("0,0,0,0", rect));
    EXPECT_FALSE(Location::ParseLocation("-3000,0,1000,2000", rect));
    EXPECT_TRUE(Location::ParseLocation("-500,0,3000,2000", rect));
    // The running sum overflows 32 bits before the last piece brings it back.
    EXPECT_FALSE(Location::ParseLocation("2147483647,1,-10,0", rect));
}

TEST_F(LocationTest, ParseReadsNumbersInTheUsersLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TwipsRect rect;
    EXPECT_TRUE(Location::ParseLocation("1.200,900,6000,4500", rect));
    EXPECT_EQ(rect.left, 1200);
    QLocale::setDefault(QLocale::c());
    EXPECT_TRUE(Location::ParseLocation("1.200,900,6000,4500", rect));
    EXPECT_EQ(rect.left, 1);
}

TEST_F(LocationTest, WorkAreaIsInTwipsAndFittingIgnoresItsOffset) {
    desktop->workArea = {100, 40, 1124, 808};
    EXPECT_EQ(Location::GetWorkArea(), (TwipsRect{1500, 600, 15360, 11520}));

    TwipsRect inside{0, 0, 3000, 2000};
    EXPECT_TRUE(Location::FitToWorkArea(inside));
    EXPECT_EQ(inside, (TwipsRect{0, 0, 3000, 2000}));

    TwipsRect tooWide{100, 200, 20000, 2000};
    EXPECT_FALSE(Location::FitToWorkArea(tooWide));
    EXPECT_EQ(tooWide, (TwipsRect{0, 200, 15360, 2000}));

    TwipsRect overTheEdges{15360 - 100, 11000, 3000, 2000};
    EXPECT_FALSE(Location::FitToWorkArea(overTheEdges));
    EXPECT_EQ(overTheEdges, (TwipsRect{12360, 9520, 3000, 2000}));

    TwipsRect negative{-500, -1, 3000, 12000};
    EXPECT_FALSE(Location::FitToWorkArea(negative));
    EXPECT_EQ(negative, (TwipsRect{0, 0, 3000, 11520}));

    // A far edge beyond the 32-bit range is pulled back, not wrapped around.
    TwipsRect farOut{2147483000, -10000, 3000, 2000};
    EXPECT_FALSE(Location::FitToWorkArea(farOut));
    EXPECT_EQ(farOut, (TwipsRect{12360, 0, 3000, 2000}));
}

TEST_F(LocationTest, LoadRestoresAStoredLocationFittedWithItsState) {
    Store("Location", "-500,200,20000,2000");
    Store("State", "MAXIMIZED");
    int state = -1;
    TwipsRect rect;
    EXPECT_TRUE(Location::LoadFormLocation(window, state, rect));
    EXPECT_EQ(rect, (TwipsRect{0, 200, 15360, 2000}));
    EXPECT_EQ(state, kWindowMaximized);

    Store("Location", "100, 200, 3000, 2000");
    Store("State", "Minimized");
    EXPECT_TRUE(Location::LoadFormLocation(window, state, rect));
    EXPECT_EQ(rect, (TwipsRect{100, 200, 3000, 2000}));
    EXPECT_EQ(state, kWindowNormal);

    Store("State", "sideways");
    state = -1;
    EXPECT_TRUE(Location::LoadFormLocation(window, state, rect));
    EXPECT_EQ(state, kWindowNormal);
}

TEST_F(LocationTest, LoadWithoutAValidLocationLeavesItUntouchedButSetsTheState) {
    const TwipsRect before{1, 2, 3, 4};
    for (const std::string text : {"", "100,200,3000", "0,0,0,0", "1,,3,4"}) {
        if (!text.empty()) {
            Store("Location", text);
        }
        Store("State", "Maximized");
        int state = -1;
        TwipsRect rect = before;
        EXPECT_FALSE(Location::LoadFormLocation(window, state, rect)) << text;
        EXPECT_EQ(rect, before) << text;
        EXPECT_EQ(state, kWindowMaximized) << text;
    }
}

TEST_F(LocationTest, LoadReadsASectionAndTheFillDesktopSettingWhenAsked) {
    ASSERT_TRUE(Registry::SetRegistryString(
        kWindowKey.substr(0, kWindowKey.rfind('\\')) + "\\Other", "Location", "10,20,3000,2000"));
    int state = -1;
    TwipsRect rect;
    bool fill = false;
    EXPECT_TRUE(Location::LoadFormLocation(window, state, rect, std::string("  Other "), &fill));
    EXPECT_EQ(rect, (TwipsRect{10, 20, 3000, 2000}));
    EXPECT_FALSE(fill);

    Store("FillDesktop", "True");
    EXPECT_FALSE(Location::LoadFormLocation(window, state, rect, std::nullopt, &fill));
    EXPECT_TRUE(fill);
}

TEST_F(LocationTest, SaveWritesStateAlwaysAndLocationOnlyInTheNormalState) {
    EXPECT_EQ(Registry::CreateRegistryKey(kWindowKey), 1);
    window.state = kWindowMinimized;
    EXPECT_TRUE(Location::SaveFormLocation(window));
    EXPECT_EQ(Registry::CreateRegistryKey(kWindowKey), 2);
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "State"), "Minimized");
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Location"), "");

    window.state = kWindowNormal;
    EXPECT_TRUE(Location::SaveFormLocation(window));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "State"), "Normal");
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Location"), "1200,900,6000,4500");

    window.state = kWindowMaximized;
    window.left = 0;
    window.width = 15360;
    EXPECT_TRUE(Location::SaveFormLocation(window));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "State"), "Maximized");
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Location"), "1200,900,6000,4500");
}

TEST_F(LocationTest, SavedFractionsBecomeWholeTwipsThatReadBackInEveryLocale) {
    window.left = 1200.5;
    window.top = -0.4;
    window.width = 6001.5;
    EXPECT_EQ(Location::FormLocationString(window), "1200,0,6002,4500");

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Location::SaveFormLocation(window);
    int state = -1;
    TwipsRect rect;
    EXPECT_TRUE(Location::LoadFormLocation(window, state, rect));
    EXPECT_EQ(rect, (TwipsRect{1200, 0, 6002, 4500}));
}

TEST_F(LocationTest, CornersUseTheWorkAreaWithItsOffsetAndKeepTheSize) {
    desktop->workArea = {100, 40, 1124, 808};  // 1500, 600, 15360 x 11520 twips
    window.width = 3000.5;
    window.height = 2000;
    const struct {
        int code;
        double left, top;
    } corners[] = {{Location::kTopLeft, 1500, 600},
                   {Location::kTopRight, 13860, 600},  // 13859.5 rounds to even
                   {Location::kBottomLeft, 1500, 10120},
                   {Location::kBottomRight, 13860, 10120}};
    for (const auto& corner : corners) {
        Location::PositionForm(window, corner.code);
        EXPECT_EQ(window.left, corner.left) << corner.code;
        EXPECT_EQ(window.top, corner.top) << corner.code;
        EXPECT_EQ(window.width, 3000.5);
        EXPECT_EQ(window.height, 2000);
    }
}

TEST_F(LocationTest, OtherCodesAndWindowsNotInTheNormalStateAreNotMoved) {
    for (int code : {17, 20, 21, 26}) {
        Location::PositionForm(window, code);
    }
    window.state = kWindowMaximized;
    Location::PositionForm(window, Location::kBottomLeft);
    window.state = kWindowMinimized;
    Location::PositionFormAtCorner(window, Location::kBottomRight);
    EXPECT_EQ(window.moves, 0);
}

TEST_F(LocationTest, KeyTextsAndStateNames) {
    EXPECT_EQ(Location::FormRegistryKey(window), kWindowKey);
    EXPECT_EQ(Location::FormRegistryKey(window, std::string(" Sec ")),
              "Software\\Ostrelworks\\Vorn! Voice Control\\Sec");
    EXPECT_EQ(Location::FormRegistryKey(window, std::string()),
              "Software\\Ostrelworks\\Vorn! Voice Control");
    EXPECT_EQ(Location::AppRegistryKey(std::string("Other")), "Software\\Ostrelworks\\Other");
    EXPECT_EQ(Location::AppRegistryKey(std::string()), "Software\\Ostrelworks");
    EXPECT_EQ(Location::CompanyRegistryKey(std::string("Else")), "Software\\Else");

    EXPECT_EQ(Location::WindowStateName(kWindowMaximized), "Maximized");
    EXPECT_EQ(Location::WindowStateName(3), "");
    EXPECT_EQ(Location::WindowStateFromName("mInImIzEd"), kWindowMinimized);
    EXPECT_EQ(Location::WindowStateFromName(""), kWindowNormal);
}

TEST_F(LocationTest, FillDesktopIsSavedOnlyForAWindowAsLargeAsTheWorkArea) {
    window.width = 15360;
    window.height = 11520;
    EXPECT_FALSE(Location::FillDesktopSetting(window, kWindowKey, true));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "FillDesktop"), "True");
    EXPECT_TRUE(Location::FillDesktopSetting(window, kWindowKey, false));

    window.height = 11505;
    Location::FillDesktopSetting(window, kWindowKey, true);
    EXPECT_EQ(settings.FileText().find("FillDesktop"), std::string::npos);
    EXPECT_FALSE(Location::FillDesktopSetting(window, kWindowKey, false));

    for (const auto& [text, expected] : std::vector<std::pair<std::string, bool>>{
             {"1", true}, {"0", false}, {"false", false}, {"maybe", false}}) {
        Store("FillDesktop", text);
        EXPECT_EQ(Location::FillDesktopSetting(window, kWindowKey, false), expected) << text;
    }
}

}  // namespace
