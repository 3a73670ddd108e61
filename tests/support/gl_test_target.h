#pragma once
// Pieces the GL tests of every subsystem share.
#include <filesystem>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

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
    void clear(const glm::vec4& colour = glm::vec4(0.0f)) const;
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
