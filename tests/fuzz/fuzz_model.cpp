// The OBJ import as the game runs it, on arbitrary bytes: read from a file
// with the game's post-processing steps and its material-library filter. The
// same bytes are also the file's material library, so "mtllib fuzz.mtl" in
// the input sends them through the library parser as well.
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <unistd.h>

#include <filesystem>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/material_library_filter.h"

namespace {
// One folder per process, removed at exit; its name lives in a plain array
// because an exit handler may run after a static string is gone.
char folderName[] = "/tmp/mh-fuzz-model-XXXXXX";

const std::string& scratchFolder() {
    static const std::string folder = [] {
        if (!mkdtemp(folderName)) return std::string("/tmp");
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folderName, ignored);
        });
        return std::string(folderName);
    }();
    return folder;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string obj = scratchFolder() + "/fuzz.obj";
    writeFile(obj, data, size);
    writeFile(scratchFolder() + "/fuzz.mtl", data, size);
    // One importer for the run: building one registers every format, which
    // would cost more than the import itself.
    static MaterialLibraryFilter* filter = new MaterialLibraryFilter;
    static Assimp::Importer* importer = [] {
        auto* made = new Assimp::Importer;
        made->SetIOHandler(filter);  // the importer owns it
        return made;
    }();
    const aiScene* scene = importer->ReadFile(
        obj, aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenNormals | aiProcess_FlipUVs);
    if (scene && scene->mRootNode) {
        for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
            const aiMesh* mesh = scene->mMeshes[i];
            for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
                volatile float x = mesh->mVertices[v].x;
                (void)x;
            }
        }
    }
    importer->FreeScene();
    // A game import ends with its importer, and the filter with it.
    filter->releaseLeftovers();
    return 0;
}
