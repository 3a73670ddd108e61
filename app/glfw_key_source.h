#pragma once
#include "game/key_source.h"

struct GLFWwindow;

// Held keys as GLFW reports them for the window at this moment.
class GlfwKeySource : public KeySource {
public:
    explicit GlfwKeySource(GLFWwindow* window) : window_(window) {}
    bool isPressed(int key) const override;

private:
    GLFWwindow* window_;
};
