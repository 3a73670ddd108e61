#include "frame/star_field.h"

#include <algorithm>

#include "frame/star_placement.h"
#include "game/lcg15.h"

namespace {

// The instance matrix's four columns; attribute 3 was the mesh's tangent.
constexpr GLuint FirstMatrixAttribute = 3;
constexpr GLuint MatrixColumns = 4;

GLsizeiptr bufferBytes(const std::vector<glm::mat4>& matrices) {
    return static_cast<GLsizeiptr>(matrices.size() * sizeof(glm::mat4));
}

float modelRadius(const ModelAsset& model) {
    float radius = 0.0f;
    for (const auto& mesh : model.meshes) {
        for (const MeshVertex& vertex : mesh->vertices) radius = std::max(radius, glm::length(vertex.position));
    }
    return radius;
}

// True when the sphere lies wholly outside one of the clip volume's left,
// right, bottom, top or near planes (x, y >= -w and <= w, z >= -w), where the
// rasteriser would clip all of it away. The far plane is left alone.
bool outsideClipPlanes(const glm::mat4& viewProjection, const glm::vec3& centre, float radius) {
    const glm::vec4 w{viewProjection[0][3], viewProjection[1][3], viewProjection[2][3], viewProjection[3][3]};
    for (int axis = 0; axis < 3; ++axis) {
        const glm::vec4 row{viewProjection[0][axis], viewProjection[1][axis], viewProjection[2][axis],
                            viewProjection[3][axis]};
        for (const float side : {1.0f, -1.0f}) {
            if (axis == 2 && side < 0.0f) continue;
            const glm::vec4 plane = w + side * row;
            const float distance = glm::dot(glm::vec3(plane), centre) + plane.w;
            if (distance < -radius * glm::length(glm::vec3(plane))) return true;
        }
    }
    return false;
}

// The largest factor by which the matrix stretches a length.
float largestScale(const glm::mat4& m) {
    return std::max({glm::length(glm::vec3(m[0])), glm::length(glm::vec3(m[1])), glm::length(glm::vec3(m[2]))});
}

}  // namespace

StarField::StarField(const ModelAsset& starModel, std::uint32_t seed)
    : model_(starModel), radius_(modelRadius(starModel)) {
    Lcg15& generator = sharedLcg15();
    generator.seed(seed);
    matrices_ = placeStars(generator);

    glGenBuffers(1, &instanceBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    glBufferData(GL_ARRAY_BUFFER, bufferBytes(matrices_), matrices_.data(), GL_STATIC_DRAW);

    for (const auto& mesh : model_.meshes) {
        glBindVertexArray(mesh->vao);
        for (GLuint column = 0; column < MatrixColumns; ++column) {
            const GLuint attribute = FirstMatrixAttribute + column;
            glEnableVertexAttribArray(attribute);
            glVertexAttribPointer(attribute, 4, GL_FLOAT, GL_FALSE, sizeof(glm::mat4),
                                  reinterpret_cast<const void*>(column * sizeof(glm::vec4)));
        }
        for (GLuint column = 0; column < MatrixColumns; ++column) {
            glVertexAttribDivisor(FirstMatrixAttribute + column, 1);
        }
        glBindVertexArray(0);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

StarField::~StarField() { glDeleteBuffers(1, &instanceBuffer_); }

void StarField::setCamera(const ShaderProgram& particlesProgram, const glm::mat4& view,
                          const glm::mat4& projection) {
    viewProjection_ = projection * view;
    particlesProgram.bind();
    particlesProgram.setUniformMat4("projection", projection);
    particlesProgram.setUniformMat4("view", view);
}

void StarField::updateAndDraw(const ShaderProgram& particlesProgram) {
    moveStars(matrices_);

    drawn_.clear();
    for (const glm::mat4& star : matrices_) {
        // A little slack for rounding: a star on the edge is drawn.
        const float reach = radius_ * largestScale(star) * 1.01f + 0.01f;
        if (!outsideClipPlanes(viewProjection_, glm::vec3(star[3]), reach)) drawn_.push_back(star);
    }

    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bufferBytes(drawn_), drawn_.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    particlesProgram.bind();
    particlesProgram.setUniformInt("texture_diffuse1", 0);
    glActiveTexture(GL_TEXTURE0);
    // A star model without textures keeps whatever unit 0 holds.
    if (!model_.loadedTextures.empty()) glBindTexture(GL_TEXTURE_2D, model_.loadedTextures.front()->textureId);

    for (const auto& mesh : model_.meshes) {
        glBindVertexArray(mesh->vao);
        glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(mesh->indices.size()), GL_UNSIGNED_INT, nullptr,
                                static_cast<GLsizei>(drawn_.size()));
        glBindVertexArray(0);
    }
}

void drawStarField(StarField& field, const ShaderProgram& particlesProgram, bool showStarInstances) {
    if (!showStarInstances) return;
    field.updateAndDraw(particlesProgram);
}
