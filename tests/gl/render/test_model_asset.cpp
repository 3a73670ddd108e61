#include <optional>

#include "render/mesh.h"
#include "render/model_asset.h"
#include "support/gl_test.h"

// The star field draws a copy of the scene's star model.
TEST(ModelAsset, AMissingFileHoldsNothingAndMeshesShareOneRecordPerFileAndTheLastCopyDeletesMeshesThenTextures) {
    REQUIRE_GL();
    ScratchDir dir;
    const std::string absent = dir.path("objects/absent.obj");
    std::optional<ModelAsset> model;
    const std::string output = outputOf([&] { model.emplace(absent); });
    const std::string head = "Creating model : " + absent + "ERROR::ASSIMP:: ";
    EXPECT_EQ(output.rfind(head, 0), 0u) << output;
    EXPECT_GT(output.size(), head.size() + 1) << "the importer's text follows";
    EXPECT_EQ(output.find('\n'), output.size() - 1) << "one line, ended";
    EXPECT_TRUE(model->meshes.empty()) << "nothing half-imported to draw";
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());

    writePng(dir, "crate/a.png", patternImage(2, 2, 3, 1));
    writePng(dir, "crate/b.png", patternImage(2, 2, 4, 2));
    // b.png goes with the first mesh, so a release in the wrong order shows;
    // the second names a.png in another slot.
    dir.write("crate/ab.mtl", "newmtl a\nKd 1 1 1\nmap_Kd a.png\nmap_Ks b.png\nnewmtl b\nKd 1 1 1\nmap_Ks a.png\n");
    // A quad with UVs and a triangle without.
    const std::string path = dir.write(
        "crate/ab.obj",
        "mtllib ab.mtl\no quad\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl a\n"
        "f 1/1 2/2 3/3 4/4\no bare\nv 5 0 0\nv 6 0 0\nv 5 1 0\nusemtl b\nf 5 6 7\n");
    // The first mesh's line completes the model's.
    EXPECT_EQ(outputOf([&] { model.emplace(path); }),
              "Creating model : " + path + "...Creating Mesh\n...Creating Mesh\n");
    ASSERT_EQ(model->meshes.size(), 2u);
    const GLuint vao = model->meshes[0]->vao;
    const auto& shared = model->meshes[1]->textures.at(0);
    EXPECT_EQ(model->meshes[0]->textures.at(0), shared);
    EXPECT_EQ(shared->samplerPrefix, "texture_diffuse") << "the record keeps its first slot";
    const GLuint texture = shared->textureId;

    std::optional<ModelAsset> copy(*model);
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());
    EXPECT_TRUE(glIsVertexArray(vao) && glIsTexture(texture));
    EXPECT_EQ(outputOf([&] { copy.reset(); }), "Deleting Mesh\nDeleting Mesh\nDeleting Texture\nDeleting Texture\n");
    EXPECT_FALSE(glIsVertexArray(vao) || glIsTexture(texture));
}

namespace {

// Each sampler lands in its own channel, so a swapped unit changes the colour.
constexpr const char* Samplers = R"(#version 430 core
uniform sampler2D texture_diffuse1, texture_normal1, texture_diffuse2, texture_custom;
out vec4 colour;
void main() {
    vec2 uv = vec2(0.5);
    colour = vec4(texture(texture_diffuse1, uv).r, texture(texture_normal1, uv).r,
                  texture(texture_diffuse2, uv).r + texture(texture_custom, uv).r, 1.0);
}
)";

std::shared_ptr<Texture> record(const ScratchDir& dir, int red, const char* prefix) {
    const std::string path = writePng(dir, std::to_string(red) + ".png", solidImage(1, 1, {red, 0, 0}));
    return std::make_shared<Texture>(loadTexture2D(path.c_str()), prefix, path);
}

}  // namespace

TEST(Mesh, NumbersEachSamplerKindBindsTextureIToUnitIAndLeavesUnit0Active) {
    REQUIRE_GL();
    ScratchDir dir;
    const auto program = testProgram(dir, "samplers", ScreenVertex, Samplers);
    std::vector<MeshVertex> corners(4, MeshVertex{});
    for (int i = 0; i < 4; ++i) corners[i].position = glm::vec3(i == 1 || i == 2 ? 1 : -1, i < 2 ? -1 : 1, 0);
    auto mesh = std::make_shared<Mesh>(
        corners, std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3},
        std::vector<std::shared_ptr<Texture>>{record(dir, 200, "texture_diffuse"), record(dir, 100, "texture_normal"),
                                              record(dir, 50, "texture_diffuse"), record(dir, 20, "texture_custom")});

    clearWindow(8, 8);
    program->bind();
    for (const char* name : {"texture_diffuse1", "texture_normal1", "texture_diffuse2", "texture_custom"})
        glUniform1i(glGetUniformLocation(program->programId, name), 7);
    glActiveTexture(GL_TEXTURE5);
    mesh->draw(*program);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    // Diffuse 1, normal 1, and diffuse 2 plus the unnumbered custom map.
    EXPECT_TRUE(colourNear(glm::ivec3(windowPixel(4, 4)), {200, 100, 70}, 1));
    glUseProgram(0);

    const GLuint vao = mesh->vao, vbo = mesh->vbo, ebo = mesh->ebo;
    mesh.reset();
    EXPECT_FALSE(glIsVertexArray(vao) || glIsBuffer(vbo) || glIsBuffer(ebo));

    // Every kind counts on its own, past its first map too.
    std::vector<std::shared_ptr<Texture>> textures;
    for (const char* kind : {"specular", "normal", "specular", "height", "normal", "height", "diffuse"})
        textures.push_back(std::make_shared<Texture>(0, std::string("texture_") + kind, ""));
    const std::vector<std::string> expected = {"texture_specular1", "texture_normal1", "texture_specular2",
                                               "texture_height1",   "texture_normal2", "texture_height2",
                                               "texture_diffuse1"};
    EXPECT_EQ(samplerNames(textures), expected);
}
