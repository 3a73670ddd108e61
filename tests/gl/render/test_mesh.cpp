#include <memory>
#include <string>
#include <vector>

#include "render/mesh.h"
#include "render_fixture.h"
#include "support/gl_context.h"

namespace {

// Each sampler lands in its own channel, so a swapped unit changes the colour.
constexpr const char* Samplers = R"(#version 430 core
uniform sampler2D texture_diffuse1;
uniform sampler2D texture_normal1;
uniform sampler2D texture_diffuse2;
uniform sampler2D texture_custom;
out vec4 colour;
void main() {
    vec2 uv = vec2(0.5);
    colour = vec4(texture(texture_diffuse1, uv).r, texture(texture_normal1, uv).r,
                  texture(texture_diffuse2, uv).r + texture(texture_custom, uv).r, 1.0);
}
)";

std::vector<MeshVertex> screenCorners() {
    std::vector<MeshVertex> vertices(4, MeshVertex{});
    const glm::vec2 corners[] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int i = 0; i < 4; ++i) vertices[i].position = glm::vec3(corners[i], 0.0f);
    return vertices;
}

std::shared_ptr<Texture> record(int red, const char* prefix) {
    return std::make_shared<Texture>(solidTexture({red, 0, 0}), prefix, std::string(prefix) + ".png");
}

}  // namespace

TEST(Mesh, NumbersEachSamplerKindBindsTextureIToUnitIAndLeavesUnit0Active) {
    REQUIRE_GL();
    ScratchDir dir;
    auto program = buildProgram(dir, "samplers", ScreenVertex, Samplers);
    const std::vector<std::shared_ptr<Texture>> textures = {
        record(200, "texture_diffuse"), record(100, "texture_normal"), record(50, "texture_diffuse"),
        record(20, "texture_custom")};
    std::shared_ptr<Mesh> mesh;
    const std::string created = outputOf([&] {
        mesh = std::make_shared<Mesh>(screenCorners(), std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}, textures);
    });
    EXPECT_EQ(created, std::string("...Creating Mesh") + "\n");

    TestTarget target(8, 8);
    target.clear();
    program->bind();
    for (const char* name : {"texture_diffuse1", "texture_normal1", "texture_diffuse2", "texture_custom"})
        glUniform1i(glGetUniformLocation(program->programId, name), 7);
    glActiveTexture(GL_TEXTURE5);
    mesh->draw(*program);

    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    // Diffuse 1, normal 1, and diffuse 2 plus the unnumbered custom map.
    EXPECT_TRUE(colourNear(glm::ivec3(target.pixel(4, 4)), {200, 100, 70}, 1));
    glUseProgram(0);

    // The list here still holds the textures, so only the mesh's own line shows.
    const GLuint vao = mesh->vao, vbo = mesh->vbo, ebo = mesh->ebo;
    EXPECT_EQ(outputOf([&] { mesh.reset(); }), std::string("Deleting Mesh") + "\n");
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vbo));
    EXPECT_FALSE(glIsBuffer(ebo));
    EXPECT_NO_GL_ERROR();
}

// Every kind counts on its own, past its first map too.
TEST(Mesh, SamplerNamesNumberEachKindFromOne) {
    REQUIRE_GL();
    const std::vector<std::string> expected = {"texture_specular1", "texture_normal1", "texture_specular2",
                                               "texture_height1",   "texture_normal2", "texture_height2",
                                               "texture_diffuse1"};
    EXPECT_EQ(samplerNames({record(0, "texture_specular"), record(0, "texture_normal"), record(0, "texture_specular"),
                            record(0, "texture_height"), record(0, "texture_normal"), record(0, "texture_height"),
                            record(0, "texture_diffuse")}),
              expected);
}
