#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <cmath>
#include <sstream>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "game/lcg15.h"
#include "game/level_layout.h"
#include "game/small_stones.h"
#include "game/trunk_random.h"

namespace {

std::vector<glm::vec3> stones(std::string& printed) {
    std::ostringstream out;
    auto positions = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                                 level::SmallStoneMinZ, out);
    printed = out.str();
    return positions;
}

TEST(SmallStones, StandWhereTheSeededStreamPutsThemAndPrintOneLineEach) {
    const std::array<std::array<float, 2>, 35> expected = {{
        {-99.2f, 489.9f}, {-65.1f, 397.0f}, {46.3f, 530.4f},  {-28.2f, 87.3f},  {25.3f, 55.1f},   {-53.3f, 827.5f},
        {176.9f, 55.2f},  {39.7f, 738.2f},  {60.0f, 403.8f},  {127.6f, 595.8f}, {-56.6f, 662.8f}, {-14.9f, 884.7f},
        {-93.1f, 394.5f}, {34.5f, 91.5f},   {21.2f, 195.8f},  {246.7f, 445.0f}, {-3.0f, 395.3f},  {224.4f, 231.7f},
        {21.8f, 532.2f},  {172.1f, 742.2f}, {126.9f, 358.5f}, {182.6f, 327.1f}, {150.3f, 731.3f}, {-6.7f, 767.9f},
        {89.2f, 388.2f},  {145.4f, 342.3f}, {108.3f, 272.9f}, {45.8f, 688.6f},  {-3.4f, 1.9f},    {166.3f, 899.0f},
        {139.6f, 41.4f},  {31.5f, 246.4f},  {-50.7f, 835.5f}, {-73.9f, 74.1f},  {19.5f, 102.4f},
    }};
    std::string printed;
    const auto positions = stones(printed);
    ASSERT_EQ(positions.size(), 35u);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        EXPECT_NEAR(positions[i].x, expected[i][0], 0.051f) << "stone " << i;
        EXPECT_FLOAT_EQ(positions[i].y, 0.5f) << "stone " << i;
        EXPECT_NEAR(positions[i].z, expected[i][1], 0.051f) << "stone " << i;
    }
    EXPECT_EQ(printed.substr(0, printed.find('\n') + 1), "-99.241615 489.945679\n");
    std::istringstream lines(printed);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(line.find("  "), std::string::npos) << line;
        EXPECT_NE(line.front(), ' ') << line;
    }
    EXPECT_EQ(count, 35);
}

TEST(SmallStones, StartUpPrintsOnTheConsoleAndEveryRunBuildsTheSameLevel) {
    std::string first;
    const auto a = stones(first);
    // The star field reseeds and draws from the same generator later on.
    sharedLcg15().seed(12345);
    for (int i = 0; i < 100; ++i) sharedLcg15().next();

    std::ostringstream captured;
    std::streambuf* console = std::cout.rdbuf(captured.rdbuf());
    const auto b = generateSmallStonePositions(250.0f, -100.0f, 950.0f, 0.0f);
    std::cout.rdbuf(console);
    EXPECT_EQ(captured.str(), first);
    EXPECT_EQ(b, a);
}

TEST(Lcg15, FollowsTheFixedArithmeticAndStaysIn15Bits) {
    Lcg15 generator;
    generator.seed(10);
    // state = 10 * 214013 + 2531011 = 4671141, >> 16 = 71.
    EXPECT_EQ(generator.next(), 71);
    generator.seed(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        const int value = generator.next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, Lcg15::Max);
    }
}

// World units a second: how far one second moves the trunk.
static float speedOf(const std::vector<Trunk>& trunks, int index) {
    const auto i = static_cast<std::size_t>(index);
    return moveTrunks(trunks, 1.0f)[i].position.z - trunks[i].position.z;
}

TEST(Trunks, StartWhereTheThreeStreamsPutThemWithTheirSpeeds) {
    const std::array<std::array<float, 3>, 18> expected = {{
        {-109.0f, 5369.1f, 47.1f},
        {3.6f, 4235.4f, 94.1f},
        {20.6f, 3566.4f, 38.4f},
        {-103.5f, 3371.4f, 95.4f},
        {-293.0f, 4486.1f, 98.9f},
        {-376.8f, 3644.0f, 56.1f},
        {2.4f, 4070.8f, 115.1f},
        {92.5f, 4434.8f, 119.6f},
        {172.9f, 4910.4f, 28.4f},
        {154.3f, 168.6f, 52.8f},
        {10.2f, -103.5f, 14.3f},
        {50.9f, -264.1f, 54.8f},
        {-335.5f, -310.9f, 77.9f},
        {206.7f, -43.3f, 39.6f},
        {-258.4f, -245.4f, 20.0f},
        {-22.3f, -143.0f, 36.6f},
        {-294.9f, -55.6f, 26.0f},
        {115.8f, 58.5f, 65.4f},
    }};
    const auto trunks = generateTrunks();
    ASSERT_EQ(trunks.size(), 18u);
    for (int i = 0; i < 18; ++i) {
        const Trunk& trunk = trunks[static_cast<std::size_t>(i)];
        EXPECT_NEAR(trunk.position.x, expected[i][0], 0.051f) << "trunk " << i;
        EXPECT_FLOAT_EQ(trunk.position.y, 10.0f);
        EXPECT_NEAR(trunk.position.z, expected[i][1], 0.051f) << "trunk " << i;
        EXPECT_FALSE(trunk.hit);
        EXPECT_NEAR(speedOf(trunks, i), expected[i][2], 0.051f) << "trunk " << i;
    }
}

