#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/skybox.h"
#include "render_fixture.h"
#include "support/gl_context.h"

namespace {

struct Face {
    const char* file;
    glm::ivec3 colour;
};
// In target order +X, -X, +Y, -Y, +Z, -Z.
const Face Faces[6] = {{"left.jpg", {220, 40, 40}},    {"right.jpg", {40, 220, 40}}, {"top.jpg", {40, 40, 220}},
                       {"bottom.jpg", {220, 220, 40}}, {"back.jpg", {220, 40, 220}}, {"front.jpg", {40, 220, 220}}};

std::string facePath(const std::string& file) { return "assets/objects/skybox/" + file; }

// <root>/run is the working directory, so "../assets/" reaches <root>/assets,
// where the game's own sky shaders are linked in.
struct SkyTree {
    SkyTree() {
        for (const char* stage : {"Skybox.vert", "Skybox.frag"}) {
            const std::string link = dir.path(std::string("assets/shader/") + stage);
            std::filesystem::create_directories(std::filesystem::path(link).parent_path());
            std::filesystem::create_symlink(std::string(MH_SOURCE_DIR) + "/assets/shader/" + stage, link);
        }
        // PNG content under the JPEG names: stb_image goes by the content, and
        // its JPEG writer trips the undefined-behaviour checker.
        for (const Face& face : Faces) writePng(dir, facePath(face.file), solidImage(4, 4, face.colour));
    }
    std::unique_ptr<Skybox> build(std::string& output) {
        WorkingDirectory cwd(dir.path("run"));
        std::unique_ptr<Skybox> sky;
        output = outputOf([&] { sky = std::make_unique<Skybox>(); });
        return sky;
    }
    ScratchDir dir;
};

const glm::mat4 Projection = glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 100.0f);

void render(Skybox& sky, const glm::mat4& view, const TestTarget& target) {
    target.clear();
    // The game's global state: depth test and back-face culling on.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    sky.draw(view, Projection);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
}

}  // namespace

TEST(Skybox, FacesLoadOneByOneEachWithItsOwnChannelCount) {
    REQUIRE_GL();
    SkyTree tree;
    std::filesystem::remove(tree.dir.path(facePath("top.jpg")));
    const Image rgba = patternImage(3, 3, 4, 11);
    const Image grey = patternImage(3, 3, 1, 77);
    const Image greyAlpha = patternImage(3, 3, 2, 33);
    writePng(tree.dir, facePath("right.jpg"), rgba);
    writePng(tree.dir, facePath("bottom.jpg"), grey);
    writePng(tree.dir, facePath("front.jpg"), greyAlpha);

    std::string output;
    auto sky = tree.build(output);
    // The creation text has no line end, so the failure line continues it.
    EXPECT_EQ(output, std::string("Creating shader : ") + "../assets/shader/Skybox.vert" +
                          "Skybox texture failed to load: " + "../assets/objects/skybox/top.jpg\n");
    glBindTexture(GL_TEXTURE_CUBE_MAP, sky->cubeMap);
    const GLint widths[6] = {4, 3, 0, 3, 4, 3};
    for (GLenum i = 0; i < 6; ++i) {
        GLint width = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, widths[i]) << Faces[i].file;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> right(9 * 4), bottom(9 * 3), front(9 * 3);
    glGetTexImage(GL_TEXTURE_CUBE_MAP_NEGATIVE_X, 0, GL_RGBA, GL_UNSIGNED_BYTE, right.data());
    glGetTexImage(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, 0, GL_RGB, GL_UNSIGNED_BYTE, bottom.data());
    glGetTexImage(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, 0, GL_RGB, GL_UNSIGNED_BYTE, front.data());
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    // Grey faces look grey: their one value in all three colours.
    for (std::size_t i = 0; i < 9; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            EXPECT_EQ(right[i * 4 + c], rgba.bytes[i * 4 + c]) << "pixel " << i;
            EXPECT_EQ(bottom[i * 3 + c], grey.bytes[i]) << "pixel " << i;
            EXPECT_EQ(front[i * 3 + c], greyAlpha.bytes[i * 2]) << "pixel " << i;
        }
    }

    const GLuint vao = sky->vao, vbo = sky->vbo, cubeMap = sky->cubeMap;
    EXPECT_EQ(outputOf([&] { sky.reset(); }), std::string(" ........... Deleting Shader") + "\n");
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vbo));
    EXPECT_FALSE(glIsTexture(cubeMap));
    EXPECT_NO_GL_ERROR();
}

TEST(Skybox, EachDirectionShowsItsFaceFromAnywhereAndTheDrawLeavesTheStateAsFound) {
    REQUIRE_GL();
    SkyTree tree;
    std::string output;
    auto sky = tree.build(output);
    EXPECT_EQ(output.find('\n'), std::string::npos) << output;
    TestTarget target(16, 16);
    const struct {
        glm::vec3 forward, up;
    } looks[6] = {{{1, 0, 0}, {0, 1, 0}},  {{-1, 0, 0}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, -1}},
                  {{0, -1, 0}, {0, 0, 1}}, {{0, 0, 1}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}}};
    for (int face = 0; face < 6; ++face) {
        SCOPED_TRACE(Faces[face].file);
        glDepthFunc(GL_ALWAYS);
        glActiveTexture(GL_TEXTURE3);
        render(*sky, glm::lookAt(glm::vec3(0.0f), looks[face].forward, looks[face].up), target);
        EXPECT_TRUE(colourNear(glm::ivec3(target.pixel(8, 8)), Faces[face].colour, 2));
        // The sky stays put however far the camera has moved.
        const glm::vec3 away(10.0f, 5.0f, -3.0f);
        render(*sky, glm::lookAt(away, away + looks[face].forward, looks[face].up), target);
        EXPECT_TRUE(colourNear(glm::ivec3(target.pixel(8, 8)), Faces[face].colour, 2));
        EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
        EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
        EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    }
    glUseProgram(0);
    EXPECT_NO_GL_ERROR();
}
