#pragma once
#include <glad/gl.h>

struct GLFWwindow;

// A hidden 4.3 core window whose context is current, for the GL tests. The
// first use starts a display when needed; the window lives for the process.
class GlContext {
public:
    static GlContext& get();
    bool ok() const { return window_ != nullptr; }
    GLFWwindow* window() const { return window_; }

private:
    GlContext();
    GLFWwindow* window_ = nullptr;
};

// Skips the current test when no context can be had.
#define REQUIRE_GL()                                                 \
    do {                                                             \
        if (!GlContext::get().ok()) GTEST_SKIP() << "no GL context"; \
    } while (0)
