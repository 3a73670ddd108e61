// Material libraries reach the importer without the statements that come
// before their first material, which the importer would write through a null
// material; what follows is read as before.
#include <string>

#include <assimp/IOStream.hpp>
#include <gtest/gtest.h>

#include "logic/render/scratch_dir.h"
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

TEST(MaterialLibraryFilter, ImportReadsTheMaterialsAfterATextureWithNoMaterial) {
    ScratchDir dir;
    const std::string obj = dir.write(
        "model.obj",
        "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl grass\n"
        "f 1/1 2/2 3/3\n");
    // This library took the importer down before it was filtered.
    dir.write("model.mtl", "map_Kd stray.png\nnewmtl grass\nmap_Kd grass.png\n");

    const ImportedModel model = importModel(obj);
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].vertices.size(), 3u);
    ASSERT_EQ(model.meshes[0].textures.size(), 1u);
    EXPECT_EQ(model.meshes[0].textures[0].fileName, "grass.png");
}

TEST(MaterialLibraryFilter, ALibraryWithNoMaterialLeavesTheModelWithoutTextures) {
    ScratchDir dir;
    const std::string obj =
        dir.write("bare.obj", "mtllib bare.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    dir.write("bare.mtl", "mtllib no\nmap_ns");
    const ImportedModel model = importModel(obj);
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_TRUE(model.meshes[0].textures.empty());
}

TEST(MaterialLibraryFilter, AMissingLibraryFallsBackToTheModelsOwnAndLeavesNothingOpen) {
    // The importer falls back to the library named after the model and never
    // closes it; the filter releases it (the sanitizer build checks for leaks).
    ScratchDir dir;
    const std::string obj = dir.write(
        "meadow.obj",
        "mtllib elsewhere.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl grass\n"
        "f 1/1 2/2 3/3\n");
    dir.write("meadow.mtl", "newmtl grass\nmap_Kd grass.png\n");
    const ImportedModel model = importModel(obj);
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.meshes[0].textures.size(), 1u);
    EXPECT_EQ(model.meshes[0].textures[0].fileName, "grass.png");

    MaterialLibraryFilter filter;
    Assimp::IOStream* library = filter.Open(dir.path("meadow.mtl").c_str());
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(filter.openLibraries(), 1u);
    filter.Close(library);
    EXPECT_EQ(filter.openLibraries(), 0u);
    // The model itself passes through unfiltered and off the books.
    Assimp::IOStream* modelFile = filter.Open(obj.c_str());
    ASSERT_NE(modelFile, nullptr);
    EXPECT_EQ(filter.openLibraries(), 0u);
    filter.Close(modelFile);
    filter.Open(dir.path("meadow.mtl").c_str());  // left open: the filter releases it
}
