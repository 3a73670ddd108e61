#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/plane_geometry.h"

TEST(PlaneGeometry, ASquareOf400HasCornersAt200AndFacesUp) {
    const PlaneGeometry plane = makePlaneGeometry(400.0f, 400.0f);
    ASSERT_EQ(plane.positions.size(), 4u);
    ASSERT_EQ(plane.normals.size(), 4u);
    ASSERT_EQ(plane.texCoords.size(), 4u);
    EXPECT_EQ(plane.positions[0], glm::vec3(-200, 0, -200));
    EXPECT_EQ(plane.positions[1], glm::vec3(200, 0, -200));
    EXPECT_EQ(plane.positions[2], glm::vec3(200, 0, 200));
    EXPECT_EQ(plane.positions[3], glm::vec3(-200, 0, 200));
    for (const glm::vec3& n : plane.normals) EXPECT_EQ(n, glm::vec3(0, 1, 0));
    EXPECT_EQ(plane.indices, (std::vector<std::uint32_t>{0, 3, 2, 2, 1, 0}));
}

TEST(PlaneGeometry, BothTrianglesWindCounterClockwiseSeenFromAbove) {
    const PlaneGeometry plane = makePlaneGeometry(30.0f, 10.0f);
    for (std::size_t t = 0; t < plane.indices.size(); t += 3) {
        const glm::vec3 a = plane.positions[plane.indices[t]];
        const glm::vec3 b = plane.positions[plane.indices[t + 1]];
        const glm::vec3 c = plane.positions[plane.indices[t + 2]];
        const glm::vec3 facing = glm::cross(b - a, c - a);
        EXPECT_GT(facing.y, 0.0f) << "triangle " << t / 3;
        EXPECT_FLOAT_EQ(glm::length(facing) / 2.0f, 150.0f) << "each covers half the plane";
    }
}

TEST(PlaneGeometry, TextureCoordinatesFollowTheCornersAndWidthAndDepthStayApart) {
    const PlaneGeometry plane = makePlaneGeometry(8.0f, 2.0f);
    EXPECT_EQ(plane.positions[2], glm::vec3(4, 0, 1));
    EXPECT_EQ(plane.texCoords[0], glm::vec2(0, 0));
    EXPECT_EQ(plane.texCoords[1], glm::vec2(1, 0));
    EXPECT_EQ(plane.texCoords[2], glm::vec2(1, 1));
    EXPECT_EQ(plane.texCoords[3], glm::vec2(0, 1));
}
