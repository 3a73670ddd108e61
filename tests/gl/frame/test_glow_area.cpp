// The blur drawn only where the glow can reach leaves the same blurred glow
// as the whole blur: in the middle, against an edge the blur wraps over, and
// black where there is no glow at all.
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "frame/frame_targets.h"
#include "frame/post_processing.h"
#include "frame/screen_quad.h"
#include "support/gl_test.h"

namespace {

constexpr int Width = 160;
constexpr int Height = 120;

class GlowArea : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL();
        gauss = gameProgram("Gauss");
        screen = gameProgram("Screen");
        prepareScreenProgram(*screen);
        quad = std::make_unique<ScreenQuad>();
        targets = std::make_unique<FrameTargets>(Width, Height);
    }

    // Glow of the glow stars' colour in `spot`, black elsewhere, through the
    // game's post-processing; returns blur 2's texels.
    std::vector<float> blurred(const TexelRect& spot, std::optional<TexelRect> area) const {
        targets->scene.bind();
        const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
        const GLfloat hot[] = {1.0f, 0.85f, 0.3f, 1.0f};
        glClearBufferfv(GL_COLOR, 1, black);
        glEnable(GL_SCISSOR_TEST);
        glScissor(spot.x0, spot.y0, spot.x1 - spot.x0, spot.y1 - spot.y0);
        if (!spot.empty()) glClearBufferfv(GL_COLOR, 1, hot);
        glDisable(GL_SCISSOR_TEST);
        postProcess(*targets, *gauss, *screen, *quad, Width, Height, true, area);

        std::vector<float> texels(4 * targets->blur2.width() * targets->blur2.height());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, targets->blur2.name());
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glReadPixels(0, 0, targets->blur2.width(), targets->blur2.height(), GL_RGBA, GL_FLOAT, texels.data());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return texels;
    }

    std::unique_ptr<ShaderProgram> gauss;
    std::unique_ptr<ShaderProgram> screen;
    std::unique_ptr<ScreenQuad> quad;
    std::unique_ptr<FrameTargets> targets;
};

int litTexels(const std::vector<float>& texels) {
    int lit = 0;
    for (std::size_t i = 0; i < texels.size(); i += 4) lit += texels[i] > 0.0f ? 1 : 0;
    return lit;
}

}  // namespace

TEST_F(GlowArea, BlurOfTheGlowsReachAloneMatchesTheWholeBlur) {
    const TexelRect middle{70, 50, 78, 58};
    // Its blur wraps over to the left and bottom edges.
    const TexelRect corner{150, 2, 160, 9};
    for (const auto& [spot, other] : {std::pair{middle, corner}, std::pair{corner, middle}}) {
        const std::vector<float> whole = blurred(spot, std::nullopt);
        // The last frame's glow elsewhere must not show through.
        blurred(other, std::nullopt);
        const std::vector<float> limited = blurred(spot, spot);
        EXPECT_EQ(limited, whole) << "glow at " << spot.x0 << ", " << spot.y0;
        // The spot's 4 by 4 texels spread 16 texels each way.
        EXPECT_GT(litTexels(whole), 30 * 30);
    }
    EXPECT_EQ(litTexels(blurred(TexelRect{}, TexelRect{})), 0) << "no glow: blur 2 turns black";
    EXPECT_NO_GL_ERROR();
}
