#include "game/camera.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace {
constexpr float DegreesToRadians = 0.017453292f;
constexpr float NearDistance = 0.1f;
}  // namespace

void Camera::updateAxes() {
    const float yawRadians = yaw * DegreesToRadians;
    const float pitchRadians = pitch * DegreesToRadians;
    front = glm::normalize(glm::vec3(std::cos(yawRadians) * std::cos(pitchRadians), std::sin(pitchRadians),
                                     std::sin(yawRadians) * std::cos(pitchRadians)));
    right = glm::normalize(glm::cross(front, worldUp));
    up = glm::normalize(glm::cross(right, front));
}

glm::mat4 Camera::viewMatrix() {
    updateAxes();
    return glm::lookAt(position, position + front, up);
}

glm::mat4 Camera::projectionMatrix(int width, int height, int farPlane) const {
    return glm::perspective(fovDegrees * DegreesToRadians, static_cast<float>(width) / static_cast<float>(height),
                            NearDistance, static_cast<float>(farPlane));
}
