#include <gtest/gtest.h>

#include <INIReader.h>

#include <cstdio>
#include <string>

#include "app/settings.h"

namespace {
Settings parse(const std::string& text) {
    INIReader reader(text.c_str(), text.size());
    return readSettings(reader);
}
}  // namespace

TEST(SettingsConversion, IntegersFollowStrtolWithAutomaticBase) {
    EXPECT_EQ(parse("[window]\nwidth=0x400\n").width, 1024);
    EXPECT_EQ(parse("[window]\nwidth=010\n").width, 8);
    EXPECT_EQ(parse("[window]\nwidth=800px\n").width, 800);
    EXPECT_EQ(parse("[window]\nwidth=abc\n").width, 1024);
    EXPECT_EQ(parse("[window]\nwidth=\n").width, 1024);
    EXPECT_EQ(parse("[window]\nheight=-5\n").height, -5);
}

TEST(SettingsConversion, BooleansAcceptTheReaderWordsInAnyCase) {
    for (const char* yes : {"Yes", "on", "1", "TRUE"})
        EXPECT_TRUE(parse(std::string("[window]\nfullscreen=") + yes + "\n").fullscreen) << yes;
    for (const char* no : {"maybe", "No", "off", "0", ""})
        EXPECT_FALSE(parse(std::string("[window]\nfullscreen=") + no + "\n").fullscreen) << no;
    EXPECT_FALSE(parse("[camera]\nfree=OFF\n").freeCamera);
    EXPECT_TRUE(parse("[camera]\nfree=maybe\n").freeCamera);
}

TEST(SettingsConversion, EmptyTitleStaysEmptyWhileMissingTitleIsTheDefault) {
    EXPECT_EQ(parse("[window]\ntitle=\n").title, "");
    EXPECT_EQ(parse("[window]\nwidth=5\n").title, "Meadowhop");
    EXPECT_EQ(parse("[window]\ntitle = Hop  along\n").title, "Hop  along");
}

TEST(SettingsConversion, RealsFollowStrtodAndMissingKeysKeepDefaults) {
    Settings s = parse("[window]\nwidth=800\n");
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 768);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_FLOAT_EQ(s.brightness, 1.0f);
    EXPECT_TRUE(s.freeCamera);
    EXPECT_FLOAT_EQ(parse("[window]\nbrightness=5e-1\n").brightness, 0.5f);
    EXPECT_FLOAT_EQ(parse("[window]\nbrightness=dim\n").brightness, 1.0f);
}

TEST(SettingsConversion, KeysOfOtherSectionsAndJunkLinesAreIgnored) {
    Settings s = parse(
        "[window]\nwidth=640\nthis line has no equals sign\n[[broken\n"
        "height=480\n[camera]\nwidth=99\nfree=no\n[other]\nheight=1\n");
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_FALSE(s.freeCamera);
}

TEST(SettingsConversion, RefreshRateHintFallsBackToSixtyForNonsense) {
    EXPECT_EQ(refreshRateHint(parse("[window]\nrefresh rate=144\n")), 144);
    EXPECT_EQ(refreshRateHint(parse("[window]\n")), 60);
    EXPECT_EQ(refreshRateHint(parse("[window]\nrefresh rate=-3\n")), 60);
    EXPECT_EQ(refreshRateHint(parse("[window]\nrefresh rate=nan\n")), 60);
    EXPECT_EQ(refreshRateHint(parse("[window]\nrefresh rate=1e30\n")), 60);
}

TEST(SettingsFile, MissingFilePrintsTheWarningAndFails) {
    Settings s;
    s.width = 7;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadSettings("/nonexistent/settings.ini", s));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "WARNING: /nonexistent/settings.ini not found! Using defaults instead.\n");
    EXPECT_EQ(s.width, 7);
}

TEST(SettingsFile, FileOnDiskIsRead) {
    std::string path = testing::TempDir() + "mh_settings_test.ini";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("[window]\nheight=600\n", f);
    std::fclose(f);
    Settings s;
    EXPECT_TRUE(loadSettings(path, s));
    EXPECT_EQ(s.height, 600);
    EXPECT_EQ(s.width, 1024);
    std::remove(path.c_str());
}
