#include "frame/post_processing.h"

namespace {

constexpr int BlurRounds = 2;
// Gauss.frag's farthest tap, in texels along its axis.
constexpr int GaussTapReach = 8;

void clearTarget(const Framebuffer& target) {
    target.bind();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void scissorTo(const TexelRect& area) {
    glScissor(area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
    glEnable(GL_SCISSOR_TEST);
}

// The whole target is cleared, only `area` is drawn: outside it the blur of
// black stays black.
void gaussPass(const Framebuffer& target, const Framebuffer& source, const ShaderProgram& gaussProgram,
               GLint verticalLocation, bool vertical, const ScreenQuad& quad, const TexelRect& area) {
    clearTarget(target);
    glViewport(0, 0, target.width(), target.height());
    scissorTo(area);
    gaussProgram.bind();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, source.getTexture(GL_COLOR_ATTACHMENT0));
    glUniform1i(verticalLocation, vertical ? 1 : 0);
    quad.draw();
    glDisable(GL_SCISSOR_TEST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
    target.unbind();
}

void blurGlow(const FrameTargets& targets, const ShaderProgram& gaussProgram, const ScreenQuad& quad,
              const TexelRect& area) {
    // Mesa's llvmpipe drops a clear that no drawing into the same target
    // follows, so even with no glow at all one black texel is blurred.
    const TexelRect drawn = area.empty() ? TexelRect{0, 0, 1, 1} : area;
    // Blur 2 holds the last frame's result; outside the area it must be black.
    if (drawn != TexelRect::whole(targets.blur2.width(), targets.blur2.height())) clearTarget(targets.blur2);

    // A blit, not a drawing pass: the glow reaches half size with nearest filtering.
    scissorTo(drawn);
    Framebuffer::blitColor(targets.scene, targets.blur2);
    glDisable(GL_SCISSOR_TEST);

    const GLint vertical = glGetUniformLocation(gaussProgram.programId, "vertical");
    // Each round reads blur 2 and writes blur 1, then back; the result ends in blur 2.
    for (int round = 0; round < BlurRounds; ++round) {
        gaussPass(targets.blur1, targets.blur2, gaussProgram, vertical, true, quad, drawn);
        gaussPass(targets.blur2, targets.blur1, gaussProgram, vertical, false, quad, drawn);
    }
}

}  // namespace

void prepareScreenProgram(const ShaderProgram& screenProgram) {
    screenProgram.bind();
    screenProgram.setUniformInt("map1", 0);
    screenProgram.setUniformInt("map2", 1);
    glUseProgram(0);
}

void postProcess(const FrameTargets& targets, const ShaderProgram& gaussProgram, const ShaderProgram& screenProgram,
                 const ScreenQuad& quad, int width, int height, bool blur, std::optional<TexelRect> glowArea) {
    targets.scene.unbind();
    if (blur) {
        const int halfWidth = targets.blur2.width();
        const int halfHeight = targets.blur2.height();
        blurGlow(targets, gaussProgram, quad,
                 glowArea ? blurReach(*glowArea, width, height, halfWidth, halfHeight, BlurRounds * GaussTapReach)
                          : TexelRect::whole(halfWidth, halfHeight));
    }

    // White shows through where wire-frame mode leaves the quad as outlines.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glViewport(0, 0, width, height);

    screenProgram.bind();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, targets.scene.getTexture(GL_COLOR_ATTACHMENT0));
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, targets.blur2.getTexture(GL_COLOR_ATTACHMENT0));
    quad.draw();
}
