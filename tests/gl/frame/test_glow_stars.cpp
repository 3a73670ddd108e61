#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "frame/glow_stars.h"
#include "support/gl_test.h"

namespace {

// White while "glow" is 1, grey otherwise.
const char* const GlowLighting = R"(#version 430 core
uniform int glow;
layout(location = 0) out vec4 picture;
void main() { picture = vec4(vec3(glow == 1 ? 1.0 : 0.2), 1.0); }
)";

}  // namespace

// Star 1 makes half a turn a second about the centre (0, 200, 0), star 2
// circles it at 120 units and star 3 circles star 2 at 60 about x, a whole
// turn a second: after a quarter second star 2 is an eighth of a turn round
// and star 3 a quarter, right below it.
TEST(GlowStars, ImportTheirOwnModelAndSpinAndGlowOnlyWhileSwitchedOn) {
    REQUIRE_GL();
    ScratchDir tree;
    tree.write("assets/objects/star/star.obj", SquareObj);
    auto lighting = testProgram(tree, "Lighting", SceneVertexShader, GlowLighting);
    WorkingDirectory inBuild(tree.path("build"));
    testing::internal::CaptureStdout();
    GlowStars stars;
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.rfind("Creating model : ../assets/objects/star/star.obj...Creating Mesh\n", 0), 0u) << output;

    TestTarget target(32, 32);
    glEnable(GL_DEPTH_TEST);
    glUseProgram(0);
    const glm::mat4 view = glm::lookAt(glm::vec3(50, 200, 0), glm::vec3(0, 200, 0), glm::vec3(0, 1, 0));
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f);
    drawGlowStars(stars, *lighting, view, projection, 0.5f, false);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(target.pixel(16, 16), glm::ivec4(0, 0, 0, 255));

    drawGlowStars(stars, *lighting, view, projection, 0.25f, true);
    EXPECT_EQ(target.pixel(16, 16), glm::ivec4(255, 255, 255, 255)) << "drawn with glow on";
    GLint glow = -1;
    glGetUniformiv(lighting->programId, glGetUniformLocation(lighting->programId, "glow"), &glow);
    EXPECT_EQ(glow, 0) << "and switched back off after the stars";
    // Star 2 lies flat after its quarter turn about x: seen from just above it.
    const float round = 120.0f * std::sqrt(0.5f);
    target.clear();
    const glm::vec3 second(round, 200.0f, round);
    drawGlowStars(stars, *lighting, glm::lookAt(second + glm::vec3(0, 50, 0), second, glm::vec3(1, 0, 0)), projection,
                  0.0f, true);
    glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(target.pixel(20, 16), glm::ivec4(255, 255, 255, 255)) << "wider than star 3 below it";
    const glm::vec3 expected[] = {{0.0f, 200.0f, 0.0f}, {round, 200.0f, round}, {round, 140.0f, round}};
    const glm::mat4* models[] = {&stars.model1, &stars.model2, &stars.model3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(glm::length(glm::vec3((*models[i])[3]) - expected[i]), 0.01f) << "star " << i + 1;
    }
    glUseProgram(0);
    EXPECT_NO_GL_ERROR();
}
