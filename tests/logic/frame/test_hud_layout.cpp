#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "frame/hud_layout.h"
#include "game/game_stages.h"

namespace {

// The HUD stage as the frame runs it: the end decision, then the lines.
std::vector<HudLine> hud(GameWorld& world, EndDecision& end, bool showHud = true, float deltaTime = 1.0f / 60.0f,
                         int width = 1024, int height = 768) {
    end = decideEnd(world, showHud);
    return layoutHud(world.state, end, deltaTime, width, height, true, showHud);
}

const HudLine* find(const std::vector<HudLine>& lines, const std::string& prefix) {
    for (const HudLine& line : lines) {
        if (line.text.rfind(prefix, 0) == 0) return &line;
    }
    return nullptr;
}

TEST(HudLayout, EveryLineStandsInItsPlaceInAnOddSizedWindow) {
    GameWorld world;
    world.state.timeLeft = 9.7f;
    world.state.carrotsCollected = 9.0f;
    world.state.lives = 2.0f;
    world.state.lostLifeMessage = world.state.gainedLifeMessage = true;
    EndDecision end;
    const std::vector<HudLine> lines = hud(world, end, true, 0.0071f, 1023, 767);
    // Each line as "text | x y centred".
    std::vector<std::string> placed;
    for (const HudLine& l : lines)
        placed.push_back(l.text + " | " + std::to_string(l.x) + " " + std::to_string(l.y) + (l.centred ? " c" : ""));
    ASSERT_EQ(placed, (std::vector<std::string>{
                          "FPS: 140 | 923.000000 667.000000",
                          "Winner | 511.000000 383.000000 c",
                          "Lives: 2 | 10.000000 667.000000",
                          "Time: 9 | 10.000000 637.000000",
                          "Items: 9 | 10.000000 607.000000",
                          "Hurry up! Only 9 seconds left. | 323.950012 561.000000",
                          "You have lost one life!   | 461.000000 653.000000",
                          "You have received one life!   | 461.000000 633.000000",
                          "Only -1 items left to collect. | 361.000000 53.000000",
                      }));
    EXPECT_EQ(lines[1].colour, glm::vec3(0.1f, 0.0f, 0.1f));
}

// The layout test shows numbers truncated. A frame the float clock could not
// measure shows 0; one too short for an int the largest.
TEST(HudNumbers, AFrameRateIsAlwaysAnInt) {
    EXPECT_EQ(framesPerSecond(0.0f), 0);
    EXPECT_EQ(framesPerSecond(1.0e-12f), INT_MAX);
}

TEST(HudLayout, TheHurryLineLatchesATimedOutGameAsLostOnlyWhileTheHudIsOnAndNotWithoutLives) {
    for (const bool showHud : {true, false}) {
        SCOPED_TRACE(showHud);
        GameWorld world;
        world.state.carrotsCollected = 7.0f;
        world.state.timeLeft = 0.99f;
        EndDecision end;
        const std::vector<HudLine> lines = hud(world, end, showHud);
        EXPECT_EQ(end, EndDecision::Lose);
        EXPECT_TRUE(world.gameEnded);
        EXPECT_EQ(world.state.timeUpLatch, showHud);
        if (showHud) {
            EXPECT_EQ(find(lines, "Hurry")->text, "Hurry up! Only 0 seconds left.");
            EXPECT_EQ(find(lines, "Time: ")->text, "Time: 0");
        } else {
            // Nothing is drawn at all, not even the frame rate.
            EXPECT_TRUE(lines.empty());
        }
        // A carrot taken afterwards only turns the loss into a win without the latch.
        world.state.carrotsCollected = 8.0f;
        hud(world, end);
        EXPECT_EQ(end, showHud ? EndDecision::Lose : EndDecision::None);
    }
    // Once the lives are gone there is no hurry line, and so no latch.
    GameWorld world;
    world.state.timeLeft = 8.0f;
    world.state.lives = 0.0f;
    EndDecision end;
    const std::vector<HudLine> lines = hud(world, end);
    EXPECT_EQ(find(lines, "Hurry"), nullptr);
    const HudLine* over = find(lines, "Game Over");
    ASSERT_NE(over, nullptr);
    EXPECT_EQ(over->colour, glm::vec3(0.0f, 0.0f, 0.1f));
    EXPECT_EQ(find(lines, "Time: ")->text, "Time: 0");
    EXPECT_FALSE(world.state.timeUpLatch);
}

}  // namespace
