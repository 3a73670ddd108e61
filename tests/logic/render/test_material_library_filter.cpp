// Material libraries reach the importer without the statements that come
// before their first material, which the importer would write through a null
// material; what follows is read as before.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "render/material_library_filter.h"
#include "render/model_import.h"

TEST(MaterialLibraryFilter, KeepsEverythingFromTheFirstMaterialOn) {
    struct Case {
        const char* library;
        const char* kept;
    };
    const Case cases[] = {
        {"newmtl a\nmap_Kd a.png\n", "newmtl a\nmap_Kd a.png\n"},
        {"map_Kd x.png\nKd 1 1 1\nnewmtl a\nmap_Kd a.png\n", "newmtl a\nmap_Kd a.png\n"},
        {"# made by hand\r\n  \tnewmtl a\r\nKd 1 0 0\r\n", "  \tnewmtl a\r\nKd 1 0 0\r\n"},
        // Only the whole word starts a material.
        {"newmtlx\nmap_Kd x.png\nnewmtl\n", "newmtl\n"},
        {"map_Kd x.png\nmap_Ks y.png", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        EXPECT_EQ(dropStatementsBeforeFirstMaterial(c.library), c.kept);
    }
}

namespace {
// A one-triangle model on material "grass" that names `library`.
std::string triangleNaming(const ScratchDir& dir, const std::string& name, const std::string& library) {
    return dir.write(name, "mtllib " + library +
                               "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl grass\n"
                               "f 1/1 2/2 3/3\n");
}

// The texture files of the model's one mesh, as imported.
std::vector<std::string> textureFiles(const std::string& obj) {
    const ImportedModel model = importModel(obj);
    EXPECT_TRUE(model.ok) << model.error;
    std::vector<std::string> files;
    if (model.meshes.size() != 1) {
        ADD_FAILURE() << model.meshes.size() << " meshes";
        return files;
    }
    EXPECT_EQ(model.meshes[0].vertices.size(), 3u);
    for (const TextureReference& texture : model.meshes[0].textures) files.push_back(texture.fileName);
    return files;
}
}  // namespace

TEST(MaterialLibraryFilter, ImportReadsTheMaterialsAfterATextureWithNoMaterial) {
    ScratchDir dir;
    const std::string obj = triangleNaming(dir, "model.obj", "model.mtl");
    // This library took the importer down before it was filtered.
    dir.write("model.mtl", "map_Kd stray.png\nnewmtl grass\nmap_Kd grass.png\n");
    EXPECT_EQ(textureFiles(obj), std::vector<std::string>{"grass.png"});
}

TEST(MaterialLibraryFilter, ALibraryWithNoMaterialLeavesTheModelWithoutTextures) {
    ScratchDir dir;
    const std::string obj = triangleNaming(dir, "bare.obj", "bare.mtl");
    dir.write("bare.mtl", "mtllib no\nmap_ns");
    EXPECT_TRUE(textureFiles(obj).empty());
}

TEST(MaterialLibraryFilter, AMissingLibraryFallsBackToTheModelsOwnAndLeavesNothingOpen) {
    // The importer falls back to the library named after the model and never
    // closes it; the filter releases it (the sanitizer build checks for leaks).
    ScratchDir dir;
    const std::string obj = triangleNaming(dir, "meadow.obj", "elsewhere.mtl");
    dir.write("meadow.mtl", "newmtl grass\nmap_Kd grass.png\n");
    EXPECT_EQ(textureFiles(obj), std::vector<std::string>{"grass.png"});
}
