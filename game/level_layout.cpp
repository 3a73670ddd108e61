#include "game/level_layout.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

bool isNear(const glm::vec3& a, const glm::vec3& b, float radius) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz) < radius;
}

glm::vec3 largeStonePoint(int index) {
    return {level::largeStoneX[static_cast<std::size_t>(index)], level::LargeStoneY, level::LargeStoneZ};
}

glm::mat4 heartMatrix(const glm::mat4& pose) {
    glm::mat4 model = glm::rotate(pose, level::HeartTurn, glm::vec3(0.0f, 1.0f, 0.0f));
    return glm::scale(model, level::heartScale);
}

glm::mat4 carrotMatrix(const glm::mat4& pose) { return glm::scale(pose, level::carrotScale); }

glm::mat4 trunkMatrix(const glm::vec3& position) { return glm::translate(glm::mat4(1.0f), position); }

glm::mat4 largeStoneMatrix(int index) {
    return glm::scale(glm::translate(glm::mat4(1.0f), largeStonePoint(index)), level::largeStoneScale);
}

glm::mat4 smallStoneMatrix(const glm::vec3& stored) {
    return glm::translate(glm::mat4(level::SmallStoneSpread), stored);
}

glm::vec3 smallStonePoint(const glm::vec3& stored) { return glm::vec3(smallStoneMatrix(stored)[3]); }

glm::mat4 crateMatrix() { return glm::scale(glm::translate(glm::mat4(1.0f), level::woodenCrate), level::crateScale); }

glm::mat4 tunnelWallMatrix() {
    glm::mat4 model = glm::translate(glm::mat4(1.0f), level::tunnelWall);
    model = glm::rotate(model, level::HalfPi, glm::vec3(0.0f, 1.0f, 0.0f));
    return glm::scale(model, level::tunnelWallScale);
}

glm::mat4 sequencePlaneMatrix() {
    return glm::rotate(glm::translate(glm::mat4(1.0f), level::sequencePlane), level::HalfPi,
                       glm::vec3(1.0f, 0.0f, 0.0f));
}
