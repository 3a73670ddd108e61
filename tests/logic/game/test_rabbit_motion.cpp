#include <gtest/gtest.h>

#include "game/key_codes.h"
#include "game/level_layout.h"
#include "game/rabbit_motion.h"

namespace {

constexpr float Frame60 = 1.0f / 60.0f;

struct Walker {
    RabbitMotion motion;
    glm::vec3 rabbit = level::rabbitStart;
    glm::vec3 camera{-100.0f, 200.0f, 8000.0f};
    ScriptedKeys keys;
};

TEST(Jump, RisesPastTheTopAndLandsWhereItStartedInZ) {
    Walker w;
    w.motion.jumpTimer = 1.5f;
    w.keys.held = {keys::Space};
    updateJump(w.motion, w.keys, Frame60, w.rabbit);
    w.keys.held.clear();
    EXPECT_TRUE(w.motion.jumping);
    float top = w.rabbit.y;
    int frames = 1;
    while ((w.motion.jumping || w.rabbit.y > 20.0f) && frames < 1000) {
        advanceJumpTimer(w.motion, Frame60);
        updateJump(w.motion, w.keys, Frame60, w.rabbit);
        top = std::max(top, w.rabbit.y);
        ++frames;
    }
    EXPECT_GE(top, 120.0f);
    EXPECT_LT(top, 125.1f);
    EXPECT_LE(w.rabbit.y, 20.0f);
    // And it stays there: no frame after the landing moves it again.
    const glm::vec3 landed = w.rabbit;
    for (int frame = 0; frame < 120; ++frame) {
        advanceJumpTimer(w.motion, Frame60);
        updateJump(w.motion, w.keys, Frame60, w.rabbit);
    }
    EXPECT_EQ(w.rabbit, landed);
    EXPECT_GT(w.rabbit.y, 15.0f);
    // Up and down along the same slope: z back where it was, up to rounding.
    EXPECT_NEAR(w.rabbit.z, level::rabbitStart.z + (w.rabbit.y - 15.0f) * 0.5f, 0.01f);
    // The camera does not follow a jump.
    EXPECT_EQ(w.camera, glm::vec3(-100.0f, 200.0f, 8000.0f));
}

TEST(Jump, HeldSpaceStartsANewJumpOnlyAfterEachSecond) {
    Walker w;
    w.keys.held = {keys::Space};
    int starts = 0;
    for (int frame = 0; frame < 60 * 5; ++frame) {
        advanceJumpTimer(w.motion, Frame60);
        const float before = w.motion.jumpTimer;
        updateJump(w.motion, w.keys, Frame60, w.rabbit);
        if (w.motion.jumpTimer == 0.0f && before > 0.0f) ++starts;
    }
    // Timer passes 1.0 at frames 61, 122, 183, 244.
    EXPECT_EQ(starts, 4);
}

TEST(SideEdges, HoldingDBeyondTheRightEdgeSlidesAlongIt) {
    Walker w;
    w.rabbit.x = 255.0f;
    w.camera.x = 255.0f;
    w.keys.held = {keys::D};
    // One frame of D's own walk (3.5) as the keyboard stage does it, then the edge.
    const float walk = Frame60 * motion::WalkSpeed;
    w.rabbit.x += walk;
    enforceSideEdges(w.keys, Frame60, w.rabbit, w.camera);
    EXPECT_NEAR(w.rabbit.x, 255.0f - 1.5f, 1e-3f);
    EXPECT_NEAR(w.rabbit.z, 7400.0f + 2.5f, 1e-3f);
    EXPECT_NEAR(w.camera.z, 8000.0f + 2.5f, 1e-3f);
    EXPECT_NEAR(w.camera.x, 250.0f, 1e-3f);
}

TEST(SideEdges, TheLeftEdgePushesBackWithoutAAndSlidesWithIt) {
    Walker w;
    w.rabbit.x = -490.0f;
    enforceSideEdges(w.keys, Frame60, w.rabbit, w.camera);
    EXPECT_FLOAT_EQ(w.rabbit.x, -485.0f);
    EXPECT_FLOAT_EQ(w.rabbit.z, 7400.0f);
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

// The five large stones as the scene stage handles them in one frame.
void largeStonesFrame(Walker& w) {
    for (int i = 0; i < level::LargeStoneCount; ++i) {
        bumpObstacle(w.motion, largeStoneObstacle(), largeStonePoint(i), 3.0f, Frame60, w.rabbit, w.camera);
    }
}

TEST(Obstacles, WalkingIntoALargeStoneStopsAtItsRadiusAndAJumpThrowsItOver) {
    Walker w;
    w.rabbit = glm::vec3(-70.0f, 15.0f, 4300.0f);
    w.camera = glm::vec3(-70.0f, 200.0f, 4900.0f);
    const float walk = Frame60 * motion::WalkSpeed;
    for (int frame = 0; frame < 600; ++frame) {
        w.rabbit.z -= walk;
        w.camera.z -= walk;
        largeStonesFrame(w);
    }
    const float distance = glm::length(w.rabbit - largeStonePoint(2));
    EXPECT_GT(distance, 139.0f - 2.0f * walk);
    EXPECT_LT(distance, 139.0f + 10.0f + walk);
    EXPECT_TRUE(w.motion.boostArmed);

    const glm::vec3 before = w.rabbit;
    w.motion.jumpTimer = 2.0f;
    w.keys.held = {keys::Space};
    bool thrown = false;
    for (int frame = 0; frame < 30 && !thrown; ++frame) {
        updateJump(w.motion, w.keys, Frame60, w.rabbit);
        largeStonesFrame(w);
        thrown = !w.motion.boostArmed;
    }
    ASSERT_TRUE(thrown);
    EXPECT_LT(w.rabbit.z, before.z - 150.0f);
    EXPECT_GT(w.rabbit.y, 120.0f);
    EXPECT_LT(w.rabbit.z, 3950.0f);
}

TEST(Obstacles, ThePushBackOwedByOneStoneIsPaidByTheNext) {
    Walker w;
    w.rabbit = largeStonePoint(0) + glm::vec3(0.0f, 5.0f, 100.0f);
    bumpObstacle(w.motion, largeStoneObstacle(), largeStonePoint(0), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_TRUE(w.motion.bumpPending);
    EXPECT_FLOAT_EQ(w.rabbit.z, 4050.0f);
    bumpObstacle(w.motion, largeStoneObstacle(), largeStonePoint(1), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_FALSE(w.motion.bumpPending);
    EXPECT_FLOAT_EQ(w.rabbit.z, 4060.0f);
    EXPECT_FLOAT_EQ(w.camera.z, 8010.0f);
    // Armed but not jumping: nothing more.
    bumpObstacle(w.motion, largeStoneObstacle(), largeStonePoint(2), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_FLOAT_EQ(w.rabbit.z, 4060.0f);
    EXPECT_TRUE(w.motion.boostArmed);
    // A jump now earns the boost of whichever obstacle comes next.
    w.motion.jumping = true;
    bumpObstacle(w.motion, smallStoneObstacle(), glm::vec3(5000.0f), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_FALSE(w.motion.boostArmed);
    EXPECT_FLOAT_EQ(w.rabbit.z, 3980.0f);
    EXPECT_FLOAT_EQ(w.rabbit.y, 135.0f);
    EXPECT_FLOAT_EQ(w.camera.z, 7870.0f);
}

TEST(Obstacles, ALargeStonesBoostThrowsFurtherAndShiftsTheCamera) {
    Walker w;
    w.motion.boostArmed = true;
    w.motion.jumping = true;
    w.rabbit = glm::vec3(0.0f, 15.0f, 100.0f);
    bumpObstacle(w.motion, largeStoneObstacle(), glm::vec3(5000.0f), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_EQ(w.rabbit, glm::vec3(0.0f, 135.0f, -100.0f));
    EXPECT_EQ(w.camera, glm::vec3(-100.0f, 200.0f, 7820.0f));
}

// A push-back still owed is paid first; the boost waits for the next object.
TEST(Obstacles, AJumpWhileAPushBackIsOwedPaysThePushBackFirst) {
    Walker w;
    w.motion = {true, 0.0f, true, true};
    w.rabbit = glm::vec3(0.0f, 15.0f, 100.0f);
    bumpObstacle(w.motion, smallStoneObstacle(), glm::vec3(5000.0f), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_EQ(w.rabbit, glm::vec3(0.0f, 15.0f, 110.0f));
    EXPECT_FALSE(w.motion.bumpPending);
    EXPECT_TRUE(w.motion.boostArmed);
    bumpObstacle(w.motion, smallStoneObstacle(), glm::vec3(5000.0f), 3.0f, Frame60, w.rabbit, w.camera);
    EXPECT_EQ(w.rabbit, glm::vec3(0.0f, 135.0f, 30.0f));
}

TEST(Obstacles, SmallStonesLetARabbitWithoutLivesThrough) {
    Walker w;
    const glm::vec3 stone(0.0f, 4.0f, 0.0f);
    w.rabbit = glm::vec3(0.0f, 15.0f, 50.0f);
    bumpObstacle(w.motion, smallStoneObstacle(), stone, 0.0f, Frame60, w.rabbit, w.camera);
    EXPECT_FALSE(w.motion.bumpPending);
    EXPECT_FALSE(w.motion.boostArmed);
    bumpObstacle(w.motion, smallStoneObstacle(), stone, 1.0f, Frame60, w.rabbit, w.camera);
    EXPECT_TRUE(w.motion.bumpPending);
    // Large stones push whatever the lives.
    Walker v;
    v.rabbit = largeStonePoint(3);
    bumpObstacle(v.motion, largeStoneObstacle(), largeStonePoint(3), 0.0f, Frame60, v.rabbit, v.camera);
    EXPECT_TRUE(v.motion.bumpPending);
}

TEST(Obstacles, TheCrateArmsTheBoostButOwesNoPushBack) {
    Walker w;
    w.rabbit = level::woodenCrate + glm::vec3(0.0f, -25.0f, 20.0f);
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_TRUE(w.motion.boostArmed);
    EXPECT_FALSE(w.motion.bumpPending);
}

TEST(Obstacles, TheCratePushesEveryFrameAndBoostsAJumpAtOnce) {
    Walker w;
    w.rabbit = level::woodenCrate + glm::vec3(0.0f, -25.0f, 20.0f);
    w.motion.bumpPending = true;
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_FLOAT_EQ(w.rabbit.z, -820.0f);
    EXPECT_TRUE(w.motion.boostArmed);
    // The crate leaves the stones' owed push-back alone.
    EXPECT_TRUE(w.motion.bumpPending);
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_FLOAT_EQ(w.rabbit.z, -810.0f);
    w.motion.jumping = true;
    bumpCrate(w.motion, Frame60, w.rabbit, w.camera);
    EXPECT_FLOAT_EQ(w.rabbit.z, -800.0f - 80.0f);
    EXPECT_FLOAT_EQ(w.rabbit.y, 135.0f);
    EXPECT_FLOAT_EQ(w.camera.z, 8000.0f + 30.0f - 140.0f);
    EXPECT_FALSE(w.motion.boostArmed);
}

TEST(Obstacles, TheCrateStopsAWalkAtItsRadiusAtEveryFrameRate) {
    for (const float fps : {10.0f, 20.0f, 30.0f, 45.0f, 60.0f, 90.0f, 144.0f, 240.0f, 500.0f}) {
        Walker w;
        w.rabbit = level::woodenCrate + glm::vec3(0.0f, -20.0f, 300.0f);
        const float deltaTime = 1.0f / fps;
        const float walk = motion::WalkSpeed * deltaTime;
        float nearest = 1e9f;
        for (int frame = 0; frame < static_cast<int>(6.0f * fps); ++frame) {
            w.rabbit.z -= walk;
            bumpCrate(w.motion, deltaTime, w.rabbit, w.camera);
            nearest = std::min(nearest, glm::distance(w.rabbit, level::woodenCrate));
        }
        const float distance = glm::distance(w.rabbit, level::woodenCrate);
        EXPECT_GT(nearest, level::CrateRadius - walk - 0.01f) << fps;
        EXPECT_LT(distance, level::CrateRadius + 600.0f / fps + 0.01f) << fps;
    }
}

}  // namespace
