#pragma once
#include <functional>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "support/gl_test_target.h"
#include "support/scratch_dir.h"

#define EXPECT_NO_GL_ERROR() EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR))

// Everything the action writes to standard output.
std::string outputOf(const std::function<void()>& action);

// Rows top first, tightly packed.
struct Image {
    int width, height, channels;
    std::vector<unsigned char> bytes;
};
// Every byte different, so a shifted row or a swapped channel shows.
Image patternImage(int width, int height, int channels, int seed);
Image solidImage(int width, int height, const glm::ivec3& rgb);
// Under the scratch folder, parents made; returns the full path.
std::string writePng(const ScratchDir& dir, const std::string& relative, const Image& image);

// Position on attribute 0, as given.
extern const char* const ScreenVertex;

GLint integer(GLenum name);

::testing::AssertionResult colourNear(const glm::ivec3& actual, const glm::ivec3& expected, int tolerance);