TEST(Trunks, EachKeepsItsOwnConstantSpeedTowardsPlusZ) {
    auto trunks = generateTrunks();
    const auto start = trunks;
    trunks[3].hit = true;
    for (int frame = 0; frame < 600; ++frame) trunks = moveTrunks(trunks, 1.0f / 60.0f);
    ASSERT_EQ(trunks.size(), 18u);
    for (int i = 0; i < 18; ++i) {
        const auto& now = trunks[static_cast<std::size_t>(i)].position;
        const auto& then = start[static_cast<std::size_t>(i)].position;
        EXPECT_FLOAT_EQ(now.x, then.x);
        EXPECT_FLOAT_EQ(now.y, then.y);
        // Ten seconds at the trunk's own speed (summed in float); a hit trunk moves on too.
        EXPECT_NEAR(now.z - then.z, 10.0f * speedOf(start, i), 0.5f) << "trunk " << i;
    }
    EXPECT_TRUE(trunks[3].hit);
}

TEST(Trunks, NeverStopSoTheSlowestPassesTheStartAfterAbout524Seconds) {
    auto trunks = generateTrunks();
    int frames = 0;
    while (trunks[10].position.z <= 7400.0f && frames < 100000) {
        trunks = moveTrunks(trunks, 1.0f / 60.0f);
        ++frames;
    }
    EXPECT_NEAR(frames / 60.0f, 524.0f, 1.0f);
}

TEST(IsNear, IsStrictAndCountsHeight) {
    const glm::vec3 a(0.0f, 0.0f, 0.0f);
    EXPECT_FALSE(isNear(a, glm::vec3(3.0f, 4.0f, 0.0f), 5.0f));
    EXPECT_TRUE(isNear(a, glm::vec3(3.0f, 4.0f, 0.0f), 5.001f));
    EXPECT_TRUE(isNear(glm::vec3(0.0f, 0.0f, 12.0f), glm::vec3(0.0f, 5.0f, 0.0f), 13.01f));
    EXPECT_FALSE(isNear(glm::vec3(0.0f, 0.0f, 12.0f), glm::vec3(0.0f, 5.0f, 0.0f), 13.0f));
}

TEST(ModelMatrices, SmallStonesStandAtEightTimesTheirStoredPosition) {
    std::string printed;
    const auto positions = stones(printed);
    const glm::mat4 model = smallStoneMatrix(positions[0]);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(model[i][i], 8.0f);
    EXPECT_NEAR(model[3][0], -793.9f, 0.05f);
    EXPECT_NEAR(model[3][1], 4.0f, 1e-5f);
    EXPECT_NEAR(model[3][2], 3919.6f, 0.05f);
    EXPECT_FLOAT_EQ(model[3][3], 8.0f);
    const glm::vec3 point = smallStonePoint(positions[0]);
    EXPECT_FLOAT_EQ(point.x, positions[0].x * 8.0f);
    EXPECT_FLOAT_EQ(point.z, positions[0].z * 8.0f);
}

TEST(ModelMatrices, PickupsStonesCrateAndSetPiecesTransformAsPlaced) {
    const glm::mat4 pose = glm::translate(glm::mat4(1.0f), glm::vec3(12.0f, 10.0f, 2500.0f));
    const glm::mat4 carrot = carrotMatrix(pose);
    EXPECT_EQ(glm::vec3(carrot * glm::vec4(1, 1, 1, 1)), glm::vec3(27.0f, 26.0f, 2515.0f));

    // 90 radians, not degrees: x maps to (cos 90, 0, -sin 90) before the scale.
    const glm::mat4 heart = heartMatrix(glm::mat4(1.0f));
    const glm::vec3 x = glm::vec3(heart * glm::vec4(1, 0, 0, 0));
    EXPECT_NEAR(x.x, 20.0f * std::cos(90.0f), 1e-3f);
    EXPECT_NEAR(x.z, -20.0f * std::sin(90.0f), 1e-3f);
    EXPECT_NEAR(glm::vec3(heart * glm::vec4(0, 1, 0, 0)).y, 21.0f, 1e-4f);

    const glm::mat4 stone = largeStoneMatrix(1);
    EXPECT_EQ(glm::vec3(stone * glm::vec4(1, 1, 1, 1)), glm::vec3(-230.0f + 25.0f, 30.0f, 3960.0f));
    EXPECT_EQ(largeStonePoint(4), glm::vec3(-360.0f, 10.0f, 3950.0f));

    EXPECT_EQ(glm::vec3(crateMatrix() * glm::vec4(1, 1, 1, 1)), glm::vec3(30.0f, 70.0f, -820.0f));

    // The wall's long side (x of the model, scaled 400) ends up along -z.
    const glm::vec3 wallX = glm::vec3(tunnelWallMatrix() * glm::vec4(1, 0, 0, 0));
    EXPECT_NEAR(wallX.z, -400.0f, 1e-3f);
    EXPECT_NEAR(wallX.x, 0.0f, 1e-3f);
    EXPECT_EQ(glm::vec3(tunnelWallMatrix()[3]), glm::vec3(400.0f, 0.0f, 3000.0f));

    // The screen, flat in x and z when built, stands upright facing along z.
    const glm::vec3 screenNormal = glm::vec3(sequencePlaneMatrix() * glm::vec4(0, 1, 0, 0));
    EXPECT_NEAR(screenNormal.z, 1.0f, 1e-6f);
    EXPECT_NEAR(glm::vec3(sequencePlaneMatrix() * glm::vec4(0, 0, 1, 0)).y, -1.0f, 1e-6f);
    EXPECT_EQ(glm::vec3(sequencePlaneMatrix()[3]), glm::vec3(-100.0f, 560.0f, 3950.0f));
}

}  // namespace
