#include <cmath>

#include <gtest/gtest.h>

#include "frame/star_placement.h"

namespace {

glm::vec3 position(const glm::mat4& star) { return glm::vec3(star[3]); }
float scaleOf(const glm::mat4& star) { return glm::length(glm::vec3(star[0])); }

std::vector<glm::mat4> fieldFor(std::uint32_t seed) {
    Lcg15 generator;
    generator.seed(seed);
    return placeStars(generator);
}

}  // namespace

TEST(StarPlacement, StarsWalkTheNoisyRingFromItsNearPointWithTheirOwnScales) {
    const std::vector<glm::mat4> stars = fieldFor(42);
    ASSERT_EQ(stars.size(), 3000u);
    const glm::vec3 first = position(stars[0]);
    EXPECT_LE(glm::distance(first, glm::vec3(40.0f, first.y, 70.0f)), 2.5f * std::sqrt(2.0f));
    // a = 90, taken as radians.
    const glm::vec3 ring750(40.0f + 50.0f * std::sin(90.0f), 0.0f, 20.0f + 50.0f * std::cos(90.0f));
    EXPECT_LE(std::abs(position(stars[750]).x - ring750.x), 2.5f);
    EXPECT_LE(std::abs(position(stars[750]).z - ring750.z), 2.5f);
    float lowest = 1e9f, highest = -1e9f;
    for (const glm::mat4& star : stars) {
        const glm::vec3 p = position(star);
        EXPECT_LE(std::abs(std::hypot(p.x - 40.0f, p.z - 20.0f) - 50.0f), 2.5f * std::sqrt(2.0f) + 1e-3f);
        // Steps of 1/100 from 0.5 to 0.69.
        EXPECT_GE(scaleOf(star), 0.5f - 1e-5f);
        EXPECT_LE(scaleOf(star), 0.69f + 1e-5f);
        lowest = std::min(lowest, p.y);
        highest = std::max(highest, p.y);
    }
    EXPECT_GE(lowest, -150.0f);
    EXPECT_LE(highest, 209.4f + 1e-3f);
    // Real division, not integer steps: heights are not limited to multiples of 60 past the offset.
    EXPECT_GT(highest - lowest, 300.0f);
    // The field is the seed's: another seed gives another one.
    EXPECT_EQ(fieldFor(42), stars);
    EXPECT_NE(fieldFor(43), stars);
}

TEST(StarMotion, EachStarFliesItsScaleInWorldUnitsPerStepAlongAFixedLine) {
    std::vector<glm::mat4> stars = fieldFor(9);
    const std::vector<glm::mat4> start = stars;
    moveStars(stars, 1.0f);
    const std::vector<glm::mat4> once = stars;
    // Two frames of half a step, as at 120 frames a second, go as far as one.
    moveStars(stars, 0.5f);
    moveStars(stars, 0.5f);
    for (const std::size_t i : {std::size_t{0}, std::size_t{750}, std::size_t{2999}}) {
        const glm::vec3 firstStep = position(once[i]) - position(start[i]);
        EXPECT_NEAR(glm::length(firstStep), scaleOf(start[i]), 1e-4f) << i;
        EXPECT_NEAR(glm::length(position(stars[i]) - position(once[i]) - firstStep), 0.0f, 1e-3f) << i;
        // Only the place changes: scale and tilt stay.
        EXPECT_EQ(glm::mat3(once[i]), glm::mat3(start[i]));
    }
    // Star 0 steps along its own -z.
    const glm::vec3 localMinusZ = glm::vec3(start[0] * glm::vec4(0.0f, 0.0f, -1.0f, 0.0f));
    EXPECT_NEAR(glm::length(position(once[0]) - position(start[0]) - localMinusZ), 0.0f, 1e-5f);
}
