// The off-screen targets, the blit, the blur passes and the composite onto
// the window through the screen quad, with test shaders whose results tell
// each step apart; and the game's own blur limited to the glow's area.
#include <optional>
#include <vector>

#include "frame/frame_targets.h"
#include "frame/framebuffer.h"
#include "frame/post_processing.h"
#include "frame/screen_quad.h"
#include "support/gl_test.h"

namespace {

const char* const QuadVertex = R"(#version 430 core
layout(location = 0) in vec4 position;
layout(location = 2) in vec2 texCoords;
out vec2 uv;
void main() { uv = texCoords; gl_Position = position; }
)";

// RGBA of every texel of a float target's first colour attachment, bottom row first.
std::vector<float> texels(const Framebuffer& target) {
    std::vector<float> values(4 * target.width() * target.height());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(0, 0, target.width(), target.height(), GL_RGBA, GL_FLOAT, values.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return values;
}

float readRed(const Framebuffer& target, int x, int y) { return texels(target)[4 * (y * target.width() + x)]; }

int litTexels(const std::vector<float>& values) {
    int lit = 0;
    for (std::size_t i = 0; i < values.size(); i += 4) lit += values[i] > 0.0f ? 1 : 0;
    return lit;
}

constexpr int Width = 64;
constexpr int Height = 48;

// Per texel: a vertical pass adds 1, a horizontal one halves. Two rounds of
// vertical then horizontal take a glow of 1 to 1 and of 0 to 0.75; any other
// order or count of passes gives other values, and 8-bit targets would clamp
// the 2.0 that blur 1 holds between passes.
const char* const RecordingGauss = R"(#version 430 core
in vec2 uv;
uniform sampler2D image;
uniform int vertical;
out vec4 colour;
void main() {
    float previous = texture(image, uv).r;
    colour = vec4(vertical == 1 ? previous + 1.0 : previous * 0.5, 0.0, 0.0, 1.0);
}
)";

const char* const SplitScreen = R"(#version 430 core
in vec2 uv;
uniform sampler2D map1;
uniform sampler2D map2;
out vec4 colour;
void main() { colour = vec4(texture(map1, uv).r, texture(map2, uv).r, 0.0, 1.0); }
)";

}  // namespace

TEST(PostProcessing, GlowIsShrunkBlurredInOrderAndCompositedOverTheWholeWindowOrAsOutlinesOverWhite) {
    REQUIRE_GL();
    ScratchDir tree;
    auto gauss = testProgram(tree, "Gauss", QuadVertex, RecordingGauss);
    auto screen = testProgram(tree, "Screen", QuadVertex, SplitScreen);
    prepareScreenProgram(*screen);
    ScreenQuad quad;
    FrameTargets targets(Width, Height);

    // Picture 0.25; glow 1 but 0 in the top right quarter.
    targets.scene.bind();
    const GLfloat picture[] = {0.25f, 0.25f, 0.25f, 1.0f}, glow[] = {1.0f, 1.0f, 1.0f, 1.0f}, marker[] = {0, 0, 0, 1};
    glClearBufferfv(GL_COLOR, 0, picture);
    glClearBufferfv(GL_COLOR, 1, glow);
    glEnable(GL_SCISSOR_TEST);
    glScissor(Width / 2, Height / 2, Width / 2, Height / 2);
    glClearBufferfv(GL_COLOR, 1, marker);
    glDisable(GL_SCISSOR_TEST);
    targets.scene.unbind();
    // As in the game: depth test and face culling on. The composite lands on
    // the hidden window's back buffer, read back before any swap.
    auto run = [&] {
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        postProcess(targets, *gauss, *screen, quad, Width, Height);
        glDisable(GL_CULL_FACE);
        glActiveTexture(GL_TEXTURE0);
    };
    run();
    // Blur 2 holds the last pass at half size, the quarter marker in place.
    EXPECT_FLOAT_EQ(readRed(targets.blur2, 15, 11), 1.0f);
    EXPECT_FLOAT_EQ(readRed(targets.blur2, 16, 12), 0.75f);

    // Picture in red across both triangles of the quad; the glow's marked
    // quarter the right way up, with a hard edge where it was stretched.
    for (const glm::ivec4 at :
         {glm::ivec4(0, 0, 64, 255), glm::ivec4(5, 40, 64, 255), glm::ivec4(60, 5, 64, 255),
          glm::ivec4(31, 47, 64, 255), glm::ivec4(32, 47, 64, 191), glm::ivec4(63, 47, 64, 191)}) {
        const glm::ivec4 pixel = windowPixel(at.x, at.y);
        EXPECT_NEAR(pixel.r, at.z, 1) << at.x << ", " << at.y;
        EXPECT_EQ(pixel.g, at.w) << at.x << ", " << at.y;
    }

    // What the HUD draws over: no depth test, no program (the pixels above
    // show the whole window).
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);

    // In wireframe mode the composite is outlines over white.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    run();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // Off the quad's edges and its diagonal only the white clear shows.
    EXPECT_EQ(windowPixel(Width / 4, Height * 3 / 4), glm::ivec4(255, 255, 255, 255));
    EXPECT_EQ(windowPixel(Width * 3 / 4, Height / 4), glm::ivec4(255, 255, 255, 255));
}

