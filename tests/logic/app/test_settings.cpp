#include <gtest/gtest.h>

#include <INIReader.h>

#include <string>

#include "app/settings.h"
#include "support/scratch_dir.h"

namespace {
Settings parse(const std::string& text) {
    INIReader reader(text.c_str(), text.size());
    return readSettings(reader);
}
Settings window(const std::string& line) { return parse("[window]\n" + line + "\n"); }
}  // namespace

TEST(SettingsConversion, NumbersFollowStrtolAndStrtodAndNonsenseKeepsTheDefault) {
    const std::pair<const char*, int> widths[] = {
        {"0x400", 1024}, {"010", 8}, {"800px", 800}, {"abc", 1024}, {"", 1024}};
    for (const auto& w : widths) EXPECT_EQ(window(std::string("width=") + w.first).width, w.second) << w.first;
    EXPECT_EQ(window("height=-5").height, -5);
    EXPECT_FLOAT_EQ(window("brightness=5e-1").brightness, 0.5f);
    EXPECT_FLOAT_EQ(window("brightness=dim").brightness, 1.0f);
    EXPECT_EQ(refreshRateHint(window("refresh rate=144")), 144);
    for (const char* nonsense : {"", "refresh rate=-3", "refresh rate=nan", "refresh rate=1e30"})
        EXPECT_EQ(refreshRateHint(window(nonsense)), 60) << nonsense;
}

TEST(SettingsConversion, BooleansAcceptTheReaderWordsTitlesAreKeptAsWrittenAndMissingKeysKeepDefaults) {
    for (const char* yes : {"Yes", "on", "1", "TRUE"}) EXPECT_TRUE(window(std::string("fullscreen=") + yes).fullscreen);
    for (const char* no : {"maybe", "No", "off", "0", ""})
        EXPECT_FALSE(window(std::string("fullscreen=") + no).fullscreen);
    EXPECT_FALSE(parse("[camera]\nfree=OFF\n").freeCamera);
    EXPECT_TRUE(parse("[camera]\nfree=maybe\n").freeCamera);
    EXPECT_EQ(window("title=").title, "");
    EXPECT_EQ(window("title = Hop  along").title, "Hop  along");
    // Missing keys keep their defaults; other sections and junk are ignored.
    const Settings s = parse(
        "[window]\nwidth=640\nthis line has no equals sign\n[[broken\n"
        "height=480\n[camera]\nwidth=99\nfree=no\n[other]\nheight=1\n");
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(window("").height, 768);
    EXPECT_EQ(s.title, "Meadowhop");
    EXPECT_FALSE(s.fullscreen);
    EXPECT_FLOAT_EQ(s.brightness, 1.0f);
    EXPECT_FALSE(s.freeCamera);
}

TEST(SettingsFile, AMissingFilePrintsTheWarningAndAFileOnDiskIsRead) {
    Settings s;
    s.width = 7;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadSettings("/nonexistent/settings.ini", s));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "WARNING: /nonexistent/settings.ini not found! Using defaults instead.\n");
    EXPECT_EQ(s.width, 7);

    ScratchDir dir;
    const std::string path = dir.write("settings.ini", "[window]\nheight=600\n");
    EXPECT_TRUE(loadSettings(path, s));
    EXPECT_EQ(s.height, 600);
    // Keys the file leaves out take their defaults, not the earlier values.
    EXPECT_EQ(s.width, 1024);
}
