#include "render/model_asset.h"

#include <algorithm>
#include <iostream>

#include "render/messages.h"
#include "render/model_import.h"

ModelAsset::ModelAsset(const std::string& path) {
    // No line end: the first mesh's creation line completes this one.
    std::cout << rendertext::CreatingModel << path << std::flush;
    ImportedModel imported = importModel(path);
    if (!imported.ok) {
        std::cout << rendertext::AssimpError << imported.error << std::endl;
        return;
    }
    directory = imported.directory;
    for (ImportedMesh& mesh : imported.meshes) {
        std::vector<std::shared_ptr<Texture>> textures;
        for (const TextureReference& ref : mesh.textures) {
            std::shared_ptr<Texture> found;
            for (const auto& loaded : loadedTextures) {
                if (loaded->fileName == ref.fileName) {
                    found = loaded;
                    break;
                }
            }
            if (!found) {
                found = std::make_shared<Texture>(loadModelTexture(ref.fileName.c_str(), directory), ref.samplerPrefix,
                                                  ref.fileName);
                loadedTextures.push_back(found);
            }
            textures.push_back(found);
        }
        meshes.push_back(
            std::make_shared<Mesh>(std::move(mesh.vertices), std::move(mesh.indices), std::move(textures)));
    }
}

void ModelAsset::draw(const ShaderProgram& program) const {
    for (const auto& mesh : meshes) mesh->draw(program);
}

float ModelAsset::radius() const {
    float farthest = 0.0f;
    for (const auto& mesh : meshes)
        for (const MeshVertex& vertex : mesh->vertices) farthest = std::max(farthest, glm::length(vertex.position));
    return farthest;
}
