#include "render/model_import.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "render/material_library_filter.h"

namespace {

constexpr unsigned ImportSteps =
    aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenNormals | aiProcess_FlipUVs;

// The OBJ importer files bump maps under the height slot, so that slot feeds
// the normal-map prefix, and the ambient slot the height prefix.
const struct {
    aiTextureType type;
    const char* prefix;
} Slots[] = {{aiTextureType_DIFFUSE, samplerprefix::Diffuse},
             {aiTextureType_SPECULAR, samplerprefix::Specular},
             {aiTextureType_HEIGHT, samplerprefix::Normal},
             {aiTextureType_AMBIENT, samplerprefix::Height}};

glm::vec3 toVec3(const aiVector3D& v) { return {v.x, v.y, v.z}; }

ImportedMesh convertMesh(const aiMesh& mesh, const aiScene& scene) {
    ImportedMesh out;
    out.vertices.reserve(mesh.mNumVertices);
    const aiVector3D* uvs = mesh.mTextureCoords[0];
    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
        MeshVertex v{};
        v.position = toVec3(mesh.mVertices[i]);
        // Missing streams read as zero rather than out of range.
        v.normal = mesh.mNormals ? toVec3(mesh.mNormals[i]) : glm::vec3(0.0f);
        v.texCoords = uvs ? glm::vec2(uvs[i].x, uvs[i].y) : glm::vec2(0.0f);
        v.tangent = mesh.mTangents ? toVec3(mesh.mTangents[i]) : glm::vec3(0.0f);
        out.vertices.push_back(v);
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        for (unsigned k = 0; k < face.mNumIndices; ++k) out.indices.push_back(face.mIndices[k]);
    }
    if (mesh.mMaterialIndex < scene.mNumMaterials) {
        const aiMaterial* material = scene.mMaterials[mesh.mMaterialIndex];
        for (const auto& slot : Slots) {
            const unsigned count = aiGetMaterialTextureCount(material, slot.type);
            for (unsigned i = 0; i < count; ++i) {
                aiString name;
                aiGetMaterialTexture(material, slot.type, i, &name);
                out.textures.push_back({slot.prefix, name.C_Str()});
            }
        }
    }
    return out;
}

void collectNode(const aiNode& node, const aiScene& scene, ImportedModel& model) {
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        const unsigned index = node.mMeshes[i];
        if (index < scene.mNumMeshes) model.meshes.push_back(convertMesh(*scene.mMeshes[index], scene));
    }
    for (unsigned i = 0; i < node.mNumChildren; ++i) collectNode(*node.mChildren[i], scene, model);
}

}  // namespace

std::string modelDirectory(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

ImportedModel importModel(const std::string& path) {
    ImportedModel model;
    Assimp::Importer importer;
    importer.SetIOHandler(new MaterialLibraryFilter);  // the importer owns it
    const aiScene* scene = importer.ReadFile(path, ImportSteps);
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || !scene->mRootNode) {
        model.error = importer.GetErrorString();
        return model;
    }
    model.ok = true;
    model.directory = modelDirectory(path);
    collectNode(*scene->mRootNode, *scene, model);
    return model;
}
