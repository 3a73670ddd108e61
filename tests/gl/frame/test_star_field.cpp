#include <glm/gtc/matrix_transform.hpp>

#include "app/scene_assets.h"
#include "frame/star_field.h"
#include "frame/star_placement.h"
#include "game/camera.h"
#include "support/gl_test.h"

namespace {

// Big enough stars for a small read-back, with a white 1 by 1 PNG for texture.
const std::string BigStarObj =
    squareObj("v -20 -20 0\nv 20 -20 0\nv 20 20 0\nv -20 20 0\n", "0 0 1", "mtllib star.mtl\nusemtl star\n");
const char* const StarMtl = "newmtl star\nKd 1 1 1\nmap_Kd star.png\n";

std::vector<glm::mat4> bufferContents(GLuint buffer) {
    std::vector<glm::mat4> contents(StarCount);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(contents.size() * sizeof(glm::mat4)),
                       contents.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return contents;
}

}  // namespace

// The ring about (40, y, 20) seen from well in front of it.
TEST(StarField, PlacementReseedsTheSharedGeneratorAndOneInstancedDrawPerMeshMovesAndShowsAllStarsWhileShown) {
    REQUIRE_GL();
    ScratchDir tree;
    tree.write("assets/objects/star/star.mtl", StarMtl);
    writePng(tree, "assets/objects/star/star.png", solidImage(1, 1, {255, 255, 255}));
    const std::string path = tree.write("assets/objects/star/star.obj", BigStarObj);
    auto particles = gameProgram("particles");
    std::unique_ptr<ModelAsset> model;
    outputOf([&] { model = std::make_unique<ModelAsset>(path); });

    StarField field(*model, 8);
    Lcg15 reference;
    reference.seed(8);
    for (int i = 0; i < 15000; ++i) reference.next();
    EXPECT_EQ(sharedLcg15().next(), reference.next()) << "the shared generator carries on after the placement";

    std::vector<glm::mat4> expected = field.matrices();
    for (int frame = 0; frame < 3; ++frame) drawStarField(field, *particles, false, true, 1.0f / 60.0f);
    EXPECT_EQ(bufferContents(field.instanceBuffer()), expected) << "hidden, the field freezes";

    clearWindow(128, 128);
    glEnable(GL_DEPTH_TEST);
    field.setCamera(*particles, glm::lookAt(glm::vec3(40, 30, 700), glm::vec3(40, 30, 20), glm::vec3(0, 1, 0)),
                    glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 2000.0f), 128, 128);
    GLuint query = 0, primitives = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    drawStarField(field, *particles, true, false, 2.0f / 60.0f);
    glEndQuery(GL_PRIMITIVES_GENERATED);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);
    glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(primitives, 3000u * 2u);
    moveStars(expected, 2.0f);
    EXPECT_EQ(bufferContents(field.instanceBuffer()), expected)
        << "two steps in 1/30 s from where it stopped, no frames made up";

    const std::vector<unsigned char> pixels = windowPixels(0, 0, 128, 128);
    std::size_t lit = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] > 100 ? 1 : 0;
    // Thousands of small stars spread over the ring, not one pile.
    EXPECT_GT(lit, 1000u);
    EXPECT_LT(lit, pixels.size() / 4 * 9 / 10);
    glUseProgram(0);
}

// Stars between pixel centres make no fragment, so leaving them out changes no
// pixel: the game's star drawn whole and culled, seen from the meadow's start
// and from near enough that the stars are a few pixels wide.
TEST(StarField, StarsLeftOutBetweenPixelCentresChangeNoPixel) {
    REQUIRE_GL();
    WorkingDirectory cwd(MH_BINARY_DIR);
    auto particles = gameProgram("particles");
    std::unique_ptr<ModelAsset> wholeModel, culledModel;
    outputOf([&] {
        wholeModel = std::make_unique<ModelAsset>(scenepaths::Star);
        culledModel = std::make_unique<ModelAsset>(scenepaths::Star);
    });
    StarField whole(*wholeModel, 5);
    StarField culled(*culledModel, 5);
    Camera camera;
    const glm::mat4 projection = camera.projectionMatrix(512, 512, 10000);
    clearWindow(512, 512);
    const std::vector<unsigned char> black = windowPixels(0, 0, 512, 512);
    glEnable(GL_DEPTH_TEST);
    for (const glm::vec3 position :
         {level::cameraStart, glm::vec3(40.0f, 0.0f, 900.0f), glm::vec3(40.0f, 0.0f, 3000.0f)}) {
        camera.position = position;
        const glm::mat4 view = camera.viewMatrix();
        for (int frame = 0; frame < 3; ++frame) {
            std::vector<unsigned char> pixels[2];
            for (bool filled : {false, true}) {
                StarField& field = filled ? culled : whole;
                clearWindow(512, 512);
                field.setCamera(*particles, view, projection, 512, 512);
                drawStarField(field, *particles, true, filled, 1.0f / 60.0f);
                pixels[filled] = windowPixels(0, 0, 512, 512);
            }
            EXPECT_TRUE(pixels[0] == pixels[1]) << "at z " << position.z << ", frame " << frame;
            EXPECT_TRUE(pixels[0] != black) << "some star shows";
        }
    }
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
}
