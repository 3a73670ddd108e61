#include "render/textured_plane.h"

#include <vector>

namespace {
template <class T>
GLuint uploadAttribute(GLuint location, const std::vector<T>& data, GLint components) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(T)), data.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
    return buffer;
}
}  // namespace

TexturedPlane::TexturedPlane(const PlaneGeometry& geometry, std::shared_ptr<Materials> mat) : material(std::move(mat)) {
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    positionBuffer = uploadAttribute(0, geometry.positions, 3);
    normalBuffer = uploadAttribute(1, geometry.normals, 3);
    texCoordBuffer = uploadAttribute(2, geometry.texCoords, 2);
    glGenBuffers(1, &ebo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(geometry.indices.size() * sizeof(std::uint32_t)),
                 geometry.indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    elementCount = static_cast<GLint>(geometry.indices.size());
}

TexturedPlane::~TexturedPlane() {
    const GLuint buffers[] = {positionBuffer, normalBuffer, texCoordBuffer, ebo};
    glDeleteBuffers(4, buffers);
    glDeleteVertexArrays(1, &vao);
}

void TexturedPlane::draw() {
    material->applyUniforms();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, material->texture->textureId);
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, elementCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
