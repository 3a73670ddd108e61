#include "render/materials.h"

Materials::Materials(std::shared_ptr<Shaders> shaders, glm::vec3 diffuse, glm::vec3 coefficients, float alpha,
                     const char* texturePath)
    : program(std::move(shaders)), diffuseColor(diffuse), texture(std::make_shared<Textures>(texturePath)),
      materialCoefficients(coefficients), specularAlpha(alpha) {}

void Materials::applyUniforms() {
    program->setUniformVec3("diffuseColor", diffuseColor);
    program->setUniformVec3("materialCoefficients", materialCoefficients);
    glUniform1f(glGetUniformLocation(program->programId, "specularAlpha"), specularAlpha);
}

void Materials::replaceTexture(const char* path) {
    auto next = std::make_shared<Textures>(path);
    texture = std::move(next);
}
