#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/material_library_filter.h"
#include "render/model_import.h"
#include "support/scratch_dir.h"

namespace {

// Two objects on one material: a quad with UVs, then a triangle without.
constexpr const char* TwoObjects =
    "mtllib two.mtl\no quad\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "usemtl grass\nf 1/1 2/2 3/3 4/4\no bare\nv 5 0 0\nv 6 0 0\nv 5 1 0\nusemtl grass\nf 5 6 7\n";

// A one-triangle model on material `material` that names `library`.
std::string triangleUsing(const std::string& library, const std::string& material) {
    return "mtllib " + library + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl " + material +
           "\nf 1/1 2/2 3/3\n";
}

// A one-triangle model's textures as "sampler file", as imported.
std::vector<std::string> textures(const ScratchDir& dir, const std::string& name, const std::string& library,
                                  const std::string& material = "grass") {
    const ImportedModel model = importModel(dir.write(name, triangleUsing(library, material)));
    EXPECT_TRUE(model.ok) << model.error;
    // Without its one mesh the answer matches nothing a test expects.
    if (model.meshes.size() != 1) return {name + ": " + std::to_string(model.meshes.size()) + " meshes"};
    std::vector<std::string> found;
    for (const TextureReference& t : model.meshes[0].textures) found.push_back(t.samplerPrefix + " " + t.fileName);
    return found;
}

}  // namespace

TEST(ModelImport, MeshesComeInFileOrderAsTrianglesWithFlippedUVsAndTheSharedMapAndNoneFromAnEmptyFile) {
    ScratchDir dir;
    dir.write("two.mtl", "newmtl grass\nKd 1 1 1\nmap_Kd grass.png\n");
    const ImportedModel model = importModel(dir.write("two.obj", TwoObjects));
    ASSERT_TRUE(model.ok) << model.error;
    EXPECT_EQ(model.directory, dir.root().string());
    ASSERT_EQ(model.meshes.size(), 2u);

    const ImportedMesh& quad = model.meshes[0];
    ASSERT_EQ(quad.vertices.size(), 4u);
    ASSERT_EQ(quad.indices.size(), 6u) << "the quad is cut into two triangles";
    EXPECT_EQ(quad.vertices[0].position, glm::vec3(-1, -1, 0));
    // v is flipped by the importer: the file's (0, 0) corner reads (0, 1).
    EXPECT_EQ(quad.vertices[0].texCoords, glm::vec2(0, 1));
    EXPECT_EQ(quad.vertices[2].texCoords, glm::vec2(1, 0));
    for (const MeshVertex& v : quad.vertices) {
        EXPECT_NEAR(v.normal.z, 1.0f, 1e-5f) << "normals are generated when the file has none";
        EXPECT_NEAR(glm::length(v.tangent), 1.0f, 1e-4f);
    }
    // Without UVs: zero coordinates and zero tangents.
    const ImportedMesh& bare = model.meshes[1];
    EXPECT_EQ(bare.vertices.at(0).position, glm::vec3(5, 0, 0));
    EXPECT_EQ(bare.indices, (std::vector<std::uint32_t>{0, 1, 2}));
    for (const MeshVertex& v : bare.vertices) {
        EXPECT_EQ(v.texCoords, glm::vec2(0.0f));
        EXPECT_EQ(v.tangent, glm::vec3(0.0f));
    }
    for (const ImportedMesh& mesh : model.meshes) {
        ASSERT_EQ(mesh.textures.size(), 1u);
        EXPECT_EQ(mesh.textures[0].samplerPrefix, "texture_diffuse");
        EXPECT_EQ(mesh.textures[0].fileName, "grass.png");
    }
    // A missing file is the GL model test's, with the line it prints.
    const ImportedModel empty = importModel(dir.write("empty.obj", ""));
    EXPECT_FALSE(empty.ok);
    EXPECT_FALSE(empty.error.empty());
    EXPECT_TRUE(empty.meshes.empty());
}

// Material libraries reach the importer without the statements that come
// before their first material, which the importer would write through a null
// material; what follows is read as before.
TEST(MaterialLibraryFilter, KeepsEverythingFromTheFirstMaterialOn) {
    const std::pair<const char*, const char*> cases[] = {
        {"newmtl a\nmap_Kd a.png\n", "newmtl a\nmap_Kd a.png\n"},
        {"map_Kd x.png\nKd 1 1 1\nnewmtl a\nmap_Kd a.png\n", "newmtl a\nmap_Kd a.png\n"},
        {"# made by hand\r\n  \tnewmtl a\r\nKd 1 0 0\r\n", "  \tnewmtl a\r\nKd 1 0 0\r\n"},
        // Only the whole word starts a material.
        {"newmtlx\nmap_Kd x.png\nnewmtl\n", "newmtl\n"},
        {"map_Kd x.png\nmap_Ks y.png", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(dropStatementsBeforeFirstMaterial(c.first), c.second) << c.first;
}

TEST(MaterialLibraryFilter, ImportsReadSlotsInFixedOrderFromTheFirstMaterialOnAndSurviveLibrariesWithout) {
    ScratchDir dir;
    // Each slot names its own file; written out of slot order on purpose.
    dir.write("all.mtl", "newmtl all\nmap_Ka ambient.png\nmap_bump bump.png\nmap_Ks shine.png\nmap_Kd colour.png\n");
    EXPECT_EQ(textures(dir, "all.obj", "all.mtl", "all"),
              (std::vector<std::string>{"texture_diffuse colour.png", "texture_specular shine.png",
                                        "texture_normal bump.png", "texture_height ambient.png"}));
    // This library took the importer down before it was filtered.
    dir.write("model.mtl", "map_Kd stray.png\nnewmtl grass\nmap_Kd grass.png\n");
    EXPECT_EQ(textures(dir, "model.obj", "model.mtl"), std::vector<std::string>{"texture_diffuse grass.png"});
    dir.write("bare.mtl", "mtllib no\nmap_ns");
    EXPECT_TRUE(textures(dir, "bare.obj", "bare.mtl").empty());
    // A missing library: the importer falls back to the one named after the
    // model and never closes it; the filter releases it (the sanitizer build
    // checks for leaks).
    dir.write("meadow.mtl", "newmtl grass\nmap_Kd grass.png\n");
    EXPECT_EQ(textures(dir, "meadow.obj", "elsewhere.mtl"), std::vector<std::string>{"texture_diffuse grass.png"});
    EXPECT_TRUE(textures(dir, "lonely.obj", "nowhere.mtl").empty());
}
