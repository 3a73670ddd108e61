// Which pixels the glow stars can cover: too small an area would cut their
// halo off, too large a one costs the blur time.
#include <gtest/gtest.h>

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "frame/glow_area.h"

namespace {

constexpr int Width = 160;
constexpr int Height = 120;

TexelRect bounds(std::vector<glm::vec4> spheres) {
    // The camera at the origin looking down -z, as glm's view matrices leave it.
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 4.0f / 3.0f, 0.1f, 10000.0f);
    return screenBounds(spheres, glm::mat4(1.0f), projection, Width, Height);
}

}  // namespace

TEST(GlowArea, ScreenBoundsHoldWhatTheSpheresCover) {
    // Radius 1 at 10 ahead: about 14.6 pixels either side of the centre.
    const TexelRect ahead = bounds({{0.0f, 0.0f, -10.0f, 1.0f}});
    EXPECT_LE(ahead.x0, 80 - 15);
    EXPECT_GE(ahead.x1, 80 + 15);
    EXPECT_LE(ahead.y0, 60 - 15);
    EXPECT_GE(ahead.y1, 60 + 15);
    EXPECT_GE(ahead.x0, 80 - 22);
    EXPECT_LE(ahead.x1, 80 + 22);

    // Two spheres: the rectangle holds both.
    const TexelRect both = bounds({{0.0f, 0.0f, -10.0f, 1.0f}, {3.0f, 2.0f, -10.0f, 0.5f}});
    EXPECT_EQ(both.x0, ahead.x0);
    EXPECT_GT(both.x1, 80 + 50);
    EXPECT_GT(both.y1, 60 + 30);

    EXPECT_TRUE(bounds({{0.0f, 0.0f, 10.0f, 1.0f}}).empty()) << "behind the camera";
    EXPECT_TRUE(bounds({{50.0f, 0.0f, -10.0f, 1.0f}}).empty()) << "beside the view";
    EXPECT_TRUE(bounds({}).empty());
    EXPECT_TRUE(bounds({{0.0f, 0.0f, 0.5f, 1.0f}}) == TexelRect::whole(Width, Height))
        << "a sphere round the camera can cover any pixel";
}

// The star field sends only the stars this lets through: one dropped while a
// sliver of it shows would leave a hole in the picture.
TEST(GlowArea, SphereInViewDropsOnlySpheresWhollyOutside) {
    const glm::mat4 camera = glm::perspective(glm::radians(45.0f), 4.0f / 3.0f, 0.1f, 1000.0f) *
                             glm::lookAt(glm::vec3(0, 0, 5), glm::vec3(0, 0, 0), glm::vec3(0, 1, 0));
    // The right plane runs through x = 0.552 z' at z' ahead (tan 22.5 degrees times 4/3).
    const float edge = 0.552f * 20.0f;
    EXPECT_TRUE(sphereInView({0.0f, 0.0f, -15.0f, 1.0f}, camera));
    EXPECT_TRUE(sphereInView({edge + 0.8f, 0.0f, -15.0f, 1.0f}, camera)) << "a sliver inside the right edge";
    EXPECT_FALSE(sphereInView({edge + 1.3f, 0.0f, -15.0f, 1.0f}, camera)) << "beside the right edge";
    EXPECT_FALSE(sphereInView({0.0f, 0.0f, 7.0f, 1.0f}, camera)) << "behind the camera";
    EXPECT_TRUE(sphereInView({0.0f, 0.0f, 5.5f, 1.0f}, camera)) << "round the camera";
    EXPECT_FALSE(sphereInView({0.0f, 0.0f, -1200.0f, 100.0f}, camera)) << "beyond the far plane";

    // A matrix with 8 in w, as the small stones have, places the model unscaled.
    const glm::vec4 stone = boundingSphere(glm::translate(glm::mat4(8.0f), glm::vec3(1, 2, 3)), 2.0f);
    EXPECT_EQ(glm::vec3(stone), glm::vec3(1, 2, 3));
    EXPECT_NEAR(stone.w, 2.0f * std::sqrt(3.0f), 1e-5f);
}
