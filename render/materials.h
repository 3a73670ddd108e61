#pragma once
#include <memory>
#include <string>

#include <glm/glm.hpp>

#include "render/shaders.h"
#include "render/texture.h"

// A phong material with one texture; its uniform locations come from its own
// Shaders program, its values go to whatever program is current.
class Materials {
public:
    Materials(std::shared_ptr<Shaders> program, glm::vec3 diffuseColor, glm::vec3 materialCoefficients,
              float specularAlpha, const char* texturePath);
    // Not virtual: the shared pointer that owns a material knows its type.
    ~Materials() = default;
    Materials(const Materials&) = delete;
    Materials& operator=(const Materials&) = delete;

    virtual void applyUniforms();
    // Loads the new image first, then lets the old texture go (deleting it).
    void replaceTexture(const char* path);

    // Declared so that destruction releases the texture before the program.
    std::shared_ptr<Shaders> program;
    glm::vec3 diffuseColor;
    std::shared_ptr<Textures> texture;
    glm::vec3 materialCoefficients;
    float specularAlpha;
};
