#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/mesh.h"

// A material texture reference as the file names it, with the sampler prefix
// of its slot.
struct TextureReference {
    std::string samplerPrefix;
    std::string fileName;
};

// One mesh as imported, before anything reaches the GPU.
struct ImportedMesh {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    // In slot order: diffuse, specular, height (as normal maps), ambient (as height maps).
    std::vector<TextureReference> textures;
};

struct ImportedModel {
    bool ok = false;
    // The importer's own error text when the import failed.
    std::string error;
    // The path up to its last '/', or the whole path when it has none.
    std::string directory;
    // Depth-first, pre-order over the node tree.
    std::vector<ImportedMesh> meshes;
};

// Reads an OBJ (or any format the importer knows) with the game's post-processing steps.
ImportedModel importModel(const std::string& path);

std::string modelDirectory(const std::string& path);
