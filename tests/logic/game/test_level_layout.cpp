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
    std::vector<std::string> lines;
    std::istringstream printed(testing::internal::GetCapturedStdout());
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
        EXPECT_NEAR(start.z, row.z, 0.051f) << row.index;
        // Ten seconds later, summed in float.
        const glm::vec3 later = moved[static_cast<std::size_t>(row.index)].position;
        EXPECT_NEAR(later.z - start.z, 10.0f * row.speed, 0.6f) << row.index;
        EXPECT_EQ(later.x, start.x);
    }
}

}  // namespace
