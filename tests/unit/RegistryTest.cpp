#include <gtest/gtest.h>

#include "TempSettings.h"
#include "desktop/Registry.h"

namespace {

const std::string kWindowKey = "Software\\Ostrelworks\\Vorn! Voice Control\\frmVorn";

class RegistryTest : public ::testing::Test {
protected:
    TempSettings settings;
};

TEST_F(RegistryTest, AnsiTextIsStoredAsUtf8UnderTheWindowsGroupAndReadBackAsAnsi) {
    const std::string text = "Caf\xE9 \xA6 1200,900";
    EXPECT_TRUE(Registry::SetRegistryString(kWindowKey, "Location", text));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Location"), text);

    const std::string file = settings.FileText();
    EXPECT_NE(file.find("[frmVorn]"), std::string::npos) << file;
    EXPECT_NE(file.find("Caf\xC3\xA9 \xC2\xA6"), std::string::npos) << file;
}

TEST_F(RegistryTest, KeyPathsMapOntoNestedGroupsAndThePrefixIgnoresCase) {
    EXPECT_TRUE(Registry::SetRegistryString(kWindowKey + "\\Sub", "Value", "nested"));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Sub/Value"), "nested");
    EXPECT_EQ(Registry::GetRegistryString(
                  "SOFTWARE\\ostrelworks\\VORN! VOICE CONTROL\\frmVorn\\Sub", "Value"),
              "nested");
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Value"), "");

    EXPECT_TRUE(
        Registry::SetRegistryString("Software\\Ostrelworks\\Vorn! Voice Control", "Top", "root"));
    EXPECT_EQ(Registry::GetRegistryString("Software\\Ostrelworks\\Vorn! Voice Control", "Top"),
              "root");
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Top"), "");
}

TEST_F(RegistryTest, KeysOutsideTheProgramsOwnAreRefused) {
    for (const std::string key : {"Software\\Ostrelworks", "Software\\Ostrelworks\\Other",
                                  "Software\\Ostrelworks\\Vorn! Voice Control 2\\frmVorn",
                                  "Software\\Elsewhere\\App\\frmVorn", "frmVorn", ""}) {
        EXPECT_FALSE(Registry::SetRegistryString(key, "State", "Normal")) << key;
        EXPECT_EQ(Registry::CreateRegistryKey(key), 0) << key;
        EXPECT_EQ(Registry::GetRegistryString(key, "State"), "") << key;
    }
    EXPECT_EQ(settings.FileText(), "");
}

TEST_F(RegistryTest, CreateReportsANewKeyUntilItHoldsAValue) {
    EXPECT_EQ(Registry::CreateRegistryKey(kWindowKey), 1);
    ASSERT_TRUE(Registry::SetRegistryString(kWindowKey, "State", "Normal"));
    EXPECT_EQ(Registry::CreateRegistryKey(kWindowKey), 2);
    EXPECT_EQ(Registry::CreateRegistryKey("Software\\Ostrelworks\\Vorn! Voice Control"), 2);
    EXPECT_EQ(Registry::CreateRegistryKey(kWindowKey + "\\Other"), 1);
}

TEST_F(RegistryTest, BlankOnlyTextDeletesTheValueOtherTextIsKeptAsGiven) {
    ASSERT_TRUE(Registry::SetRegistryString(kWindowKey, "State", "  padded  "));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "State"), "  padded  ");

    EXPECT_TRUE(Registry::SetRegistryString(kWindowKey, "State", "   "));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "State"), "");
    EXPECT_EQ(settings.FileText().find("State"), std::string::npos);
    // Nothing left to delete.
    EXPECT_FALSE(Registry::SetRegistryString(kWindowKey, "State", ""));
}

TEST_F(RegistryTest, ATextThatDoesNotFitTheReadBufferReadsAsEmpty) {
    const std::string fits(1023, 'x');
    ASSERT_TRUE(Registry::SetRegistryString(kWindowKey, "Long", fits));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Long"), fits);

    ASSERT_TRUE(Registry::SetRegistryString(kWindowKey, "Long", fits + "x"));
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Long"), "");
}

TEST_F(RegistryTest, AHandEditedUnquotedListReadsAsOneText) {
    settings.WriteFile("[frmVorn]\nLocation=100, 200, 3000, 2000\n");
    EXPECT_EQ(Registry::GetRegistryString(kWindowKey, "Location"), "100,200,3000,2000");
}

}  // namespace
