#include "frame/screen_quad.h"

namespace {

constexpr GLfloat Positions[] = {
    -1.0f, -1.0f, 0.0f, 1.0f,  //
    -1.0f, 1.0f,  0.0f, 1.0f,  //
    1.0f,  1.0f,  0.0f, 1.0f,  //
    1.0f,  -1.0f, 0.0f, 1.0f,
};
constexpr GLfloat TexCoords[] = {0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f};
constexpr GLuint Indices[] = {0, 2, 1, 0, 3, 2};

// Attribute 1 stays free: the quad's shaders read texture coordinates at 2.
constexpr GLuint PositionAttribute = 0;
constexpr GLuint TexCoordAttribute = 2;

}  // namespace

ScreenQuad::ScreenQuad() {
    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);

    glGenBuffers(1, &positionBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(Positions), Positions, GL_STATIC_DRAW);
    glEnableVertexAttribArray(PositionAttribute);
    glVertexAttribPointer(PositionAttribute, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(GLfloat), nullptr);

    glGenBuffers(1, &texCoordBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(TexCoords), TexCoords, GL_STATIC_DRAW);
    glEnableVertexAttribArray(TexCoordAttribute);
    glVertexAttribPointer(TexCoordAttribute, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(GLfloat), nullptr);

    // Bound while the vertex array is, so the array keeps it.
    glGenBuffers(1, &indexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(Indices), Indices, GL_STATIC_DRAW);

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

ScreenQuad::~ScreenQuad() {
    glDeleteVertexArrays(1, &vao_);
    glDeleteBuffers(1, &positionBuffer_);
    glDeleteBuffers(1, &texCoordBuffer_);
    glDeleteBuffers(1, &indexBuffer_);
}

void ScreenQuad::draw() const {
    glBindVertexArray(vao_);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glUseProgram(0);
}
