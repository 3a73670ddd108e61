#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>
#include <string>

#include "app/input.h"
#include "game/game_world.h"
#include "game/key_codes.h"
#include "game/rabbit_walk.h"

namespace {

constexpr float Frame60 = 1.0f / 60.0f;

// Collects what the keyboard stage prints.
class CapturedOutput {
public:
    CapturedOutput() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CapturedOutput() { std::cout.rdbuf(previous_); }
    std::string text() const { return buffer_.str(); }

private:
    std::ostringstream buffer_;
    std::streambuf* previous_;
};

struct Keyboard : ::testing::Test {
    Camera camera;
    RenderToggles toggles;
    InputState input;
    GameWorld world;
    ScriptedKeys keys;

    bool frame(std::set<int> held, float deltaTime = Frame60) {
        keys.held = std::move(held);
        // The keyboard stage: the game's walk, then the display's own keys.
        walkRabbit(keys, deltaTime, camera, world);
        return processToggleKeys(keys, toggles, input);
    }
};

TEST_F(Keyboard, AHeldFunctionKeyTogglesOnceAndPrintsOneLine) {
    CapturedOutput out;
    for (int i = 0; i < 20; ++i) frame({keys::F3});
    EXPECT_TRUE(toggles.wireframe);
    EXPECT_EQ(out.text(), "Wire frame toggled to: 1\n");
    frame({});
    frame({keys::F3});
    EXPECT_FALSE(toggles.wireframe);
    EXPECT_EQ(out.text(), "Wire frame toggled to: 1\nWire frame toggled to: 0\n");
}

TEST_F(Keyboard, EveryFunctionKeyPrintsItsLineInToggleOrder) {
    CapturedOutput out;
    frame({keys::F10, keys::F6, keys::F2, keys::F8, keys::F5, keys::F4, keys::F3});
    EXPECT_EQ(out.text(),
              "Wire frame toggled to: 1\n"
              "HUD toggled to: 0\n"
              "CEL shading toggled to 1\n"
              "Frustrum culling toggled\n"
              "Show FPS toggled to: 0\n"
              "Lightmaps toggled to 0\n"
              "NormalMap toggled to 0\n");
    EXPECT_FALSE(toggles.showHud);
    EXPECT_TRUE(toggles.celShading);
    EXPECT_FALSE(toggles.showFps);
    EXPECT_FALSE(toggles.lightMaps);
    EXPECT_FALSE(toggles.normalMap);
}

TEST_F(Keyboard, FarPlaneAlternatesBetweenItsTwoValues) {
    CapturedOutput out;
    frame({keys::F8});
    EXPECT_EQ(toggles.farPlane, -1530494976);
    frame({});
    frame({keys::F8});
    EXPECT_EQ(toggles.farPlane, 10000);
    EXPECT_EQ(out.text(), "Frustrum culling toggled\nFrustrum culling toggled\n");
    // Any other value goes back to the near one.
    toggles.farPlane = 42;
    frame({});
    frame({keys::F8});
    EXPECT_EQ(toggles.farPlane, 10000);
}

TEST_F(Keyboard, DigitKeysFlipInEveryHeldFrameSilently) {
    CapturedOutput out;
    for (int i = 0; i < 10; ++i) frame({keys::Digit1});
    EXPECT_TRUE(toggles.showGround);
    frame({keys::Digit1});
    EXPECT_FALSE(toggles.showGround);
    frame({keys::Digit2, keys::Digit3, keys::Digit4, keys::Digit5});
    EXPECT_FALSE(toggles.showRabbit);
    EXPECT_FALSE(toggles.showBrickWall);
    EXPECT_FALSE(toggles.showStarInstances);
    EXPECT_FALSE(toggles.showGlowStars);
    EXPECT_EQ(out.text(), "");
}

TEST_F(Keyboard, FacingFollowsTheHeldKeys) {
    const float pi = 3.1415927f;
    struct Case {
        std::set<int> held;
        float facing;
    };
    const Case cases[] = {
        {{keys::W}, pi},
        {{keys::S}, 0.0f},
        {{keys::A}, -pi / 2.0f},
        {{keys::D}, pi / 2.0f},
        {{keys::W, keys::D}, 3.0f * pi / 4.0f},
        {{keys::S, keys::A}, -pi / 4.0f},
        {{}, pi},
        {{keys::W, keys::S}, 0.0f},
        {{keys::A, keys::D}, pi / 2.0f},
    };
    for (const Case& c : cases) {
        frame(c.held);
        EXPECT_NEAR(world.rabbitFacing, c.facing, 1e-6f) << "keys held: " << c.held.size();
    }
}

TEST_F(Keyboard, RabbitWalksTheWorldAxesAndTheCameraItsOwn) {
    frame({keys::W, keys::D});
    EXPECT_NEAR(world.rabbitPosition.z, 7400.0f - 3.5f, 1e-3f);
    EXPECT_NEAR(world.rabbitPosition.x, -100.0f + 3.5f, 1e-3f);
    EXPECT_FLOAT_EQ(world.rabbitPosition.y, 15.0f);
    // Free camera untouched: it follows at a fixed offset.
    EXPECT_NEAR(camera.position.z - world.rabbitPosition.z, 600.0f, 1e-3f);
    EXPECT_NEAR(camera.position.x - world.rabbitPosition.x, 0.0f, 1e-3f);

    // Turned to +x, W moves the camera along +x but the rabbit along -z.
    camera.yaw = 0.0f;
    camera.updateAxes();
    const glm::vec3 cameraBefore = camera.position;
    frame({keys::W});
    EXPECT_NEAR(camera.position.x - cameraBefore.x, 3.5f, 1e-3f);
    EXPECT_NEAR(world.rabbitPosition.z, 7400.0f - 7.0f, 1e-3f);
}

TEST_F(Keyboard, OppositeKeysCancelOut) {
    const glm::vec3 rabbit = world.rabbitPosition;
    const glm::vec3 eye = camera.position;
    frame({keys::W, keys::S, keys::A, keys::D});
    EXPECT_NEAR(glm::length(world.rabbitPosition - rabbit), 0.0f, 1e-3f);
    EXPECT_NEAR(glm::length(camera.position - eye), 0.0f, 1e-3f);
}

TEST_F(Keyboard, AfterTheEndNothingWalksButEscapeAndTogglesStillWork) {
    frame({keys::A});
    world.gameEnded = true;
    const glm::vec3 rabbit = world.rabbitPosition;
    const glm::vec3 eye = camera.position;
    CapturedOutput out;
    EXPECT_TRUE(frame({keys::W, keys::D, keys::Escape, keys::F4}));
    EXPECT_EQ(world.rabbitPosition, rabbit);
    EXPECT_EQ(camera.position, eye);
    EXPECT_NEAR(world.rabbitFacing, -3.1415927f / 2.0f, 1e-6f);
    EXPECT_EQ(out.text(), "HUD toggled to: 0\n");
    EXPECT_FALSE(frame({keys::W}));
}

TEST_F(Keyboard, ALongFrameMovesWithoutLimit) {
    frame({keys::S}, 2.0f);
    EXPECT_NEAR(world.rabbitPosition.z, 7400.0f + 420.0f, 1e-2f);
    EXPECT_NEAR(camera.position.z, 8000.0f + 420.0f, 1e-2f);
}

}  // namespace
