// The lit stages and the glow stars, drawn with the game's own programs where
// the light is the point, and with flat test colours where only which program
// draws is.
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "frame/glow_stars.h"
#include "frame/lighting.h"
#include "render/texture.h"
#include "support/gl_test.h"

namespace {

const char* const SceneVertexShader = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
void main() { gl_Position = projection * view * model * vec4(position, 1.0); }
)";

const char* const TintFragment = R"(#version 430 core
uniform vec3 tint;
uniform int glow;
layout(location = 0) out vec4 picture;
void main() { picture = vec4(glow == 1 ? vec3(1.0) : tint, 1.0); }
)";

// A 2 by 2 square in the z = 0 plane facing +z, and the same laid flat, facing up.
const std::string SquareObj = squareObj("v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n", "0 0 1");
const std::string FlatObj = squareObj("v -1 0 1\nv 1 0 1\nv 1 0 -1\nv -1 0 -1\n", "0 1 0");

class LightingTest : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL();
        outputOf([&] {
            square = std::make_unique<ModelAsset>(tree.write("square.obj", SquareObj));
            flat = std::make_unique<ModelAsset>(tree.write("flat.obj", FlatObj));
        });
        // Maps of one colour, loaded as the game loads its images.
        auto solid = [&](const std::string& name, const glm::ivec3& rgb) {
            return loadTexture2D(writePng(tree, name + ".png", solidImage(1, 1, rgb)).c_str());
        };
        white = solid("white", glm::ivec3(255));
        grey = solid("grey", glm::ivec3(128));
        flatNormals = solid("normals", {128, 128, 255});
        clearWindow(32, 32);
        glEnable(GL_DEPTH_TEST);
    }

    void TearDown() override {
        glDisable(GL_DEPTH_TEST);
        glUseProgram(0);
        for (GLuint texture : {white, grey, flatNormals}) glDeleteTextures(1, &texture);
        EXPECT_NO_GL_ERROR();
    }

    // A camera 'distance' from 'at', 'degrees' off the vertical (from above) or
    // off +z, through a narrow lens.
    static LitView seenFrom(const glm::vec3& at, float distance, float degrees, bool fromAbove, float brightness) {
        const float angle = glm::radians(degrees);
        LitView view;
        view.brightness = brightness;
        view.cameraPosition = at + distance * (fromAbove ? glm::vec3(0.0f, std::cos(angle), std::sin(angle))
                                                         : glm::vec3(std::sin(angle), 0.0f, std::cos(angle)));
        view.view = glm::lookAt(view.cameraPosition, at, glm::vec3(0, 1, 0));
        view.projection = glm::perspective(glm::radians(10.0f), 1.0f, 0.1f, 1000.0f);
        return view;
    }

    // The centre of the ground as drawGround draws it with the program.
    glm::ivec4 ground(const ShaderProgram& program, float degrees, float brightness) const {
        clearWindow(32, 32);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, white);
        drawGround(program, *flat, seenFrom(glm::vec3(0.0f, 10.0f, 0.0f), 30.0f, degrees, true, brightness));
        return windowPixel(16, 16);
    }

    ScratchDir tree;
    std::unique_ptr<ModelAsset> square;
    std::unique_ptr<ModelAsset> flat;
    GLuint white = 0, grey = 0, flatNormals = 0;
};

}  // namespace

