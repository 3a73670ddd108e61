#include "frame/star_placement.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr float RingRadius = 50.0f;
constexpr float RingCentreX = 40.0f;
constexpr float RingCentreZ = 20.0f;
constexpr float HeightSpread = 60.0f;
constexpr float Noise = 2.5f;
const glm::vec3 TiltAxis = glm::normalize(glm::vec3(0.4f, 0.6f, 0.8f));

}  // namespace

std::vector<glm::mat4> placeStars(Lcg15& generator) {
    std::vector<glm::mat4> stars(StarCount, glm::mat4(1.0f));
    for (int i = 0; i < StarCount; ++i) {
        // Degrees by construction, but taken as radians: the ring is walked
        // about 57 times, which is what spreads the stars.
        const float a = static_cast<float>(i) / StarCount * 360.0f;
        // The draws stay in this order: d1, d2, d3, scale, tilt.
        const float d1 = static_cast<float>(generator.next() % 500) / 100.0f - Noise;
        const float x = std::sin(a) * RingRadius + d1 + RingCentreX;
        const float d2 = static_cast<float>(generator.next() % 600) / 100.0f - Noise;
        const float y = d2 * HeightSpread;
        const float d3 = static_cast<float>(generator.next() % 500) / 100.0f - Noise;
        const float z = std::cos(a) * RingRadius + d3 + RingCentreZ;
        // The addition in double, rounded to float: some sizes differ by one
        // float step from a float addition.
        const float s = static_cast<float>(static_cast<float>(generator.next() % 20) / 100.0f + 0.5);
        const float r = static_cast<float>(generator.next() % 360);

        glm::mat4 star = glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
        star = glm::scale(star, glm::vec3(s));
        stars[static_cast<std::size_t>(i)] = glm::rotate(star, r, TiltAxis);
    }
    return stars;
}

void moveStars(std::vector<glm::mat4>& stars, float steps) {
    for (std::size_t i = 0; i < stars.size(); ++i) {
        // Multiplied first, then divided: not always the same float as the placement's angle.
        const float a = static_cast<float>(i) * 360.0f / StarCount;
        stars[i] = glm::translate(stars[i], glm::vec3(std::sin(-a), 0.0f, -std::cos(a)) * steps);
    }
}
