#include <gtest/gtest.h>

#include "support/gl_context.h"

TEST(GlContextTest, CoreContextOfAtLeast43) {
    REQUIRE_GL();
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    EXPECT_GE(major * 10 + minor, 43);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
