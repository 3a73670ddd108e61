#include "frame/star_field.h"

#include "frame/glow_area.h"
#include "frame/star_placement.h"
#include "game/lcg15.h"

namespace {

// The instance matrix's four columns; attribute 3 was the mesh's tangent.
constexpr GLuint FirstMatrixAttribute = 3;
constexpr GLuint MatrixColumns = 4;

GLsizeiptr bufferBytes(const std::vector<glm::mat4>& matrices) {
    return static_cast<GLsizeiptr>(matrices.size() * sizeof(glm::mat4));
}

}  // namespace

StarField::StarField(const ModelAsset& starModel, std::uint32_t seed)
    : model_(starModel), modelRadius_(starModel.radius()) {
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

void StarField::setCamera(const ShaderProgram& particlesProgram, const glm::mat4& view, const glm::mat4& projection,
                          int width, int height) {
    view_ = view;
    projection_ = projection;
    width_ = width;
    height_ = height;
    particlesProgram.bind();
    particlesProgram.setUniformMat4("projection", projection);
    particlesProgram.setUniformMat4("view", view);
}

void StarField::updateAndDraw(const ShaderProgram& particlesProgram, bool filled, float deltaTime) {
    moveStars(matrices_, deltaTime * StarStepsPerSecond);
    const std::vector<glm::mat4>* drawn = &matrices_;
    if (filled) {
        // Kept in their order, so stars at the same depth cover each other as before.
        drawn_.clear();
        for (const glm::mat4& star : matrices_) {
            if (reachesPixelCentre(boundingSphere(star, modelRadius_), view_, projection_, width_, height_))
                drawn_.push_back(star);
        }
        drawn = &drawn_;
    }
    if (drawn->empty()) return;

    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bufferBytes(*drawn), drawn->data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    particlesProgram.bind();
    particlesProgram.setUniformInt("texture_diffuse1", 0);
    glActiveTexture(GL_TEXTURE0);
    // A star model without textures keeps whatever unit 0 holds.
    if (!model_.loadedTextures.empty()) glBindTexture(GL_TEXTURE_2D, model_.loadedTextures.front()->textureId);

    for (const auto& mesh : model_.meshes) {
        glBindVertexArray(mesh->vao);
        glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(mesh->indices.size()), GL_UNSIGNED_INT, nullptr,
                                static_cast<GLsizei>(drawn->size()));
        glBindVertexArray(0);
    }
}

void drawStarField(StarField& field, const ShaderProgram& particlesProgram, bool showStarInstances, bool filled,
                   float deltaTime) {
    if (!showStarInstances) return;
    field.updateAndDraw(particlesProgram, filled, deltaTime);
}