TEST(FrameTargets, OddWindowGivesCompleteTruncatedHalfSizeBlurTargetsAndAllIsReleasedButAnEmptyOneReports) {
    REQUIRE_GL();
    Framebuffer incomplete(8, 8);
    EXPECT_EQ(outputOf([&] { incomplete.finish(); }), "ERROR WHILE BUILDING FRAMEBUFFER\n");
    GLuint scene = 0, depth = 0, textures[3] = {};
    {
        std::unique_ptr<FrameTargets> targets;
        EXPECT_EQ(outputOf([&] { targets = std::make_unique<FrameTargets>(1023, 767); }), "");
        for (const Framebuffer* blur : {&targets->blur1, &targets->blur2})
            EXPECT_EQ(glm::ivec2(blur->width(), blur->height()), glm::ivec2(511, 383));
        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0) << "the window stays the drawing target";
        scene = targets->scene.name();
        depth = targets->scene.renderbuffer();
        EXPECT_TRUE(glIsRenderbuffer(depth)) << "the scene is drawn with a depth test";
        textures[0] = targets->scene.getTexture(GL_COLOR_ATTACHMENT0);
        textures[1] = targets->scene.getTexture(GL_COLOR_ATTACHMENT1);
        textures[2] = targets->blur2.getTexture(GL_COLOR_ATTACHMENT0);
    }
    EXPECT_FALSE(glIsFramebuffer(scene) || glIsRenderbuffer(depth));
    for (GLuint texture : textures) EXPECT_FALSE(glIsTexture(texture));
}

// The blur drawn only where the glow can reach leaves the same blurred glow
// as the whole blur: in the middle, against an edge the blur wraps over, and
// black where there is no glow at all.
TEST(PostProcessing, BlurOfTheGlowsReachAloneMatchesTheWholeBlur) {
    REQUIRE_GL();
    auto gauss = gameProgram("Gauss");
    auto screen = gameProgram("Screen");
    prepareScreenProgram(*screen);
    ScreenQuad quad;
    FrameTargets targets(160, 120);
    // Glow of the glow stars' colour in `spot`, black elsewhere; blur 2's texels.
    auto blurred = [&](const TexelRect& spot, std::optional<TexelRect> area) {
        targets.scene.bind();
        const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f}, hot[] = {1.0f, 0.85f, 0.3f, 1.0f};
        glClearBufferfv(GL_COLOR, 1, black);
        glEnable(GL_SCISSOR_TEST);
        glScissor(spot.x0, spot.y0, spot.x1 - spot.x0, spot.y1 - spot.y0);
        if (!spot.empty()) glClearBufferfv(GL_COLOR, 1, hot);
        glDisable(GL_SCISSOR_TEST);
        postProcess(targets, *gauss, *screen, quad, 160, 120, true, area);
        return texels(targets.blur2);
    };
    const TexelRect middle{70, 50, 78, 58};
    // Its blur wraps over to the left and bottom edges.
    const TexelRect corner{150, 2, 160, 9};
    for (const auto& [spot, other] : {std::pair{middle, corner}, std::pair{corner, middle}}) {
        const std::vector<float> whole = blurred(spot, std::nullopt);
        // The last frame's glow elsewhere must not show through.
        blurred(other, std::nullopt);
        EXPECT_EQ(blurred(spot, spot), whole) << "glow at " << spot.x0 << ", " << spot.y0;
        // The spot's 4 by 4 texels spread 16 texels each way.
        EXPECT_GT(litTexels(whole), 30 * 30);
    }
    EXPECT_EQ(litTexels(blurred(TexelRect{}, TexelRect{})), 0) << "no glow: blur 2 turns black";
}
