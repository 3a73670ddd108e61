#pragma once
#include <memory>
#include <string>
#include <vector>

#include "render/mesh.h"
#include "render/shader_program.h"
#include "render/texture.h"

// An imported model: its meshes and, per model, every texture loaded so far.
// Copies share meshes and textures and never delete GL objects.
class ModelAsset {
public:
    explicit ModelAsset(const std::string& path);
    ModelAsset(const ModelAsset&) = default;
    ModelAsset& operator=(const ModelAsset&) = default;

    // The caller has bound the program and set model, view and projection.
    void draw(const ShaderProgram& program) const;
    // The farthest vertex of any mesh from the model's origin.
    float radius() const;

    // Released in declaration order reversed: meshes before their textures, so
    // every "Deleting Mesh" of a model comes before its "Deleting Texture" lines.
    std::vector<std::shared_ptr<Texture>> loadedTextures;
    std::vector<std::shared_ptr<Mesh>> meshes;
    std::string directory;
};
