#include <gtest/gtest.h>

#include "frame/lighting.h"

namespace {
glm::vec3 apply(const glm::mat4& m, const glm::vec3& point) { return glm::vec3(m * glm::vec4(point, 1.0f)); }
}  // namespace

TEST(LitModelMatrices, GroundRabbitAndTheTurningBrickWallStandWhereTheyShould) {
    EXPECT_EQ(apply(groundModelMatrix(), glm::vec3(1.0f, 0.0f, -2.0f)), glm::vec3(40.0f, 10.0f, -80.0f));
    // Facing turns about y before the scale: at pi the model's +z nose points to -z.
    const glm::vec3 nose =
        apply(rabbitModelMatrix(glm::vec3(-100.0f, 15.0f, 7400.0f), 3.14159265f), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_LT(glm::distance(nose, glm::vec3(-100.0f, 15.0f, 7370.0f)), 1e-3f);
    // The brick wall turns ten degrees a second about its place plus the point light's offset.
    const glm::vec3 pivot(0.0f, 66.0f, -1140.0f);
    EXPECT_EQ(apply(brickWallModelMatrix(0.0f), glm::vec3(0.0f)), pivot);
    EXPECT_EQ(apply(brickWallModelMatrix(0.0f), glm::vec3(1.0f, 0.0f, 0.0f)), pivot + glm::vec3(100.0f, 0.0f, 0.0f));
    // After 9 seconds a quarter turn: the wall's x axis now points to -z.
    const glm::vec3 turned = apply(brickWallModelMatrix(9.0f), glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_LT(glm::distance(turned, pivot + glm::vec3(0.0f, 0.0f, -100.0f)), 1e-3f);
}