// Ambient 0.6 times the brightness, diffuse 0.3 from straight above and
// specular 0.2 at shininess 32: nothing of it at a grazing view, 0.066 seen
// 30 degrees off the vertical (15 degrees off the halfway vector). In cel
// mode flat ground seen at a grazing angle, as the far meadow is, keeps the
// light it has seen from above: only surfaces that curve away get the dark
// outline, and the highlight is the only difference allowed.
TEST_F(LightingTest, GroundIsAsBrightAsTheDirectionalLightMakesItInBothModes) {
    auto lit = gameProgram("Lighting");
    EXPECT_NEAR(ground(*lit, 80.0f, 0.0f).g, 0.3 * 255, 2.0);
    EXPECT_NEAR(ground(*lit, 80.0f, 1.0f).g, 0.9 * 255, 2.0);
    EXPECT_NEAR(ground(*lit, 30.0f, 0.0f).g, 0.366 * 255, 2.0);
    auto cel = gameProgram("cell");
    const int above = ground(*cel, 5.0f, 1.0f).g;
    const int grazing = ground(*cel, 87.0f, 1.0f).g;
    EXPECT_GT(grazing, above * 3 / 4) << "cel shading seen from above " << above << ", at a grazing angle " << grazing;
}

// Ground in the middle, a rabbit to the left of it: cel mode draws both
// with its own program whatever keys 1 and 2 say.
TEST_F(LightingTest, ModesPickTheProgramAndKeysOneAndTwoHideGroundAndRabbitInLitModeOnly) {
    auto lit = testProgram(tree, "Lighting", SceneVertexShader, TintFragment);
    auto cel = testProgram(tree, "cell", SceneVertexShader, TintFragment);
    lit->bind();
    lit->setUniformVec3("tint", 0.0f, 1.0f, 0.0f);
    cel->bind();
    cel->setUniformVec3("tint", 1.0f, 0.0f, 0.0f);
    const LitView frame = seenFrom(glm::vec3(0.0f, 10.0f, 0.0f), 950.0f, 0.0f, false, 1.0f);
    const glm::ivec4 green(0, 255, 0, 255), red(255, 0, 0, 255), none(0, 0, 0, 255);
    struct Case {
        bool celShading, showGround, showRabbit;
        glm::ivec4 ground, rabbit;
    };
    for (const Case& c : {Case{false, true, false, green, none}, Case{false, false, true, none, green},
                          Case{false, false, false, none, none}, Case{true, false, false, red, red}}) {
        clearWindow(32, 32);
        glUseProgram(0);
        const ShaderProgram& current = drawGroundAndRabbit(*lit, *cel, *square, *square, frame, c.celShading,
                                                           c.showGround, c.showRabbit, glm::vec3(-60, 10, 0), 0.0f);
        EXPECT_EQ(windowPixel(16, 16), c.ground) << c.celShading << c.showGround << c.showRabbit;
        EXPECT_EQ(windowPixel(4, 16), c.rabbit) << c.celShading << c.showGround << c.showRabbit;
        EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(current.programId))
            << "current for the meadow's objects";
        EXPECT_EQ(&current, c.celShading ? cel.get() : lit.get());
    }
}

