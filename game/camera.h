#pragma once
#include <glm/glm.hpp>

#include "game/level_layout.h"

// The one camera. Angles are in degrees; the movement keys, the mouse and the
// rabbit's rules change it, the frame's matrices are made from it.
struct Camera {
    glm::vec3 position = level::cameraStart;
    glm::vec3 front{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
    glm::vec3 worldUp{0.0f, 1.0f, 0.0f};
    float yaw = -90.0f;
    float pitch = 0.0f;
    // World units per second.
    float speed = 210.0f;
    // Degrees per unit of cursor motion.
    float sensitivity = 0.1f;
    float fovDegrees = 45.0f;

    Camera() { updateAxes(); }

    void updateAxes();
    // Recomputes the axes first.
    glm::mat4 viewMatrix();
    // width and height are the settings' values, also in full-screen mode.
    glm::mat4 projectionMatrix(int width, int height, int farPlane) const;
};
