#include <gtest/gtest.h>

#include "frame/screen_quad.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

const char* const QuadVertex = R"(#version 430 core
layout(location = 0) in vec4 position;
layout(location = 2) in vec2 texCoords;
out vec2 uv;
void main() { uv = texCoords; gl_Position = position; }
)";

const char* const UvFragment = R"(#version 430 core
in vec2 uv;
out vec4 colour;
void main() { colour = vec4(uv, 0.0, 1.0); }
)";

GLint attribute(GLuint index, GLenum parameter) {
    GLint value = 0;
    glGetVertexAttribiv(index, parameter, &value);
    return value;
}

}  // namespace

TEST(ScreenQuad, VertexArrayHoldsPositionsOnZeroTexCoordsOnTwoAndTheIndices) {
    REQUIRE_GL();
    ScreenQuad quad;
    GLint bound = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);

    glBindVertexArray(quad.vao());
    EXPECT_EQ(attribute(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_TRUE);
    EXPECT_EQ(attribute(0, GL_VERTEX_ATTRIB_ARRAY_SIZE), 4);
    EXPECT_EQ(attribute(0, GL_VERTEX_ATTRIB_ARRAY_STRIDE), 16);
    EXPECT_EQ(attribute(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_FALSE);
    EXPECT_EQ(attribute(2, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_TRUE);
    EXPECT_EQ(attribute(2, GL_VERTEX_ATTRIB_ARRAY_SIZE), 2);
    EXPECT_EQ(attribute(2, GL_VERTEX_ATTRIB_ARRAY_STRIDE), 8);

    GLint elements = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elements);
    ASSERT_NE(elements, 0);
    GLuint indices[6] = {};
    glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, sizeof(indices), indices);
    const GLuint expected[6] = {0, 2, 1, 0, 3, 2};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(indices[i], expected[i]) << i;

    GLint positions = 0;
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(attribute(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING)));
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &positions);
    EXPECT_EQ(positions, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    EXPECT_NO_GL_ERROR();
}

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
