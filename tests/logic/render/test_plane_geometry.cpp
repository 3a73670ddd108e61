#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/plane_geometry.h"

TEST(PlaneGeometry, AFlatRectangleOnTheCornersFacingUpWithTheTextureOnceAcross) {
    const PlaneGeometry plane = makePlaneGeometry(8.0f, 2.0f);
    EXPECT_EQ(plane.positions, (std::vector<glm::vec3>{{-4, 0, -1}, {4, 0, -1}, {4, 0, 1}, {-4, 0, 1}}));
    EXPECT_EQ(plane.normals, std::vector<glm::vec3>(4, glm::vec3(0, 1, 0)));
    EXPECT_EQ(plane.texCoords, (std::vector<glm::vec2>{{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    // Both triangles wind counter-clockwise seen from above and cover half the plane each.
    ASSERT_EQ(plane.indices.size(), 6u);
    for (std::size_t t = 0; t < plane.indices.size(); t += 3) {
        const glm::vec3 a = plane.positions.at(plane.indices[t]);
        const glm::vec3 facing =
            glm::cross(plane.positions.at(plane.indices[t + 1]) - a, plane.positions.at(plane.indices[t + 2]) - a);
        EXPECT_GT(facing.y, 0.0f) << "triangle " << t / 3;
        EXPECT_FLOAT_EQ(glm::length(facing) / 2.0f, 8.0f) << "triangle " << t / 3;
    }
}
