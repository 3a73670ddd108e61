#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "game/game_stages.h"
#include "game/key_codes.h"
#include "game/small_stones.h"
#include "physics_world_fixture.h"

namespace {

constexpr float Frame60 = 1.0f / 60.0f;

// Records the draw calls in order, one word each.
class Recorder : public SceneVisitor {
public:
    std::vector<std::string> calls;
    std::vector<glm::mat4> pickupModels;
    void drawPickup(int index, PickupKind, const glm::mat4& model) override {
        calls.push_back("pickup" + std::to_string(index));
        pickupModels.push_back(model);
    }
    void changeFilmImage(const std::string& path) override { calls.push_back("film:" + path); }
    void drawScreen(const glm::mat4&) override { calls.push_back("screen"); }
    void drawTrunk(int index, const glm::mat4&) override { calls.push_back("trunk" + std::to_string(index)); }
    void drawTunnelWall(const glm::mat4&) override { calls.push_back("wall"); }
    void drawLargeStone(int index, const glm::mat4&) override { calls.push_back("large" + std::to_string(index)); }
    void drawSmallStone(int index, const glm::mat4&) override { calls.push_back("small" + std::to_string(index)); }
    void drawCrate(const glm::mat4&) override { calls.push_back("crate"); }
};

GameWorld freshWorld() {
    std::ostringstream quiet;
    return makeGameWorld(generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX,
                                                     level::SmallStoneMaxZ, level::SmallStoneMinZ, quiet));
}

struct Stage : ::testing::Test {
    PickupScene physics;
    GameWorld world = freshWorld();
    glm::vec3 camera{-100.0f, 200.0f, 8000.0f};
    ScriptedKeys keys;
    Recorder recorder;

    void frame(float deltaTime = Frame60) {
        advanceGameTimers(world, deltaTime);
        runSceneStage(world, keys, deltaTime, camera, *physics.scene, recorder);
    }
};

TEST_F(Stage, DrawsEveryObjectOnceInTheFixedOrder) {
    frame();
    std::vector<std::string> expected;
    for (int i = 0; i < 18; ++i) expected.push_back("pickup" + std::to_string(i));
    expected.push_back("screen");
    for (int i = 0; i < 16; ++i) expected.push_back("trunk" + std::to_string(i));
    expected.push_back("wall");
    for (int i = 0; i < 5; ++i) expected.push_back("large" + std::to_string(i));
    for (int i = 0; i < 35; ++i) expected.push_back("small" + std::to_string(i));
    expected.push_back("crate");
    EXPECT_EQ(recorder.calls, expected);
    // Hearts are turned and scaled, carrots only scaled, both at their layout point.
    EXPECT_EQ(recorder.pickupModels[0], heartMatrix(glm::translate(glm::mat4(1.0f), level::pickupLayout[0].position)));
    EXPECT_EQ(recorder.pickupModels[2], carrotMatrix(glm::translate(glm::mat4(1.0f), level::pickupLayout[2].position)));
}

TEST_F(Stage, TheFilmChangesBeforeTheScreenIsDrawn) {
    std::string path;
    // The first change loads image 2.
    for (int i = 0; i < 10 && path.empty(); ++i) {
        recorder.calls.clear();
        frame();
        for (const auto& call : recorder.calls) {
            if (call.rfind("film:", 0) == 0) path = call;
        }
    }
    EXPECT_EQ(path, "film:../assets/frames/frame2.jpg");
    const auto film = std::find(recorder.calls.begin(), recorder.calls.end(), "film:../assets/frames/frame2.jpg");
    ASSERT_NE(film, recorder.calls.end());
    EXPECT_EQ(*(film + 1), "screen");
}

TEST_F(Stage, ATakenCarrotIsNoLongerDrawnButStaysInTheScene) {
    world.rabbitPosition = level::pickupLayout[7].position + glm::vec3(0.0f, 5.0f, 0.0f);
    frame();
    EXPECT_TRUE(world.pickups[7].taken);
    EXPECT_FLOAT_EQ(world.state.carrotsCollected, 1.0f);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "pickup7"), 0);
    EXPECT_EQ(readPickupPositions(*physics.scene).size(), 18u);
    recorder.calls.clear();
    frame();
    EXPECT_FLOAT_EQ(world.state.carrotsCollected, 1.0f);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "pickup7"), 0);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "pickup8"), 1);
}

TEST_F(Stage, TrunksSixteenAndSeventeenMoveButNeverHitNorShow) {
    const glm::vec3 start16 = world.trunks[16].position;
    world.rabbitPosition = world.trunks[16].position;
    frame();
    EXPECT_FLOAT_EQ(world.state.lives, 3.0f);
    EXPECT_GT(world.trunks[16].position.z, start16.z);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "trunk16"), 0);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "trunk17"), 0);
}

TEST_F(Stage, AHitTrunkVanishesAndKeepsRolling) {
    // Where trunk 0 will be after this frame's move.
    world.rabbitPosition = world.trunks[0].position + glm::vec3(0.0f, 0.0f, 60.0f);
    frame();
    ASSERT_TRUE(world.trunks[0].hit);
    EXPECT_FLOAT_EQ(world.state.lives, 2.0f);
    EXPECT_TRUE(world.state.lostLifeMessage);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "trunk0"), 0);
    const float z = world.trunks[0].position.z;
    world.rabbitPosition = glm::vec3(-100.0f, 15.0f, 7400.0f);
    frame();
    EXPECT_GT(world.trunks[0].position.z, z);
    EXPECT_FLOAT_EQ(world.state.lives, 2.0f);
}

TEST_F(Stage, TheRabbitIsTestedWhereTheEarlierStepsOfTheFrameLeftIt) {
    // Jumping up and forward moves the rabbit before the trunk test of the same frame.
    world.motion.jumpTimer = 2.0f;
    keys.held = {keys::Space};
    const glm::vec3 before = world.rabbitPosition;
    frame();
    EXPECT_NEAR(world.rabbitPosition.y, before.y + 5.0f, 1e-4f);
    EXPECT_NEAR(world.rabbitPosition.z, before.z + 2.5f, 1e-3f);
}

TEST_F(Stage, APushBackOwedByTheLastSmallStoneIsPaidAtTheFirstLargeStoneNextFrame) {
    const glm::vec3 lastStone = smallStonePoint(world.smallStonePositions[34]);
    world.rabbitPosition = lastStone + glm::vec3(0.0f, 11.0f, 0.0f);
    frame();
    EXPECT_TRUE(world.motion.bumpPending);
    const float z = world.rabbitPosition.z;
    world.rabbitPosition.x += 500.0f;
    frame();
    EXPECT_FLOAT_EQ(world.rabbitPosition.z, z + 10.0f);
    EXPECT_FALSE(world.motion.bumpPending);
}

TEST_F(Stage, TimersAdvanceWithTheFrameTime) {
    frame(0.25f);
    EXPECT_FLOAT_EQ(world.motion.jumpTimer, 0.25f);
    EXPECT_NEAR(world.state.timeLeft, 59.75f, 0.02f);
    // 0.25 s is past 0.1: the film changed and its timer restarted.
    EXPECT_EQ(world.film.frameNumber, 3);
    EXPECT_EQ(world.film.frameTimer, 0.0f);
}

}  // namespace
