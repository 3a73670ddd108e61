#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/shader_program.h"

// A scratch tree laid out like an install: <root>/build is where the game
// runs, <root>/assets what its "../assets/" paths reach. Removed at the end.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path build() const { return root_ / "build"; }
    // relative to the root, parents made as needed.
    std::filesystem::path write(const std::string& relative, const std::string& contents) const;

    // A program from the two sources, written under <root>/shaders/.
    std::unique_ptr<ShaderProgram> program(const std::string& name, const std::string& vertex,
                                           const std::string& fragment) const;

private:
    std::filesystem::path root_;
};

// Runs the scope from another working directory and comes back.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// A colour target of its own with a depth buffer, so tests need not rely on
// the hidden window's default framebuffer. Bound while it lives.
class TestTarget {
public:
    TestTarget(int width, int height);
    ~TestTarget();
    TestTarget(const TestTarget&) = delete;
    TestTarget& operator=(const TestTarget&) = delete;

    GLuint name() const { return framebuffer_; }
    void bind() const;
    void clear(const glm::vec4& colour) const;
    // RGBA bytes, bottom row first.
    std::vector<unsigned char> pixels() const;
    glm::ivec4 pixel(int x, int y) const;

private:
    int width_;
    int height_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
};

// RGBA bytes of the bound read framebuffer's read buffer.
glm::ivec4 readPixel(int x, int y);

// A 2 by 2 square in the z = 0 plane facing +z, as an OBJ without material.
extern const char* const SquareObj;

// Passes and its vertex stage for the scene programs: position on attribute
// 0 through "model", "view" and "projection".
extern const char* const SceneVertexShader;

glm::mat4 uniformMat4(GLuint program, const char* name);
glm::vec3 uniformVec3(GLuint program, const char* name);
float uniformFloat(GLuint program, const char* name);
int uniformInt(GLuint program, const char* name);
GLint currentProgram();
GLint boundTexture(GLenum unit);

#define EXPECT_NO_GL_ERROR() EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR))

// Matrices equal entry by entry within tolerance.
::testing::AssertionResult matricesNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance);
