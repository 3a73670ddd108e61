#include <algorithm>
#include <string>

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "render/model_import.h"

namespace {

// Two objects on one material: a quad with UVs, then a triangle without.
constexpr const char* TwoObjects = R"(mtllib two.mtl
o quad
v -1 -1 0
v 1 -1 0
v 1 1 0
v -1 1 0
vt 0 0
vt 1 0
vt 1 1
vt 0 1
usemtl grass
f 1/1 2/2 3/3 4/4
o bare
v 5 0 0
v 6 0 0
v 5 1 0
usemtl grass
f 5 6 7
)";

constexpr const char* GrassMaterial = R"(newmtl grass
Kd 1 1 1
map_Kd grass.png
)";

// Each slot names its own file; written out of slot order on purpose.
constexpr const char* FourSlotMaterial = R"(newmtl all
map_Ka ambient.png
map_bump bump.png
map_Ks shine.png
map_Kd colour.png
)";

std::string triangleUsing(const std::string& mtl, const std::string& material) {
    return "mtllib " + mtl + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl " + material +
           "\nf 1/1 2/2 3/3\n";
}

}  // namespace

TEST(ModelImport, MeshesComeInFileOrderAsTrianglesWithFlippedUVs) {
    ScratchDir dir;
    dir.write("two.mtl", GrassMaterial);
    const ImportedModel model = importModel(dir.write("two.obj", TwoObjects));
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 2u);

    const ImportedMesh& quad = model.meshes[0];
    ASSERT_EQ(quad.vertices.size(), 4u);
    ASSERT_EQ(quad.indices.size(), 6u) << "the quad is cut into two triangles";
    for (std::uint32_t index : quad.indices) EXPECT_LT(index, quad.vertices.size());
    EXPECT_EQ(quad.vertices[0].position, glm::vec3(-1, -1, 0));
    // v is flipped by the importer: the file's (0, 0) corner reads (0, 1).
    EXPECT_EQ(quad.vertices[0].texCoords, glm::vec2(0, 1));
    EXPECT_EQ(quad.vertices[2].texCoords, glm::vec2(1, 0));
    for (const MeshVertex& v : quad.vertices) {
        EXPECT_NEAR(v.normal.z, 1.0f, 1e-5f) << "normals are generated when the file has none";
        EXPECT_NEAR(glm::length(v.tangent), 1.0f, 1e-4f);
    }

    EXPECT_EQ(model.meshes[1].vertices.at(0).position, glm::vec3(5, 0, 0));
    EXPECT_EQ(model.meshes[1].indices, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(ModelImport, AMeshWithoutUVsGetsZeroCoordinatesAndZeroTangents) {
    ScratchDir dir;
    dir.write("two.mtl", GrassMaterial);
    const ImportedModel model = importModel(dir.write("two.obj", TwoObjects));
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 2u);
    for (const MeshVertex& v : model.meshes[1].vertices) {
        EXPECT_EQ(v.texCoords, glm::vec2(0.0f));
        EXPECT_EQ(v.tangent, glm::vec3(0.0f));
        EXPECT_NEAR(glm::length(v.normal), 1.0f, 1e-5f);
    }
}

TEST(ModelImport, EveryMeshNamesTheSharedDiffuseMap) {
    ScratchDir dir;
    dir.write("two.mtl", GrassMaterial);
    const ImportedModel model = importModel(dir.write("two.obj", TwoObjects));
    ASSERT_TRUE(model.ok) << model.error;
    for (const ImportedMesh& mesh : model.meshes) {
        ASSERT_EQ(mesh.textures.size(), 1u);
        EXPECT_EQ(mesh.textures[0].samplerPrefix, "texture_diffuse");
        EXPECT_EQ(mesh.textures[0].fileName, "grass.png");
    }
}

TEST(ModelImport, SlotsGoInFixedOrderWithBumpAsNormalAndAmbientAsHeight) {
    ScratchDir dir;
    dir.write("all.mtl", FourSlotMaterial);
    const ImportedModel model = importModel(dir.write("all.obj", triangleUsing("all.mtl", "all")));
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 1u);
    const auto& textures = model.meshes[0].textures;
    ASSERT_EQ(textures.size(), 4u);
    EXPECT_EQ(textures[0].samplerPrefix, "texture_diffuse");
    EXPECT_EQ(textures[0].fileName, "colour.png");
    EXPECT_EQ(textures[1].samplerPrefix, "texture_specular");
    EXPECT_EQ(textures[1].fileName, "shine.png");
    EXPECT_EQ(textures[2].samplerPrefix, "texture_normal");
    EXPECT_EQ(textures[2].fileName, "bump.png");
    EXPECT_EQ(textures[3].samplerPrefix, "texture_height");
    EXPECT_EQ(textures[3].fileName, "ambient.png");
}

TEST(ModelImport, ModelDirectoryIsThePathUpToItsLastSlash) {
    EXPECT_EQ(modelDirectory("../assets/objects/map/grass.obj"), "../assets/objects/map");
    EXPECT_EQ(modelDirectory("grass.obj"), "grass.obj") << "no slash keeps the whole path";
    EXPECT_EQ(modelDirectory("/grass.obj"), "");
    EXPECT_EQ(modelDirectory("a//b.obj"), "a/");
}

TEST(ModelImport, ImportedDirectoryFollowsTheGivenPath) {
    ScratchDir dir;
    dir.write("two.mtl", GrassMaterial);
    const std::string path = dir.write("two.obj", TwoObjects);
    const ImportedModel model = importModel(path);
    ASSERT_TRUE(model.ok) << model.error;
    EXPECT_EQ(model.directory, dir.root().string());
}

// A missing file is the GL model test's, with the line it prints.
TEST(ModelImport, AnEmptyFileGivesTheImportersErrorAndNoMeshes) {
    ScratchDir dir;
    const ImportedModel empty = importModel(dir.write("empty.obj", ""));
    EXPECT_FALSE(empty.ok);
    EXPECT_FALSE(empty.error.empty());
    EXPECT_TRUE(empty.meshes.empty());
}

TEST(ModelImport, AMissingMaterialLibraryStillImportsTheGeometry) {
    ScratchDir dir;
    const ImportedModel model = importModel(dir.write("lonely.obj", triangleUsing("nowhere.mtl", "ghost")));
    ASSERT_TRUE(model.ok) << model.error;
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_TRUE(model.meshes[0].textures.empty());
    EXPECT_EQ(model.meshes[0].indices.size(), 3u);
}
