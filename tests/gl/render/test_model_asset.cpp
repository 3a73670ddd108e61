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

std::string line(const char* text, const std::string& rest = "") { return text + rest + "\n"; }

constexpr const char* White = R"(#version 430 core
out vec4 colour;
void main() { colour = vec4(1.0); }
)";

}  // namespace

TEST(ModelAsset, MeshesSharingOneDiffuseMapShareOneRecord) {
    REQUIRE_GL();
    ScratchDir dir;
    writePng(dir, "meadow/grass.png", patternImage(2, 2, 3, 5));
    dir.write("meadow/grass.mtl", material("grass", "map_Kd grass.png\n"));
    const std::string path = dir.write("meadow/grass.obj", twoObjects("grass.mtl", "grass", "grass"));

    std::optional<ModelAsset> model;
    const std::string output = outputOf([&] { model.emplace(path); });
    // The first mesh's line completes the model's.
    EXPECT_EQ(output, "Creating model : " + path + line("...Creating Mesh") + line("...Creating Mesh"));
    EXPECT_EQ(model->directory, dir.path("meadow"));
    ASSERT_EQ(model->meshes.size(), 2u);
    ASSERT_EQ(model->loadedTextures.size(), 1u);
    for (const auto& mesh : model->meshes) {
        ASSERT_EQ(mesh->textures.size(), 1u);
        EXPECT_EQ(mesh->textures[0], model->loadedTextures[0]);
    }
    EXPECT_EQ(model->loadedTextures[0]->fileName, "grass.png");
    EXPECT_TRUE(glIsTexture(model->loadedTextures[0]->textureId));
    for (const MeshVertex& v : model->meshes[1]->vertices) EXPECT_EQ(v.texCoords, glm::vec2(0.0f));
    EXPECT_NO_GL_ERROR();
}

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
    EXPECT_NE(textures[0]->textureId, 0u);
    EXPECT_NO_GL_ERROR();
}

TEST(ModelAsset, AMissingFileReportsTheImporterAndDrawsNothing) {
    REQUIRE_GL();
    ScratchDir dir;
    auto program = buildProgram(dir, "white", ScreenVertex, White);
    const std::string path = dir.path("objects/absent.obj");

    std::optional<ModelAsset> model;
    const std::string output = outputOf([&] { model.emplace(path); });
    const std::string head = "Creating model : " + path + "ERROR::ASSIMP:: ";
    EXPECT_EQ(output.rfind(head, 0), 0u) << output;
    EXPECT_GT(output.size(), head.size() + 1) << "the importer's text follows";
    EXPECT_EQ(occurrences(output, "\n"), 1u);
    EXPECT_EQ(output.back(), '\n');
    EXPECT_TRUE(model->meshes.empty());
    EXPECT_TRUE(model->loadedTextures.empty());
    EXPECT_TRUE(model->directory.empty());

    TestTarget target(4, 4);
    target.clear();
    program->bind();
    model->draw(*program);
    glUseProgram(0);
    EXPECT_EQ(glm::ivec3(target.pixel(2, 2)), glm::ivec3(0));
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());
    EXPECT_NO_GL_ERROR();
}

TEST(ModelAsset, CopiesShareEverythingAndOnlyTheLastOwnerDeletesMeshesBeforeTextures) {
    REQUIRE_GL();
    ScratchDir dir;
    writePng(dir, "crate/a.png", patternImage(2, 2, 3, 1));
    writePng(dir, "crate/b.png", patternImage(2, 2, 4, 2));
    dir.write("crate/ab.mtl", material("a", "map_Kd a.png\n") + material("b", "map_Kd b.png\n"));
    const std::string path = dir.write("crate/ab.obj", twoObjects("ab.mtl", "a", "b"));

    std::optional<ModelAsset> model;
    outputOf([&] { model.emplace(path); });
    ASSERT_EQ(model->meshes.size(), 2u);
    ASSERT_EQ(model->loadedTextures.size(), 2u);
    const GLuint vao = model->meshes[0]->vao;
    const GLuint texture = model->loadedTextures[1]->textureId;

    std::optional<ModelAsset> copy(*model);
    EXPECT_EQ(copy->meshes, model->meshes);
    EXPECT_EQ(copy->loadedTextures, model->loadedTextures);
    EXPECT_TRUE(outputOf([&] { copy.reset(); }).empty());
    EXPECT_TRUE(glIsVertexArray(vao));
    EXPECT_TRUE(glIsTexture(texture));

    const std::string output = outputOf([&] { model.reset(); });
    EXPECT_EQ(output,
              line("Deleting Mesh") + line("Deleting Mesh") + line("Deleting Texture") + line("Deleting Texture"));
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_NO_GL_ERROR();
}
