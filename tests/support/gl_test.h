#pragma once
// What the GL tests of every subsystem share: a hidden 4.3 core context, a
// window to draw into and read back, and scratch assets.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/shader_program.h"
#include "support/scratch_dir.h"

struct GLFWwindow;

// The first use starts a private Xvfb when DISPLAY is unset; the window and
// its current context live for the process. Null when none could be had.
GLFWwindow* glWindow();

#define EXPECT_NO_GL_ERROR() EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR))
// Skips the test without a context; otherwise expects no GL error left once
// the test's scope, and every GL object released in it, is gone.
struct NoGlErrorAtEnd {
    ~NoGlErrorAtEnd() { EXPECT_NO_GL_ERROR(); }
};
#define REQUIRE_GL()                                  \
    if (!glWindow()) GTEST_SKIP() << "no GL context"; \
    const NoGlErrorAtEnd noGlErrorAtEnd

// Runs the scope from another working directory (made if missing) and comes back.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// Draws into the hidden window's back buffer from its corner, width by height,
// cleared to the colour (black unless given).
void clearWindow(int width, int height, const glm::vec4& colour = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
glm::ivec4 windowPixel(int x, int y);
// RGBA bytes of the window's back buffer, bottom row first: what the next swap shows.
std::vector<unsigned char> windowPixels(int x, int y, int width, int height);
GLint integer(GLenum name);
::testing::AssertionResult colourNear(const glm::ivec3& actual, const glm::ivec3& expected, int tolerance);

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

// A linked program from the two sources, written under <dir>/shaders/.
std::unique_ptr<ShaderProgram> testProgram(const ScratchDir& dir, const std::string& name, const std::string& vertex,
                                           const std::string& fragment);
// One of the game's own programs: assets/shader/<name>.vert and .frag.
std::unique_ptr<ShaderProgram> gameProgram(const std::string& name);

// Two triangles over the four corners ("v x y z" lines, counter-clockwise)
// facing the normal, the texture once across, after the header's lines.
std::string squareObj(const std::string& corners, const std::string& normal, const std::string& header = "");

// Position on attribute 0, as given.
extern const char* const ScreenVertex;
