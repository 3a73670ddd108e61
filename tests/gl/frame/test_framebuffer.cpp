#include <gtest/gtest.h>

#include "frame/frame_targets.h"
#include "frame/framebuffer.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

GLint attachmentParameter(GLuint framebuffer, GLenum attachment, GLenum parameter) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    GLint value = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, parameter, &value);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return value;
}

GLint textureParameter(GLuint texture, GLenum parameter) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

GLenum status(const Framebuffer& framebuffer) {
    framebuffer.bind();
    const GLenum result = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    framebuffer.unbind();
    return result;
}

GLint drawBuffer(const Framebuffer& framebuffer, int index) {
    framebuffer.bind();
    GLint value = 0;
    glGetIntegerv(GL_DRAW_BUFFER0 + index, &value);
    framebuffer.unbind();
    return value;
}

}  // namespace

TEST(Framebuffer, ColourTexturesTakeTheNextAttachmentAndDrawInTheOrderAdded) {
    REQUIRE_GL();
    Framebuffer framebuffer(40, 30);
    framebuffer.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
    framebuffer.addColorTexture(GL_RGBA16F, GL_FLOAT);
    framebuffer.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
    testing::internal::CaptureStdout();
    framebuffer.finish();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    const std::vector<GLenum> expected = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2};
    EXPECT_EQ(framebuffer.drawBuffers(), expected);
    for (int i = 0; i < 3; ++i) {
        const GLenum attachment = GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i);
        EXPECT_EQ(drawBuffer(framebuffer, i), static_cast<GLint>(attachment));
        const GLuint texture = framebuffer.getTexture(attachment);
        EXPECT_EQ(attachmentParameter(framebuffer.name(), attachment, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME),
                  static_cast<GLint>(texture));
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WIDTH), 40);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_HEIGHT), 30);
        // The composite stretches the half-size glow: nearest, as the game has always drawn it.
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
        glBindTexture(GL_TEXTURE_2D, 0);
        EXPECT_EQ(filter, GL_NEAREST);
    }
    EXPECT_EQ(status(framebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

    // Adding and finishing leave nothing bound.
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_NO_GL_ERROR();
}

TEST(Framebuffer, MissingAttachmentGivesAllBitsSet) {
    REQUIRE_GL();
    Framebuffer framebuffer(8, 8);
    EXPECT_EQ(framebuffer.getTexture(GL_COLOR_ATTACHMENT0), 0xFFFFFFFFu);
    framebuffer.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
    EXPECT_NE(framebuffer.getTexture(GL_COLOR_ATTACHMENT0), 0xFFFFFFFFu);
    EXPECT_EQ(framebuffer.getTexture(GL_COLOR_ATTACHMENT1), 0xFFFFFFFFu);
    EXPECT_EQ(framebuffer.getTexture(GL_DEPTH_STENCIL_ATTACHMENT), 0xFFFFFFFFu);
    EXPECT_NO_GL_ERROR();
}

TEST(Framebuffer, IncompleteTargetPrintsOneLineAndStaysUsable) {
    REQUIRE_GL();
    Framebuffer framebuffer(8, 8);
    testing::internal::CaptureStdout();
    framebuffer.finish();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR WHILE BUILDING FRAMEBUFFER\n");
    framebuffer.bind();
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, static_cast<GLint>(framebuffer.name()));
    framebuffer.unbind();
    EXPECT_NO_GL_ERROR();
}

TEST(Framebuffer, DestructionReleasesEveryName) {
    REQUIRE_GL();
    GLuint name = 0, picture = 0, glow = 0, depth = 0;
    {
        Framebuffer framebuffer(16, 16);
        framebuffer.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
        framebuffer.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
        framebuffer.addDepthStencilBuffer();
        framebuffer.finish();
        name = framebuffer.name();
        picture = framebuffer.getTexture(GL_COLOR_ATTACHMENT0);
        glow = framebuffer.getTexture(GL_COLOR_ATTACHMENT1);
        depth = framebuffer.renderbuffer();
        ASSERT_TRUE(glIsFramebuffer(name));
        ASSERT_TRUE(glIsRenderbuffer(depth));
    }
    EXPECT_FALSE(glIsFramebuffer(name));
    EXPECT_FALSE(glIsTexture(picture));
    EXPECT_FALSE(glIsTexture(glow));
    EXPECT_FALSE(glIsRenderbuffer(depth));
    EXPECT_NO_GL_ERROR();
}

TEST(FrameTargets, OddWindowGivesTruncatedHalfSizeBlurTargetsAllComplete) {
    REQUIRE_GL();
    testing::internal::CaptureStdout();
    GLuint sceneName = 0, blur2Name = 0;
    {
        FrameTargets targets(1023, 767);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        sceneName = targets.scene.name();
        blur2Name = targets.blur2.name();

        EXPECT_EQ(targets.scene.width(), 1023);
        EXPECT_EQ(targets.scene.height(), 767);
        for (const Framebuffer* blur : std::initializer_list<const Framebuffer*>{&targets.blur1, &targets.blur2}) {
            EXPECT_EQ(blur->width(), 511);
            EXPECT_EQ(blur->height(), 383);
            EXPECT_EQ(status(*blur), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
            EXPECT_EQ(blur->renderbuffer(), 0u);
            EXPECT_EQ(blur->drawBuffers().size(), 1u);
            const GLuint texture = blur->getTexture(GL_COLOR_ATTACHMENT0);
            EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WIDTH), 511);
            EXPECT_EQ(textureParameter(texture, GL_TEXTURE_HEIGHT), 383);
        }

        EXPECT_EQ(status(targets.scene), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        EXPECT_EQ(targets.scene.drawBuffers().size(), 2u);
    }
    EXPECT_FALSE(glIsFramebuffer(sceneName));
    EXPECT_FALSE(glIsFramebuffer(blur2Name));
    EXPECT_EQ(halfSize(1024), 512);
    EXPECT_EQ(halfSize(1), 0);
    EXPECT_NO_GL_ERROR();
}

TEST(Framebuffer, BlitCopiesTheGlowOutputShrunkOntoTheWholeDestination) {
    REQUIRE_GL();
    FrameTargets targets(64, 32);
    targets.scene.bind();
    const GLfloat picture[] = {1.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat glow[] = {0.0f, 0.0f, 1.0f, 1.0f};
    glClearBufferfv(GL_COLOR, 0, picture);
    glClearBufferfv(GL_COLOR, 1, glow);
    // A marker in the glow's top right quarter must land in the blur's top right quarter.
    glEnable(GL_SCISSOR_TEST);
    glScissor(32, 16, 32, 16);
    const GLfloat marker[] = {0.0f, 1.0f, 0.0f, 1.0f};
    glClearBufferfv(GL_COLOR, 1, marker);
    glDisable(GL_SCISSOR_TEST);
    targets.scene.unbind();

    Framebuffer::blitColor(targets.scene, targets.blur2);
    GLint read = -1, draw = -1;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(draw, 0);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets.blur2.name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    std::vector<float> texels(32 * 16 * 4);
    glReadPixels(0, 0, 32, 16, GL_RGBA, GL_FLOAT, texels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    auto at = [&](int x, int y) {
        const std::size_t i = (static_cast<std::size_t>(y) * 32 + x) * 4;
        return glm::vec3(texels[i], texels[i + 1], texels[i + 2]);
    };
    EXPECT_EQ(at(0, 0), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(at(15, 7), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(at(16, 8), glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(at(31, 15), glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(at(31, 0), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_NO_GL_ERROR();
}
