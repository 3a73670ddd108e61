// Which pixels the glow stars can cover: too small an area would cut their
// halo off, too large a one costs the blur time.
#include <gtest/gtest.h>

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
