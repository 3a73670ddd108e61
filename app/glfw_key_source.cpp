#include "app/glfw_key_source.h"

#include <GLFW/glfw3.h>

bool GlfwKeySource::isPressed(int key) const { return glfwGetKey(window_, key) == GLFW_PRESS; }
