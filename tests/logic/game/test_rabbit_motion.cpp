#include <gtest/gtest.h>

#include "game/key_codes.h"
#include "game/level_layout.h"
#include "game/rabbit_motion.h"

namespace {

constexpr float Frame60 = 1.0f / 60.0f;

struct Walker {
    RabbitMotion motion;
    glm::vec3 rabbit = level::rabbitStart;
    glm::vec3 camera = level::cameraStart;
    ScriptedKeys keys;

    void bump(const ObstacleKind& kind, const glm::vec3& point, float lives = 3.0f) {
        bumpObstacle(motion, kind, point, lives, Frame60, rabbit, camera);
    }
    void jumpFrame() {
        advanceJumpTimer(motion, Frame60);
        updateJump(motion, keys, Frame60, rabbit);
    }
};

const glm::vec3 FarAway(5000.0f);

TEST(Jump, HeldSpaceJumpsOnceASecondPastTheTopAndComesToRestOnTheSlopeItLeft) {
    Walker w;
    w.keys.held = {keys::Space};
    int starts = 0;
    float top = w.rabbit.y;
    for (int frame = 0; frame < 60 * 5; ++frame) {
        w.jumpFrame();
        // The timer was advanced first: only a start leaves it at 0.
        if (w.motion.jumpTimer == 0.0f) ++starts;
        top = std::max(top, w.rabbit.y);
    }
    EXPECT_EQ(starts, 4);
    EXPECT_GE(top, 120.0f);
    EXPECT_LT(top, 125.1f);
    // The last jump has landed; no frame after it moves the rabbit again.
    w.keys.held.clear();
    const glm::vec3 landed = w.rabbit;
    for (int frame = 0; frame < 120; ++frame) w.jumpFrame();
    EXPECT_EQ(w.rabbit, landed);
    EXPECT_GT(w.rabbit.y, 15.0f);
    EXPECT_LE(w.rabbit.y, 20.0f);
    // Up and down along the same slope: z back where it was, up to rounding.
    EXPECT_NEAR(w.rabbit.z, level::rabbitStart.z + (w.rabbit.y - 15.0f) * 0.5f, 0.01f);
}

TEST(SideEdges, PushBackInsideAndSlideAlongWhileTheKeyIsHeld) {
    Walker w;
    // One frame of D's own walk (3.5) past the right edge.
    w.camera.x = 255.0f;
    w.rabbit.x = 255.0f + Frame60 * motion::WalkSpeed;
    w.keys.held = {keys::D};
    enforceSideEdges(w.keys, Frame60, w.rabbit, w.camera);
    EXPECT_NEAR(w.rabbit.x, 255.0f - 1.5f, 1e-3f);
    EXPECT_NEAR(w.camera.x, 250.0f, 1e-3f);
    EXPECT_NEAR(w.rabbit.z, 7400.0f + 2.5f, 1e-3f);
    EXPECT_NEAR(w.camera.z, 8000.0f + 2.5f, 1e-3f);

    w = Walker();
    w.rabbit.x = -490.0f;
    enforceSideEdges(w.keys, Frame60, w.rabbit, w.camera);
    EXPECT_EQ(w.rabbit, glm::vec3(-485.0f, 15.0f, 7400.0f));
    w.rabbit.x = -490.0f;
    w.keys.held = {keys::A};
    enforceSideEdges(w.keys, Frame60, w.rabbit, w.camera);
    EXPECT_NEAR(w.rabbit.z, 7400.0f - 2.5f, 1e-3f);
    // Inside the meadow nothing happens, right up to either edge.
    for (const float x : {-486.0f, -400.0f, -243.0f, -120.0f, 0.0f, 249.0f}) {
        const glm::vec3 before = w.rabbit = glm::vec3(x, 15.0f, 100.0f);
        enforceSideEdges(w.keys, Frame60, w.rabbit, w.camera);
        EXPECT_EQ(w.rabbit, before) << x;
    }
}

TEST(Obstacles, ThePushBackOwedByOneObjectIsPaidByTheNextBeforeAnyBoostAndOnlySmallStonesNeedLives) {
    Walker w;
    w.rabbit = largeStonePoint(0) + glm::vec3(0.0f, 5.0f, 100.0f);
    w.bump(largeStoneObstacle(), largeStonePoint(0), 0.0f);
    EXPECT_TRUE(w.motion.bumpPending);
    // A jump now still pays the push-back first; the boost waits for the next object.
    w.motion.jumping = true;
    w.bump(largeStoneObstacle(), largeStonePoint(1));
    EXPECT_FALSE(w.motion.bumpPending);
    EXPECT_EQ(w.rabbit, largeStonePoint(0) + glm::vec3(0.0f, 5.0f, 110.0f));
    // Without lives a small stone does not stop the rabbit, so its boost comes: up 120, on 80, the camera 140.
    w.bump(smallStoneObstacle(), w.rabbit, 0.0f);
    EXPECT_FALSE(w.motion.boostArmed);
    EXPECT_EQ(w.rabbit, largeStonePoint(0) + glm::vec3(0.0f, 125.0f, 30.0f));
    EXPECT_EQ(w.camera, glm::vec3(-100.0f, 200.0f, 7870.0f));
    // Armed but not jumping: nothing more (a large stone's boost is the win route's).
    w.motion = {false, 0.0f, false, true};
    w.bump(largeStoneObstacle(), FarAway);
    EXPECT_EQ(w.rabbit.z, 3980.0f);
    w.bump(smallStoneObstacle(), w.rabbit, 1.0f);
    EXPECT_TRUE(w.motion.bumpPending);
}

TEST(Obstacles, TheCratePushesEveryFrameArmsTheBoostAndLeavesTheOwedPushBackAlone) {
    Walker w;
    w.rabbit = level::woodenCrate + glm::vec3(0.0f, -25.0f, 20.0f);
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_TRUE(w.motion.boostArmed);
    EXPECT_FALSE(w.motion.bumpPending);
    EXPECT_FLOAT_EQ(w.rabbit.z, -820.0f);
    w.motion.bumpPending = true;
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_FLOAT_EQ(w.rabbit.z, -810.0f);
    EXPECT_TRUE(w.motion.bumpPending);
    // A jump inside it is pushed and boosted in the same frame, like a small stone's.
    w.motion.jumping = true;
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_EQ(w.rabbit, glm::vec3(0.0f, 135.0f, -880.0f));
    EXPECT_FLOAT_EQ(w.camera.z, 8000.0f + 30.0f - 140.0f);
    EXPECT_FALSE(w.motion.boostArmed);
}

TEST(Obstacles, TheCrateStopsAWalkAtItsRadiusAtEveryFrameRate) {
    for (const float fps : {10.0f, 20.0f, 30.0f, 45.0f, 60.0f, 90.0f, 144.0f, 240.0f, 500.0f}) {
        Walker w;
        w.rabbit = level::woodenCrate + glm::vec3(0.0f, -20.0f, 300.0f);
        const float walk = motion::WalkSpeed / fps;
        float nearest = 1e9f;
        for (int frame = 0; frame < static_cast<int>(6.0f * fps); ++frame) {
            w.rabbit.z -= walk;
            bumpCrate(w.motion, 1.0f / fps, w.rabbit, w.camera);
            nearest = std::min(nearest, glm::distance(w.rabbit, level::woodenCrate));
        }
        EXPECT_GT(nearest, 55.0f - walk - 0.01f) << fps;
        EXPECT_LT(glm::distance(w.rabbit, level::woodenCrate), 55.0f + 600.0f / fps + 0.01f) << fps;
    }
}

}  // namespace
