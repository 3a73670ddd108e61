#include <gtest/gtest.h>

#include "frame/frame_targets.h"
#include "frame/post_processing.h"
#include "frame/screen_quad.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

constexpr int Width = 64;
constexpr int Height = 48;

// Halves what it reads and adds a half for a vertical pass only, so the
// final value tells the order of the four passes apart.
const char* const RecordingGauss = R"(#version 430 core
in vec2 uv;
uniform sampler2D image;
uniform int vertical;
out vec4 colour;
void main() {
    float previous = texture(image, uv).r;
    colour = vec4(previous * 0.5 + (vertical == 1 ? 0.5 : 0.0), 0.0, 0.0, 1.0);
}
)";

// Picture from "map1" into red, glow from "map2" into green.
const char* const SplitScreen = R"(#version 430 core
in vec2 uv;
uniform sampler2D map1;
uniform sampler2D map2;
out vec4 colour;
void main() { colour = vec4(texture(map1, uv).r, texture(map2, uv).r, 0.0, 1.0); }
)";

// The glow value after the four passes for a start value and pass kinds.
float afterPasses(float start, std::initializer_list<int> verticals) {
    float value = start;
    for (int vertical : verticals) value = value * 0.5f + (vertical == 1 ? 0.5f : 0.0f);
    return value;
}

}  // namespace

class PostProcessing : public testing::Test {
protected:
    void SetUp() override {
        if (!GlContext::get().ok()) GTEST_SKIP() << "no GL context";
        gauss = tree.program("Gauss", QuadVertex, RecordingGauss);
        screen = tree.program("Screen", QuadVertex, SplitScreen);
        prepareScreenProgram(*screen);
        quad = std::make_unique<ScreenQuad>();
        targets = std::make_unique<FrameTargets>(Width, Height);
    }

    void fillScene(float picture, float glow) const {
        targets->scene.bind();
        const GLfloat pictureColour[] = {picture, picture, picture, 1.0f};
        const GLfloat glowColour[] = {glow, glow, glow, 1.0f};
        glClearBufferfv(GL_COLOR, 0, pictureColour);
        glClearBufferfv(GL_COLOR, 1, glowColour);
        targets->scene.unbind();
    }

    // The composite lands on the default framebuffer: the hidden window's
    // back buffer, read back before any swap.
    void run() const {
        glEnable(GL_DEPTH_TEST);
        postProcess(*targets, *gauss, *screen, *quad, Width, Height);
    }

    TempTree tree;
    std::unique_ptr<ShaderProgram> gauss;
    std::unique_ptr<ShaderProgram> screen;
    std::unique_ptr<ScreenQuad> quad;
    std::unique_ptr<FrameTargets> targets;
};

TEST_F(PostProcessing, PassesRunVerticalHorizontalTwiceAndCompositeReadsPictureAndGlow) {
    fillScene(0.25f, 0.5f);
    run();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    const glm::ivec4 centre = readPixel(Width / 2, Height / 2);
    const float expected = afterPasses(0.5f, {1, 0, 1, 0});
    ASSERT_NE(expected, afterPasses(0.5f, {0, 1, 0, 1}));
    EXPECT_NEAR(centre.r, 0.25f * 255.0f, 1.5f) << "map1 is the picture on unit 0";
    EXPECT_NEAR(centre.g, expected * 255.0f, 1.5f) << "map2 is the blurred glow on unit 1";

    // The result of the last (horizontal) pass sits in blur 2.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets->blur2.name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    float blurred[4] = {};
    glReadPixels(3, 3, 1, 1, GL_RGBA, GL_FLOAT, blurred);
    EXPECT_NEAR(blurred[0], expected, 1e-3f);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets->blur1.name());
    glReadPixels(3, 3, 1, 1, GL_RGBA, GL_FLOAT, blurred);
    EXPECT_NEAR(blurred[0], afterPasses(0.5f, {1, 0, 1}), 1e-3f);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(PostProcessing, LeavesTheHudItsStateDepthOffUnitOneActiveBothTexturesBound) {
    fillScene(0.0f, 0.0f);
    run();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLint value = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &value);
    EXPECT_EQ(value, GL_TEXTURE1);
    EXPECT_EQ(boundTexture(GL_TEXTURE0), static_cast<GLint>(targets->scene.getTexture(GL_COLOR_ATTACHMENT0)));
    EXPECT_EQ(boundTexture(GL_TEXTURE1), static_cast<GLint>(targets->blur2.getTexture(GL_COLOR_ATTACHMENT0)));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], Width);
    EXPECT_EQ(viewport[3], Height);
    // The quad draw releases the program.
    EXPECT_EQ(currentProgram(), 0);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(PostProcessing, WireframeCompositeIsOutlinesOverWhite) {
    fillScene(0.0f, 0.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    run();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    // Off the quad's edges and its diagonal only the white clear shows.
    EXPECT_EQ(readPixel(Width / 4, Height * 3 / 4), glm::ivec4(255, 255, 255, 255));
    EXPECT_EQ(readPixel(Width * 3 / 4, Height / 4), glm::ivec4(255, 255, 255, 255));
    glActiveTexture(GL_TEXTURE0);
    EXPECT_NO_GL_ERROR();
}
