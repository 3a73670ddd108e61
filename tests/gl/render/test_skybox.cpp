#include <glm/gtc/matrix_transform.hpp>

#include "render/skybox.h"
#include "support/gl_test.h"

namespace {

// In target order +X, -X, +Y, -Y, +Z, -Z, each with the view that faces it.
const struct Face {
    const char* file;
    glm::ivec3 colour;
    glm::vec3 forward, up;
} Faces[6] = {{"left.jpg", {220, 40, 40}, {1, 0, 0}, {0, 1, 0}},  {"right.jpg", {40, 220, 40}, {-1, 0, 0}, {0, 1, 0}},
              {"top.jpg", {40, 40, 220}, {0, 1, 0}, {0, 0, -1}},  {"bottom.jpg", {220, 220, 40}, {0, -1, 0}, {0, 0, 1}},
              {"back.jpg", {220, 40, 220}, {0, 0, 1}, {0, 1, 0}}, {"front.jpg", {40, 220, 220}, {0, 0, -1}, {0, 1, 0}}};

std::string facePath(const std::string& file) { return "assets/objects/skybox/" + file; }

}  // namespace

// <root>/run is the working directory, so "../assets/" reaches <root>/assets,
// where the game's own shader folder is linked in.
TEST(Skybox, EachDirectionShowsItsFaceFromAnywhereAndFacesLoadOneByOneWithTheirChannelCounts) {
    REQUIRE_GL();
    ScratchDir dir;
    // PNG content under the JPEG names: stb_image goes by the content, and
    // its JPEG writer trips the undefined-behaviour checker.
    for (const Face& face : Faces) writePng(dir, facePath(face.file), solidImage(4, 4, face.colour));
    std::filesystem::create_directory_symlink(std::string(MH_SOURCE_DIR) + "/assets/shader", dir.path("assets/shader"));
    WorkingDirectory cwd(dir.path("run"));
    std::unique_ptr<Skybox> sky;
    EXPECT_EQ(outputOf([&] { sky = std::make_unique<Skybox>(); }), "Creating shader : ../assets/shader/Skybox.vert");
    // The game's global state: depth test (less) and back-face culling on.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    for (const Face& face : Faces) {
        SCOPED_TRACE(face.file);
        clearWindow(16, 16);
        glActiveTexture(GL_TEXTURE3);
        // Far from the sky cube's own corners: the sky stays put however far the camera moves.
        const glm::vec3 away(10.0f, 5.0f, -3.0f);
        sky->draw(glm::lookAt(away, away + face.forward, face.up),
                  glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 100.0f));
        EXPECT_TRUE(colourNear(glm::ivec3(windowPixel(8, 8)), face.colour, 2));
        EXPECT_EQ(glm::ivec3(integer(GL_DEPTH_FUNC), integer(GL_VERTEX_ARRAY_BINDING), integer(GL_ACTIVE_TEXTURE)),
                  glm::ivec3(GL_LESS, 0, GL_TEXTURE0))
            << "depth test, vertex array and texture unit as found";
    }
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);

    std::filesystem::remove(dir.path(facePath("top.jpg")));
    // Right, bottom and front (-X, -Y, -Z) as RGBA, grey and grey with alpha; 3
    // wide, so a row padded to four bytes would shift the next.
    const Image images[3] = {patternImage(3, 3, 4, 11), patternImage(3, 3, 1, 77), patternImage(3, 3, 2, 33)};
    for (int i = 0; i < 3; ++i) writePng(dir, facePath(Faces[2 * i + 1].file), images[i]);
    // The creation text has no line end, so the failure line continues it.
    EXPECT_EQ(outputOf([&] {
                  sky.reset();
                  sky = std::make_unique<Skybox>();
              }),
              " ........... Deleting Shader\nCreating shader : ../assets/shader/Skybox.vert"
              "Skybox texture failed to load: ../assets/objects/skybox/top.jpg\n");
    glBindTexture(GL_TEXTURE_CUBE_MAP, sky->cubeMap);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int i = 0; i < 3; ++i) {
        const Image& image = images[i];
        std::vector<unsigned char> rgb(27);
        glGetTexImage(GL_TEXTURE_CUBE_MAP_NEGATIVE_X + 2 * i, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        // Grey faces look grey: their one value in all three colours.
        for (std::size_t b = 0; b < rgb.size(); ++b)
            EXPECT_EQ(rgb[b], image.bytes[b / 3 * image.channels + (image.channels > 2 ? b % 3 : 0)])
                << Faces[2 * i + 1].file << " byte " << b;
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);

    const GLuint vao = sky->vao, vbo = sky->vbo, cubeMap = sky->cubeMap;
    EXPECT_EQ(outputOf([&] { sky.reset(); }), " ........... Deleting Shader\n");
    EXPECT_FALSE(glIsVertexArray(vao) || glIsBuffer(vbo) || glIsTexture(cubeMap));
}
