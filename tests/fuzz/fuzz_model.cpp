// The OBJ import with the game's post-processing steps on arbitrary bytes.
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One importer for the run: building one registers every format, which
    // would cost more than the import itself.
    static Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        data, size,
        aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenNormals |
            aiProcess_FlipUVs,
        "obj");
    if (scene && scene->mRootNode) {
        volatile unsigned meshes = scene->mNumMeshes;
        for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
            const aiMesh* mesh = scene->mMeshes[i];
            for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
                volatile float x = mesh->mVertices[v].x;
                (void)x;
            }
        }
        (void)meshes;
    }
    importer.FreeScene();
    return 0;
}
