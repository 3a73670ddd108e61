#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "frame/hud_layout.h"
#include "game/game_stages.h"

namespace {

constexpr float Frame60 = 1.0f / 60.0f;

// The HUD stage as the frame runs it: the end decision, then the lines.
struct HudFrame {
    EndDecision end = EndDecision::None;
    std::vector<HudLine> lines;
};

HudFrame layoutHud(GameWorld& world, float deltaTime, int width, int height, bool showFps, bool showHud) {
    HudFrame frame;
    frame.end = decideEnd(world, showHud);
    frame.lines = layoutHud(world.state, frame.end, deltaTime, width, height, showFps, showHud);
    return frame;
}

std::vector<std::string> texts(const HudFrame& frame) {
    std::vector<std::string> out;
    for (const HudLine& line : frame.lines) out.push_back(line.text);
    return out;
}

const HudLine* find(const HudFrame& frame, const std::string& prefix) {
    for (const HudLine& line : frame.lines) {
        if (line.text.rfind(prefix, 0) == 0) return &line;
    }
    return nullptr;
}

HudFrame layout(GameWorld& world, float deltaTime = Frame60, bool showFps = true, bool showHud = true) {
    return layoutHud(world, deltaTime, 1024, 768, showFps, showHud);
}

TEST(HudLayout, StartOfTheGameShowsTheStatusLinesTopToBottom) {
    GameWorld world;
    const HudFrame frame = layout(world, 0.02f);
    EXPECT_EQ(frame.end, EndDecision::None);
    EXPECT_EQ(texts(frame), (std::vector<std::string>{"FPS: 50", "Lives: 3", "Time: 60", "Items: 0",
                                                      "Only 8 items left to collect."}));
    EXPECT_FALSE(world.gameEnded);
    // Lives, time and items down the left edge, 30 pixels apart; the rate top right.
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_FLOAT_EQ(frame.lines[i].x, 10.0f) << frame.lines[i].text;
        EXPECT_FLOAT_EQ(frame.lines[i].y, 698.0f - 30.0f * i) << frame.lines[i].text;
    }
    EXPECT_FLOAT_EQ(frame.lines[0].x, 924.0f);
    EXPECT_FLOAT_EQ(frame.lines[0].y, 668.0f);
}

TEST(HudLayout, OddWindowSizesUseIntegerHalvesAndThirds) {
    GameWorld world;
    world.state.timeLeft = 5.0f;
    world.state.lives = 0.0f;
    const HudFrame frame = layoutHud(world, Frame60, 1023, 767, true, true);
    ASSERT_EQ(frame.end, EndDecision::Lose);
    const HudLine* end = find(frame, "Game Over");
    ASSERT_NE(end, nullptr);
    EXPECT_FLOAT_EQ(end->x, 511.0f);
    EXPECT_FLOAT_EQ(end->y, 383.0f);
    EXPECT_EQ(end->colour, glm::vec3(0.0f, 0.0f, 0.1f));
    const HudLine* left = find(frame, "Only ");
    ASSERT_NE(left, nullptr);
    EXPECT_FLOAT_EQ(left->x, 361.0f);
    EXPECT_FLOAT_EQ(left->y, 53.0f);
    world.state.lives = 1.0f;
    world.state.timeLeft = 5.0f;
    const HudFrame later = layoutHud(world, Frame60, 1023, 767, true, true);
    const HudLine* hurry = find(later, "Hurry");
    ASSERT_NE(hurry, nullptr);
    EXPECT_FLOAT_EQ(hurry->x, static_cast<float>(341 * 0.95));
    EXPECT_FLOAT_EQ(hurry->y, static_cast<float>(255 * 2.2));
}

TEST(HudNumbers, AreTruncatedTowardZeroWithASignWhenNegative) {
    GameWorld world;
    world.state.timeLeft = 9.7f;
    world.state.carrotsCollected = 9.0f;
    world.state.lives = 2.0f;
    world.state.timeUpLatch = true;
    const HudFrame frame = layout(world);
    EXPECT_EQ(find(frame, "Time: ")->text, "Time: 9");
    EXPECT_EQ(find(frame, "Hurry")->text, "Hurry up! Only 9 seconds left.");
    EXPECT_EQ(find(frame, "Only ")->text, "Only -1 items left to collect.");
    EXPECT_EQ(find(frame, "Items: ")->text, "Items: 9");
    EXPECT_EQ(hudNumber(-0.9f), 0);
    EXPECT_EQ(hudNumber(-5.5f), -5);
}