// The crate faces its point light; wood maps white (diffuse) and grey
// (specular). Ambient 0.2 times the brightness (times the shader's 2.5),
// diffuse 0.5, specular 0.8 at shininess 64: 0.375 seen 10 degrees off the
// reflection, nothing at 60. The wall turns about its pivot, (0, 60, -1150)
// plus the light's offset (0, 6, 10): facing the camera at 0 s, edge-on at
// 10 degrees a second after 9.
TEST_F(LightingTest, CrateIsLitThroughItsWoodMapsAndTheBrickWallShowsWithItsKeyAndTurnsTenDegreesASecond) {
    auto lightmaps = gameProgram("lightmaps");
    lightmaps->bind();
    lightmaps->setUniformInt("material.diffuse", 0);
    lightmaps->setUniformInt("material.specular", 1);
    const glm::vec3 face(0.0f, 6.0f, 0.0f);
    auto crate = [&](float degrees, float brightness) {
        clearWindow(32, 32);
        drawCrate(*lightmaps, *square, white, grey, seenFrom(face, 5.0f, degrees, false, brightness),
                  glm::translate(glm::mat4(1.0f), face));
        return windowPixel(16, 16).g;
    };
    EXPECT_NEAR(crate(60.0f, 0.0f), 0.5 * 255, 2.0);
    EXPECT_NEAR(crate(60.0f, 0.4f), 0.7 * 255, 2.0);
    EXPECT_NEAR(crate(10.0f, 0.0f), (0.5 + 0.8 * 0.375 * 0.5) * 255, 3.0);

    auto normalmap = gameProgram("normalmap");
    normalmap->bind();
    normalmap->setUniformInt("normalMap", 1);
    const LitView frame = seenFrom(glm::vec3(0.0f, 66.0f, -1140.0f), 400.0f, 0.0f, false, 1.0f);
    auto wall = [&](float seconds, bool shown) {
        clearWindow(32, 32);
        glUseProgram(0);
        drawBrickWall(*normalmap, *square, white, flatNormals, frame, seconds, shown);
        return windowPixel(4, 16);
    };
    EXPECT_EQ(wall(0.0f, false), glm::ivec4(0, 0, 0, 255));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    const glm::ivec4 facing = wall(0.0f, true);
    EXPECT_GT(facing.r, 100);
    EXPECT_EQ(facing.r, facing.b) << "white bricks: the diffuse map on unit 0, the normal map on 1";
    EXPECT_EQ(wall(9.0f, true), glm::ivec4(0, 0, 0, 255));
}

// Star 1 makes half a turn a second about the centre (0, 200, 0), star 2
// circles it at 120 units and star 3 circles star 2 at 60 about x, a whole
// turn a second: after a quarter second star 2 is an eighth of a turn round
// and star 3 a quarter, right below it.
TEST_F(LightingTest, GlowStarsImportTheirOwnModelAndSpinAndGlowOnlyWhileSwitchedOn) {
    tree.write("assets/objects/star/star.obj", SquareObj);
    auto lighting = testProgram(tree, "Lighting", SceneVertexShader, TintFragment);
    lighting->bind();
    lighting->setUniformVec3("tint", 0.2f, 0.2f, 0.2f);
    WorkingDirectory inBuild(tree.path("build"));
    GlowStars stars;
    const glm::mat4 view = glm::lookAt(glm::vec3(50, 200, 0), glm::vec3(0, 200, 0), glm::vec3(0, 1, 0));
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f);
    drawGlowStars(stars, *lighting, view, projection, 0.25f, true);
    EXPECT_EQ(windowPixel(16, 16), glm::ivec4(255, 255, 255, 255)) << "drawn with glow on";
    GLint glow = -1;
    glGetUniformiv(lighting->programId, glGetUniformLocation(lighting->programId, "glow"), &glow);
    EXPECT_EQ(glow, 0) << "and switched back off after the stars";
    // Switched off they neither show nor turn.
    clearWindow(32, 32);
    glUseProgram(0);
    drawGlowStars(stars, *lighting, view, projection, 0.5f, false);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(windowPixel(16, 16), glm::ivec4(0, 0, 0, 255));
    // Star 2 lies flat after its quarter turn about x: seen from just above it.
    const float round = 120.0f * std::sqrt(0.5f);
    clearWindow(32, 32);
    const glm::vec3 second(round, 200.0f, round);
    drawGlowStars(stars, *lighting, glm::lookAt(second + glm::vec3(0, 50, 0), second, glm::vec3(1, 0, 0)), projection,
                  0.0f, true);
    EXPECT_EQ(windowPixel(20, 16), glm::ivec4(255, 255, 255, 255)) << "wider than star 3 below it";
    const glm::vec3 expected[] = {{0.0f, 200.0f, 0.0f}, {round, 200.0f, round}, {round, 140.0f, round}};
    const glm::mat4* models[] = {&stars.model1, &stars.model2, &stars.model3};
    for (int i = 0; i < 3; ++i)
        EXPECT_LT(glm::length(glm::vec3((*models[i])[3]) - expected[i]), 0.01f) << "star " << i + 1;
}
