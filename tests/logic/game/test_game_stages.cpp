#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "game/game_stages.h"
#include "game/key_codes.h"
#include "game/small_stones.h"
#include "game/physics.h"
#include "game/pickup_world.h"

namespace {

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
    long count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }
};

// Each test has its own physics scene holding the pickups, released with it.
struct Stage : ::testing::Test {
    PhysicsFoundation* foundation = createPhysicsFoundation();
    PhysicsSdk* sdk = createPhysicsSdk(foundation);
    PhysicsScene* scene = createPhysicsScene(sdk);
    std::ostringstream quiet;
    GameWorld world = makeGameWorld(generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX,
                                                                level::SmallStoneMaxZ, level::SmallStoneMinZ, quiet));
    glm::vec3 camera = level::cameraStart;
    ScriptedKeys keys;
    Recorder recorder;

    Stage() { createPickupActors(*scene); }
    ~Stage() override {
        releasePhysicsScene(scene);
        releasePhysicsSdk(sdk);
        releasePhysicsFoundation(foundation);
    }
    void frame(float deltaTime = 1.0f / 60.0f) {
        recorder.calls.clear();
        advanceGameTimers(world, deltaTime);
        runSceneStage(world, keys, deltaTime, camera, *scene, recorder);
    }
};

TEST_F(Stage, DrawsEveryObjectOnceInTheFixedOrderAndTheFilmChangesBeforeTheScreen) {
    frame(0.25f);
    // Each object's word, numbered from 0 when it comes `count` times.
    const std::pair<std::string, int> order[] = {{"pickup", 18}, {"film:../assets/frames/frame2.jpg", 0},
                                                 {"screen", 0},  {"trunk", 16},
                                                 {"wall", 0},    {"large", 5},
                                                 {"small", 35},  {"crate", 0}};
    std::vector<std::string> expected;
    for (const auto& [word, count] : order)
        for (int i = 0; i < std::max(count, 1); ++i) expected.push_back(count ? word + std::to_string(i) : word);
    EXPECT_EQ(recorder.calls, expected);
    // Each pickup is drawn at its body's pose, the layout point in creation
    // order: hearts turned and scaled, carrots only scaled.
    for (std::size_t i = 0; i < recorder.pickupModels.size(); ++i) {
        const glm::mat4 pose = glm::translate(glm::mat4(1.0f), level::pickupLayout[i].position);
        const bool heart = level::pickupLayout[i].kind == PickupKind::Heart;
        EXPECT_EQ(recorder.pickupModels[i], heart ? heartMatrix(pose) : carrotMatrix(pose)) << "pickup " << i;
    }
    // The timers ran on the frame's time first; the film's restarted with its change.
    EXPECT_EQ(world.motion.jumpTimer, 0.25f);
    EXPECT_NEAR(world.state.timeLeft, 59.75f, 0.02f);
    EXPECT_EQ(world.film.frameTimer, 0.0f);
}

TEST_F(Stage, TakenCarrotsAndHitTrunksAreNoLongerDrawnButStayInTheWorld) {
    world.rabbitPosition = level::pickupLayout[7].position + glm::vec3(0.0f, 5.0f, 0.0f);
    frame();
    EXPECT_TRUE(world.pickups[7].taken);
    EXPECT_EQ(recorder.count("pickup7"), 0);
    frame();
    EXPECT_EQ(recorder.count("pickup7"), 0);
    EXPECT_EQ(recorder.count("pickup8"), 1);
    EXPECT_EQ(readPickupPositions(*scene).size(), 18u);
    // A hit trunk vanishes and keeps rolling; the last two never hit. Here is
    // where trunk 0 will be after the next frame's move.
    world.rabbitPosition = world.trunks[0].position + glm::vec3(0.0f, 0.0f, 60.0f);
    frame();
    ASSERT_TRUE(world.trunks[0].hit);
    EXPECT_EQ(world.state.lives, 2.0f);
    EXPECT_EQ(recorder.count("trunk0"), 0);
    const float z = world.trunks[0].position.z;
    // The last two trunks are never tested (nor drawn).
    for (const std::size_t last : {16u, 17u}) {
        world.rabbitPosition = world.trunks[last].position;
        frame();
        EXPECT_EQ(world.state.lives, 2.0f) << last;
    }
    EXPECT_GT(world.trunks[0].position.z, z);
}

TEST_F(Stage, TheLastSmallStoneMeetsTheRabbitWhereThisFramesJumpLeftItAndTheFirstLargeStoneNextFramePays) {
    // Out of the last small stone's reach before the jump's first step, within it after.
    world.rabbitPosition = smallStonePoint(world.smallStonePositions[34]) + glm::vec3(0.0f, 11.0f, -100.0f);
    world.motion.jumpTimer = 2.0f;
    keys.held = {keys::Space};
    frame();
    EXPECT_TRUE(world.motion.bumpPending);
    // Back on the grass out of every stone's reach: only the push-back moves it.
    world.motion.jumping = false;
    world.rabbitPosition.x += 500.0f;
    world.rabbitPosition.y = 15.0f;
    const float z = world.rabbitPosition.z;
    frame();
    EXPECT_EQ(world.rabbitPosition.z, z + 10.0f);
    EXPECT_FALSE(world.motion.bumpPending);
}

}  // namespace
