#include <cmath>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "frame/frame_targets.h"
#include "frame/glow_stars.h"
#include "frame/post_processing.h"
#include "frame/screen_quad.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

// Picture grey, glow white only while "glow" is 1.
const char* const GlowLighting = R"(#version 430 core
uniform int glow;
layout(location = 0) out vec4 picture;
layout(location = 1) out vec4 glowOut;
void main() {
    picture = vec4(0.2, 0.2, 0.2, 1.0);
    glowOut = glow == 1 ? vec4(1.0) : vec4(0.0, 0.0, 0.0, 1.0);
}
)";

const char* const BoxGauss = R"(#version 430 core
in vec2 uv;
uniform sampler2D image;
uniform int vertical;
out vec4 colour;
void main() {
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec2 step = vertical == 1 ? vec2(0.0, texel.y) : vec2(texel.x, 0.0);
    vec4 sum = vec4(0.0);
    for (int i = -3; i <= 3; ++i) sum += texture(image, uv + float(i) * step);
    colour = sum / 7.0;
}
)";

const char* const AddScreen = R"(#version 430 core
in vec2 uv;
uniform sampler2D map1;
uniform sampler2D map2;
out vec4 colour;
void main() { colour = vec4(texture(map1, uv).rgb + texture(map2, uv).rgb, 1.0); }
)";

glm::vec3 origin(const glm::mat4& matrix) { return glm::vec3(matrix[3]); }

class GlowStarsTest : public testing::Test {
protected:
    void SetUp() override {
        if (!GlContext::get().ok()) GTEST_SKIP() << "no GL context";
        modelPath = tree.write("assets/objects/star/star.obj", SquareObj);
        lighting = tree.program("Lighting", SceneVertexShader, GlowLighting);
        testing::internal::CaptureStdout();
        stars = std::make_unique<GlowStars>(modelPath);
        testing::internal::GetCapturedStdout();
    }

    TempTree tree;
    std::string modelPath;
    std::unique_ptr<ShaderProgram> lighting;
    std::unique_ptr<GlowStars> stars;
};

}  // namespace

TEST_F(GlowStarsTest, ImportsItsOwnStarModelFromTheFixedPath) {
    WorkingDirectory inBuild(tree.build());
    testing::internal::CaptureStdout();
    GlowStars own;
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.rfind("Creating model : ../assets/objects/star/star.obj...Creating Mesh\n", 0), 0u) << output;
    ASSERT_TRUE(own.model);
    EXPECT_EQ(own.model->meshes.size(), 1u);
    EXPECT_EQ(own.angle1, 0.0f);
    EXPECT_TRUE(matricesNear(own.model3, glm::mat4(1.0f), 0.0f));
    EXPECT_NO_GL_ERROR();
}

// Star 1 makes half a turn a second, the other two a whole turn.
TEST_F(GlowStarsTest, StarsSpinWithTheFrameTimeAndCircleOneAnother) {
    stars->update(0.5f);
    stars->update(0.5f);
    EXPECT_NEAR(stars->angle1, 3.1415f, 1e-4f);
    EXPECT_NEAR(stars->angle2, 6.283f, 1e-4f);
    EXPECT_NEAR(stars->angle3, 6.283f, 1e-4f);

    const glm::vec3 centre(0.0f, 200.0f, 0.0f);
    EXPECT_NEAR(glm::length(origin(stars->model1) - centre), 0.0f, 1e-4f);
    const glm::vec3 second = origin(stars->model2);
    EXPECT_NEAR(glm::length(second - centre), 120.0f, 1e-3f);
}

TEST_F(GlowStarsTest, SwitchedOffTheyNeitherSpinNorDraw) {
    TestTarget target(32, 32);
    target.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    glUseProgram(0);
    const glm::mat4 view = glm::lookAt(glm::vec3(0, 200, 100), glm::vec3(0, 200, 0), glm::vec3(0, 1, 0));
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f);
    drawGlowStars(*stars, *lighting, view, projection, 0.5f, false);
    EXPECT_EQ(stars->angle1, 0.0f);
    EXPECT_EQ(stars->angle2, 0.0f);
    EXPECT_EQ(stars->angle3, 0.0f);
    EXPECT_EQ(currentProgram(), 0);
    EXPECT_EQ(target.pixel(16, 16), glm::ivec4(0, 0, 0, 255));

    drawGlowStars(*stars, *lighting, view, projection, 0.5f, true);
    EXPECT_FLOAT_EQ(stars->angle1, 0.5f * 3.1415f);
    EXPECT_EQ(uniformInt(lighting->programId, "glow"), 0) << "glow is switched back off after the stars";
    EXPECT_NO_GL_ERROR();
}

TEST_F(GlowStarsTest, GlowIsBlackWithoutStarsAndTheBlurredStarsShowInTheComposite) {
    constexpr int Size = 64;
    auto gauss = tree.program("Gauss", QuadVertex, BoxGauss);
    auto screen = tree.program("Screen", QuadVertex, AddScreen);
    prepareScreenProgram(*screen);
    ScreenQuad quad;
    FrameTargets targets(Size, Size);

    targets.scene.bind();
    glViewport(0, 0, Size, Size);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    // Star 1 faces the camera 100 units away; stars 2 and 3 start behind it.
    const glm::mat4 view = glm::lookAt(glm::vec3(0, 200, 100), glm::vec3(0, 200, 0), glm::vec3(0, 1, 0));
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f);
    drawGlowStars(*stars, *lighting, view, projection, 0.0f, true);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets.scene.name());
    glReadBuffer(GL_COLOR_ATTACHMENT1);
    EXPECT_EQ(readPixel(Size / 2, Size / 2), glm::ivec4(255, 255, 255, 255));
    EXPECT_EQ(readPixel(2, 2), glm::ivec4(0, 0, 0, 255));
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    EXPECT_NEAR(readPixel(Size / 2, Size / 2).r, 51, 1);

    postProcess(targets, *gauss, *screen, quad, Size, Size);
    glActiveTexture(GL_TEXTURE0);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets.blur2.name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    float glow[4] = {};
    glReadPixels(Size / 4, Size / 4, 1, 1, GL_RGBA, GL_FLOAT, glow);
    EXPECT_GT(glow[0], 0.5f) << "the star's centre glows";
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_FLOAT, glow);
    EXPECT_EQ(glow[0], 0.0f) << "no glow far from the star";

    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    const glm::ivec4 centre = readPixel(Size / 2, Size / 2);
    EXPECT_GT(centre.r, 200);
    EXPECT_EQ(readPixel(1, 1), glm::ivec4(0, 0, 0, 255));
    // The blur carries the glow beyond the star's own edge: find the edge
    // on the scene's glow output and look a pixel past it in the composite.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets.scene.name());
    glReadBuffer(GL_COLOR_ATTACHMENT1);
    int edge = Size / 2;
    while (edge < Size && readPixel(edge, Size / 2).r == 255) ++edge;
    ASSERT_LT(edge + 2, Size);
    EXPECT_EQ(readPixel(edge + 1, Size / 2).r, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    EXPECT_GT(readPixel(edge + 1, Size / 2).r, 20) << "the blurred glow reaches past the star";
    EXPECT_NO_GL_ERROR();
}
