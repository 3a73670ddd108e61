#include <memory>
#include <optional>
#include <string>

#include "render/model_asset.h"
#include "render_fixture.h"
#include "support/gl_context.h"

namespace {

// A quad with UVs and a triangle without, both on the material given.
std::string twoObjects(const std::string& library, const std::string& first, const std::string& second) {
    return "mtllib " + library +
           "\no quad\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl " + first +
           "\nf 1/1 2/2 3/3 4/4\no bare\nv 5 0 0\nv 6 0 0\nv 5 1 0\nusemtl " + second + "\nf 5 6 7\n";
}

std::string material(const std::string& name, const std::string& lines) {
    return "newmtl " + name + "\nKd 1 1 1\n" + lines;
}

std::string line(const char* text) { return text + std::string("\n"); }

}  // namespace

TEST(ModelAsset, AFileNamedByTwoSlotsIsTriedOnceAndKeepsTheFirstSlotsPrefix) {
    REQUIRE_GL();
    ScratchDir dir;
    dir.write("m/both.mtl", material("both", "map_Kd same.png\nmap_Ks same.png\n"));
    const std::string path = dir.write("m/both.obj", twoObjects("both.mtl", "both", "both"));

    std::optional<ModelAsset> model;
    const std::string output = outputOf([&] { model.emplace(path); });
    // The file is missing: each attempt would print a line.
    EXPECT_EQ(occurrences(output, "Texture failed to load at path: "), 1u) << output;
    ASSERT_EQ(model->loadedTextures.size(), 1u);
    const auto& textures = model->meshes.at(0)->textures;
    ASSERT_EQ(textures.size(), 2u);
    EXPECT_EQ(textures[0], textures[1]);
    EXPECT_EQ(textures[1]->samplerPrefix, "texture_diffuse");
    EXPECT_NO_GL_ERROR();
}

TEST(ModelAsset, AMissingFileReportsTheImporterOnItsLineAndHoldsNothing) {
    REQUIRE_GL();
    ScratchDir dir;
    const std::string path = dir.path("objects/absent.obj");

    std::optional<ModelAsset> model;
    const std::string output = outputOf([&] { model.emplace(path); });
    const std::string head = "Creating model : " + path + "ERROR::ASSIMP:: ";
    EXPECT_EQ(output.rfind(head, 0), 0u) << output;
    EXPECT_GT(output.size(), head.size() + 1) << "the importer's text follows";
    EXPECT_EQ(occurrences(output, "\n"), 1u);
    EXPECT_EQ(output.back(), '\n');
    EXPECT_TRUE(model->meshes.empty()) << "nothing half-imported to draw";
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());
    EXPECT_NO_GL_ERROR();
}

// The star field draws a copy of the scene's star model.
TEST(ModelAsset, MeshesShareOneRecordPerFileAndOnlyTheLastCopyDeletesMeshesThenTextures) {
    REQUIRE_GL();
    ScratchDir dir;
    writePng(dir, "crate/a.png", patternImage(2, 2, 3, 1));
    writePng(dir, "crate/b.png", patternImage(2, 2, 4, 2));
    // b.png goes with the first mesh, so a release in the wrong order shows.
    dir.write("crate/ab.mtl", material("a", "map_Kd a.png\nmap_Ks b.png\n") + material("b", "map_Kd a.png\n"));
    const std::string path = dir.write("crate/ab.obj", twoObjects("ab.mtl", "a", "b"));

    std::optional<ModelAsset> model;
    // The first mesh's line completes the model's.
    EXPECT_EQ(outputOf([&] { model.emplace(path); }),
              "Creating model : " + path + line("...Creating Mesh") + line("...Creating Mesh"));
    ASSERT_EQ(model->meshes.size(), 2u);
    const GLuint vao = model->meshes[0]->vao;
    const GLuint texture = model->meshes[1]->textures.at(0)->textureId;
    EXPECT_EQ(model->meshes[0]->textures.at(0)->textureId, texture);

    std::optional<ModelAsset> copy(*model);
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());
    EXPECT_TRUE(glIsVertexArray(vao));
    EXPECT_TRUE(glIsTexture(texture));
    EXPECT_EQ(outputOf([&] { copy.reset(); }),
              line("Deleting Mesh") + line("Deleting Mesh") + line("Deleting Texture") + line("Deleting Texture"));
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_NO_GL_ERROR();
}
