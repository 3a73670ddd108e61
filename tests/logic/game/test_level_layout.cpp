#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "game/lcg15.h"
#include "game/level_layout.h"
#include "game/small_stones.h"
#include "game/trunk_random.h"

namespace {

TEST(SmallStones, StartUpPrintsEachStoneWhereItStandsAndEveryRunBuildsTheSameLevel) {
    // The star field reseeds and draws from the same generator later on: each
    // run seeds it anew.
    sharedLcg15().seed(12345);
    sharedLcg15().next();
    testing::internal::CaptureStdout();
    const auto stones = generateSmallStonePositions(250.0f, -100.0f, 950.0f, 0.0f);
    const std::string console = testing::internal::GetCapturedStdout();
    std::vector<std::string> lines;
    std::istringstream printed(console);
    for (std::string line; std::getline(printed, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 35u);
    ASSERT_EQ(stones.size(), 35u);
    EXPECT_EQ(lines[0], "-99.241615 489.945679");
    EXPECT_EQ(lines[16], "-3.022858 395.284882");
    EXPECT_EQ(lines[34], "19.504387 102.372810");
    for (std::size_t i = 0; i < stones.size(); ++i) {
        float x = 0.0f, z = 0.0f;
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "%f %f", &x, &z), 2) << lines[i];
        // Six decimals on the console.
        EXPECT_LT(glm::distance(stones[i], glm::vec3(x, 0.5f, z)), 1e-5f) << lines[i];
    }
}

TEST(Trunks, StartWhereTheThreeStreamsPutThemAndKeepTheirOwnSpeedForEver) {
    struct Row {
        int index;
        float x, z, speed;
    };
    // The first and last of the far range and of the near one among those the rabbit can meet.
    const Row rows[] = {
        {0, -109.0f, 5369.1f, 47.1f},
        {8, 172.9f, 4910.4f, 28.4f},
        {9, 154.3f, 168.6f, 52.8f},
        {15, -22.3f, -143.0f, 36.6f},
    };
    const auto trunks = generateTrunks();
    ASSERT_EQ(trunks.size(), 18u);
    auto moved = trunks;
    for (int frame = 0; frame < 600; ++frame) moved = moveTrunks(moved, 1.0f / 60.0f);
    for (const Row& row : rows) {
        const glm::vec3 start = trunks[static_cast<std::size_t>(row.index)].position;
        EXPECT_NEAR(start.x, row.x, 0.051f) << row.index;
        EXPECT_EQ(start.y, 10.0f);
        EXPECT_NEAR(start.z, row.z, 0.051f) << row.index;
        // Ten seconds later, summed in float.
        const glm::vec3 later = moved[static_cast<std::size_t>(row.index)].position;
        EXPECT_NEAR(later.z - start.z, 10.0f * row.speed, 0.6f) << row.index;
        EXPECT_EQ(later.x, start.x);
    }
}

glm::vec3 placed(const glm::mat4& model, const glm::vec3& point) { return glm::vec3(model * glm::vec4(point, 1.0f)); }

TEST(ModelMatrices, EveryObjectIsDrawnWhereItStands) {
    // A small stone is drawn at its stored place but tested at eight times it.
    const glm::vec3 stone(-99.2f, 0.5f, 489.9f);
    const glm::mat4 small = smallStoneMatrix(stone);
    EXPECT_EQ(glm::vec3(small * glm::vec4(0, 0, 0, 1)) / (small * glm::vec4(0, 0, 0, 1)).w, stone);
    EXPECT_EQ(smallStonePoint(stone), stone * 8.0f);
    // The carrot's size: its radius test leaves it room.
    EXPECT_EQ(placed(carrotMatrix(glm::mat4(1.0f)), glm::vec3(1.0f)), glm::vec3(15.0f, 16.0f, 15.0f));
    EXPECT_EQ(largeStonePoint(4), glm::vec3(-360.0f, 10.0f, 3950.0f));
    // The tunnel wall's long side (x of the model, scaled 400) runs along -z.
    const glm::vec3 wallEnd = placed(tunnelWallMatrix(), glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_NEAR(glm::distance(wallEnd, glm::vec3(400.0f, 0.0f, 2600.0f)), 0.0f, 1e-3f);
    // The film's screen, flat in x and z when built, stands upright facing +z.
    const glm::mat4 screen = sequencePlaneMatrix();
    EXPECT_NEAR(glm::vec3(screen * glm::vec4(0, 1, 0, 0)).z, 1.0f, 1e-6f);
    EXPECT_EQ(placed(screen, glm::vec3(0.0f)), glm::vec3(-100.0f, 560.0f, 3950.0f));
}

}  // namespace
