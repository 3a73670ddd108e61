// What the drawing tests do not show of the off-screen targets: the console
// line for an incomplete one, the sizes an odd window gives, and the release.
#include <gtest/gtest.h>

#include "frame/frame_targets.h"
#include "frame/framebuffer.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

TEST(Framebuffer, IncompleteTargetPrintsOneLine) {
    REQUIRE_GL();
    Framebuffer framebuffer(8, 8);
    testing::internal::CaptureStdout();
    framebuffer.finish();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR WHILE BUILDING FRAMEBUFFER\n");
    EXPECT_NO_GL_ERROR();
}

TEST(FrameTargets, OddWindowGivesCompleteTruncatedHalfSizeBlurTargetsAndAllIsReleased) {
    REQUIRE_GL();
    GLuint scene = 0, picture = 0, glow = 0, depth = 0, blur = 0;
    {
        testing::internal::CaptureStdout();
        FrameTargets targets(1023, 767);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        for (const Framebuffer* target : {&targets.blur1, &targets.blur2}) {
            EXPECT_EQ(glm::ivec2(target->width(), target->height()), glm::ivec2(511, 383));
        }
        GLint bound = -1;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
        EXPECT_EQ(bound, 0) << "the window stays the drawing target";
        scene = targets.scene.name();
        picture = targets.scene.getTexture(GL_COLOR_ATTACHMENT0);
        glow = targets.scene.getTexture(GL_COLOR_ATTACHMENT1);
        depth = targets.scene.renderbuffer();
        EXPECT_TRUE(glIsRenderbuffer(depth)) << "the scene is drawn with a depth test";
        blur = targets.blur2.getTexture(GL_COLOR_ATTACHMENT0);
    }
    EXPECT_FALSE(glIsFramebuffer(scene));
    EXPECT_FALSE(glIsTexture(picture) || glIsTexture(glow) || glIsTexture(blur));
    EXPECT_FALSE(glIsRenderbuffer(depth));
    EXPECT_NO_GL_ERROR();
}
