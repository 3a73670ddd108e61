#include "support/gl_context.h"

#include <GLFW/glfw3.h>

#include "support/display.h"

GlContext& GlContext::get() {
    static GlContext context;
    return context;
}

GlContext::GlContext() {
    if (!ensureDisplay() || !glfwInit()) return;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window_ = glfwCreateWindow(256, 256, "mh-gl-tests", nullptr, nullptr);
    if (!window_) return;
    glfwMakeContextCurrent(window_);
    if (!gladLoadGL(glfwGetProcAddress)) {
        glfwDestroyWindow(window_);
        window_ = nullptr;
        return;
    }
}