TEST(HudNumbers, EveryFloatConvertsToADefinedInt) {
    EXPECT_EQ(hudNumber(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(hudNumber(std::numeric_limits<float>::infinity()), INT_MAX);
    EXPECT_EQ(hudNumber(-std::numeric_limits<float>::infinity()), INT_MIN);
    EXPECT_EQ(hudNumber(3.0e9f), INT_MAX);
    EXPECT_EQ(hudNumber(-3.0e9f), INT_MIN);
    EXPECT_EQ(hudNumber(2147483520.0f), 2147483520);
    EXPECT_EQ(hudNumber(-2147483648.0f), INT_MIN);
}

TEST(FramesPerSecond, IsTheIntegerPartOfOneOverTheFrameTime) {
    EXPECT_EQ(framesPerSecond(0.008333f), 120);
    EXPECT_EQ(framesPerSecond(0.3f), 3);
    EXPECT_EQ(framesPerSecond(2.5f), 0);
    GameWorld world;
    EXPECT_EQ(layout(world, 0.008333f).lines.front().text, "FPS: 120");
    EXPECT_EQ(layout(world, 0.3f).lines.front().text, "FPS: 3");
}

TEST(FramesPerSecond, AFrameTooShortToMeasureHasADefinedFigure) {
    // The float clock did not advance: no rate is known, shown as 0.
    EXPECT_EQ(framesPerSecond(0.0f), 0);
    // Far beyond any int: the largest one.
    EXPECT_EQ(framesPerSecond(1.0e-12f), INT_MAX);
    EXPECT_EQ(framesPerSecond(std::numeric_limits<float>::denorm_min()), INT_MAX);
    GameWorld world;
    EXPECT_EQ(layout(world, 0.0f).lines.front().text, "FPS: 0");
}

TEST(HudLayout, WithTheHudOffNothingShowsButTheEndIsStillDecided) {
    GameWorld world;
    world.state.lives = 0.0f;
    world.state.timeLeft = 30.0f;
    const HudFrame frame = layout(world, Frame60, true, false);
    EXPECT_TRUE(frame.lines.empty());
    EXPECT_EQ(frame.end, EndDecision::Lose);
    EXPECT_TRUE(world.gameEnded);
    EXPECT_EQ(world.state.timeLeft, 0.0f);
}

TEST(HudLayout, TheHurryLineLatchesATimedOutGameAsLost) {
    GameWorld world;
    world.state.carrotsCollected = 7.0f;
    world.state.timeLeft = 0.99f;
    HudFrame frame = layout(world);
    ASSERT_EQ(frame.end, EndDecision::Lose);
    EXPECT_EQ(find(frame, "Hurry")->text, "Hurry up! Only 0 seconds left.");
    EXPECT_EQ(find(frame, "Time: ")->text, "Time: 0");
    EXPECT_TRUE(world.state.timeUpLatch);
    // A carrot taken afterwards does not turn the loss into anything else.
    world.state.carrotsCollected = 8.0f;
    frame = layout(world);
    EXPECT_EQ(frame.end, EndDecision::Lose);
    EXPECT_NE(find(frame, "Game Over"), nullptr);
}

TEST(HudLayout, WithTheHudOffTheLatchStaysOpen) {
    // The latch belongs to the hurry line, which is not drawn with the HUD off.
    GameWorld world;
    world.state.carrotsCollected = 7.0f;
    world.state.timeLeft = 0.99f;
    ASSERT_EQ(layout(world, Frame60, true, false).end, EndDecision::Lose);
    EXPECT_FALSE(world.state.timeUpLatch);
    world.state.carrotsCollected = 8.0f;
    EXPECT_EQ(layout(world).end, EndDecision::None);
}

TEST(HudLayout, NoHurryLineOnceTheLivesAreGone) {
    GameWorld world;
    world.state.timeLeft = 8.0f;
    world.state.lives = 0.0f;
    const HudFrame frame = layout(world);
    EXPECT_EQ(find(frame, "Hurry"), nullptr);
    EXPECT_NE(find(frame, "Game Over"), nullptr);
    EXPECT_EQ(find(frame, "Time: ")->text, "Time: 0");
    EXPECT_FALSE(world.state.timeUpLatch);
}

TEST(HudLayout, AGainedLifeReplacesTheLostLifeLine) {
    GameWorld world;
    world.state.lives = 4.0f;
    world.state.gainedLifeMessage = true;
    const HudFrame frame = layout(world);
    EXPECT_EQ(find(frame, "Lives: ")->text, "Lives: 4");
    const HudLine* gained = find(frame, "You have received one life!  ");
    ASSERT_NE(gained, nullptr);
    EXPECT_EQ(find(frame, "You have lost"), nullptr);
    // Both life lines sit just left of the centre, the lost one 20 pixels higher.
    EXPECT_FLOAT_EQ(gained->x, 462.0f);
    EXPECT_FLOAT_EQ(gained->y, 634.0f);
    world.state.gainedLifeMessage = false;
    world.state.lostLifeMessage = true;
    const HudFrame later = layout(world);
    const HudLine* lost = find(later, "You have lost one life!  ");
    ASSERT_NE(lost, nullptr);
    EXPECT_FLOAT_EQ(lost->y, 654.0f);
}

}  // namespace
