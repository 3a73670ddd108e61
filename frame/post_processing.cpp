#include "frame/post_processing.h"

namespace {

constexpr int BlurRounds = 2;

void gaussPass(const Framebuffer& target, const Framebuffer& source, const ShaderProgram& gaussProgram,
               GLint verticalLocation, bool vertical, const ScreenQuad& quad) {
    target.bind();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, target.width(), target.height());
    gaussProgram.bind();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, source.getTexture(GL_COLOR_ATTACHMENT0));
    glUniform1i(verticalLocation, vertical ? 1 : 0);
    quad.draw();
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
    target.unbind();
}

}  // namespace

void prepareScreenProgram(const ShaderProgram& screenProgram) {
    screenProgram.bind();
    screenProgram.setUniformInt("map1", 0);
    screenProgram.setUniformInt("map2", 1);
    glUseProgram(0);
}

void postProcess(const FrameTargets& targets, const ShaderProgram& gaussProgram, const ShaderProgram& screenProgram,
                 const ScreenQuad& quad, int width, int height, bool blur) {
    targets.scene.unbind();
    // A blit, not a drawing pass: the glow reaches half size with nearest filtering.
    if (blur) Framebuffer::blitColor(targets.scene, targets.blur2);

    const GLint vertical = glGetUniformLocation(gaussProgram.programId, "vertical");
    // Each round reads blur 2 and writes blur 1, then back; the result ends in blur 2.
    for (int round = 0; blur && round < BlurRounds; ++round) {
        gaussPass(targets.blur1, targets.blur2, gaussProgram, vertical, true, quad);
        gaussPass(targets.blur2, targets.blur1, gaussProgram, vertical, false, quad);
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
