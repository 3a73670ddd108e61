#include <cmath>

#include <gtest/gtest.h>

#include "frame/lighting.h"
#include "game/level_layout.h"

namespace {

bool near(const glm::mat4& a, const glm::mat4& b, float tolerance) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (std::abs(a[c][r] - b[c][r]) > tolerance) return false;
    return true;
}

glm::vec3 apply(const glm::mat4& m, const glm::vec3& point) { return glm::vec3(m * glm::vec4(point, 1.0f)); }

}  // namespace

TEST(GroundAndRabbitShown, KeysOneAndTwoMatterInLitModeOnly) {
    for (const bool ground : {false, true}) {
        for (const bool rabbit : {false, true}) {
            const GroundAndRabbit cel = groundAndRabbitShown(true, ground, rabbit);
            EXPECT_TRUE(cel.ground);
            EXPECT_TRUE(cel.rabbit);
            const GroundAndRabbit lit = groundAndRabbitShown(false, ground, rabbit);
            EXPECT_EQ(lit.ground, ground);
            EXPECT_EQ(lit.rabbit, rabbit);
        }
    }
}

TEST(LitModelMatrices, PlaceGroundRabbitAndCrate) {
    EXPECT_EQ(apply(groundModelMatrix(), glm::vec3(1.0f, 0.0f, -2.0f)), glm::vec3(40.0f, 10.0f, -80.0f));
    EXPECT_EQ(apply(crateMatrix(), glm::vec3(1.0f, 1.0f, 1.0f)), glm::vec3(30.0f, 70.0f, -820.0f));

    // Facing turns about y before the scale: at pi the model's +z nose points to -z.
    const glm::vec3 rabbit(-100.0f, 15.0f, 7400.0f);
    const glm::vec3 nose = apply(rabbitModelMatrix(rabbit, 3.14159265f), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_NEAR(nose.x, -100.0f, 1e-3f);
    EXPECT_NEAR(nose.y, 15.0f, 1e-3f);
    EXPECT_NEAR(nose.z, 7400.0f - 30.0f, 1e-3f);
}

TEST(BrickWall, TurnsTenDegreesASecondAboutItsPivotAndIsBackAfter36Seconds) {
    EXPECT_TRUE(near(brickWallModelMatrix(36.0f), brickWallModelMatrix(0.0f), 1e-3f));
    // The pivot is the wall's place plus the point light's offset.
    const glm::vec3 pivot(0.0f, 66.0f, -1140.0f);
    EXPECT_EQ(apply(brickWallModelMatrix(0.0f), glm::vec3(0.0f)), pivot);
    EXPECT_EQ(apply(brickWallModelMatrix(0.0f), glm::vec3(1.0f, 0.0f, 0.0f)), pivot + glm::vec3(100.0f, 0.0f, 0.0f));
    // After 9 seconds a quarter turn: the wall's x axis now points to -z.
    const glm::vec3 turned = apply(brickWallModelMatrix(9.0f), glm::vec3(1.0f, 0.0f, 0.0f)) - pivot;
    EXPECT_NEAR(turned.x, 0.0f, 1e-3f);
    EXPECT_NEAR(turned.z, -100.0f, 1e-3f);
    const glm::vec3 half = apply(brickWallModelMatrix(18.0f), glm::vec3(1.0f, 0.0f, 0.0f)) - pivot;
    EXPECT_NEAR(half.x, -100.0f, 1e-3f);
}
