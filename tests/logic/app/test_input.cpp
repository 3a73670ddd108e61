#include <gtest/gtest.h>

#include <set>

#include "app/input.h"
#include "game/game_world.h"
#include "game/key_codes.h"
#include "game/rabbit_walk.h"

namespace {

struct Keyboard : ::testing::Test {
    Camera camera;
    RenderToggles toggles;
    InputState input;
    GameWorld world;
    ScriptedKeys keys;

    // The keyboard stage: the game's walk, then the display's own keys.
    bool frame(std::set<int> held) {
        keys.held = std::move(held);
        walkRabbit(keys, 1.0f / 60.0f, camera, world);
        return processToggleKeys(keys, toggles, input);
    }
};

TEST_F(Keyboard, FunctionKeysToggleOnThePressWithTheirLinesAndDigitsFlipInEveryHeldFrameSilently) {
    testing::internal::CaptureStdout();
    // Digit 1 is held in 21 frames around a release and flips in each; on the press only it would flip twice.
    for (int i = 0; i < 20; ++i) frame({keys::F3, keys::Digit1});
    frame({});
    frame({keys::F10, keys::F6, keys::F2, keys::F8, keys::F5, keys::F4, keys::F3, keys::Digit1, keys::Digit2,
           keys::Digit3, keys::Digit4, keys::Digit5});
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Wire frame toggled to: 1\n"
              "Wire frame toggled to: 0\n"
              "HUD toggled to: 0\n"
              "CEL shading toggled to 1\n"
              "Frustrum culling toggled\n"
              "Show FPS toggled to: 0\n"
              "Lightmaps toggled to 0\n"
              "NormalMap toggled to 0\n");
    EXPECT_FALSE(toggles.showGround || toggles.showRabbit || toggles.showBrickWall || toggles.showStarInstances ||
                 toggles.showGlowStars);
    EXPECT_EQ(toggles.farPlane, -1530494976);
    frame({});
    frame({keys::F8});
    EXPECT_EQ(toggles.farPlane, 10000);
    // Any other value goes back to the near one.
    toggles.farPlane = 42;
    frame({});
    frame({keys::F8});
    EXPECT_EQ(toggles.farPlane, 10000);
}

// The walk test holds W+A and the simulator's script check W+D; of opposite keys the later wins.
TEST_F(Keyboard, FacingFollowsTheHeldKeys) {
    const float pi = 3.1415927f;
    const std::pair<std::set<int>, float> cases[] = {
        {{keys::S, keys::A}, -pi / 4.0f},
        {{}, pi},
        {{keys::W, keys::S}, 0.0f},
        {{keys::A, keys::D}, pi / 2.0f},
    };
    for (const auto& c : cases) {
        frame(c.first);
        EXPECT_NEAR(world.rabbitFacing, c.second, 1e-6f) << "keys held: " << c.first.size();
    }
}

TEST_F(Keyboard, TheRabbitWalksTheWorldAxesAndATurnedCameraItsOwnUntilTheEnd) {
    camera.yaw = 0.0f;
    camera.updateAxes();
    const glm::vec3 eye = camera.position;
    frame({keys::W, keys::A});
    EXPECT_NEAR(camera.position.x - eye.x, 3.5f, 1e-3f);
    EXPECT_NEAR(camera.position.z - eye.z, -3.5f, 1e-3f);
    // After the end nothing walks or turns, but Escape and the toggles still work.
    world.gameEnded = true;
    const glm::vec3 rabbit = world.rabbitPosition, moved = camera.position;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(frame({keys::W, keys::D, keys::Escape, keys::F4}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "HUD toggled to: 0\n");
    EXPECT_EQ(world.rabbitPosition, rabbit);
    EXPECT_EQ(camera.position, moved);
    EXPECT_NEAR(world.rabbitFacing, -3.0f * 3.1415927f / 4.0f, 1e-6f);
    EXPECT_FALSE(frame({keys::W}));
}

}  // namespace
