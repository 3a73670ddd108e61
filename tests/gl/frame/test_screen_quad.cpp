#include <gtest/gtest.h>

#include "frame/screen_quad.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

const char* const UvFragment = R"(#version 430 core
in vec2 uv;
out vec4 colour;
void main() { colour = vec4(uv, 0.0, 1.0); }
)";

}  // namespace

TEST(ScreenQuad, CoversTheTargetThroughFaceCullingAndReleasesTheProgram) {
    REQUIRE_GL();
    TempTree tree;
    auto program = tree.program("uv", QuadVertex, UvFragment);
    ScreenQuad quad;
    TestTarget target(64, 64);
    target.clear(glm::vec4(0.0f, 0.0f, 1.0f, 1.0f));
    glEnable(GL_CULL_FACE);
    program->bind();
    quad.draw();
    glDisable(GL_CULL_FACE);

    EXPECT_EQ(currentProgram(), 0);
    GLint bound = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    // Texture coordinates run from (0, 0) at the bottom left to (1, 1) at the top right.
    const glm::ivec4 bottomLeft = target.pixel(0, 0);
    const glm::ivec4 topRight = target.pixel(63, 63);
    const glm::ivec4 topLeft = target.pixel(0, 63);
    EXPECT_LE(bottomLeft.r, 3);
    EXPECT_LE(bottomLeft.g, 3);
    EXPECT_EQ(bottomLeft.b, 0);
    EXPECT_GE(topRight.r, 252);
    EXPECT_GE(topRight.g, 252);
    EXPECT_LE(topLeft.r, 3);
    EXPECT_GE(topLeft.g, 252);
    for (const auto& pixel : {target.pixel(32, 5), target.pixel(5, 32), target.pixel(60, 10)}) {
        EXPECT_EQ(pixel.b, 0) << "the quad leaves a gap";
    }
    EXPECT_NO_GL_ERROR();
}
