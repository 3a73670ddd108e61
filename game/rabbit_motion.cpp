#include "game/rabbit_motion.h"

#include "game/key_codes.h"
#include "game/level_layout.h"

void advanceJumpTimer(RabbitMotion& rabbit, float deltaTime) {
    rabbit.jumpTimer = static_cast<float>(static_cast<double>(rabbit.jumpTimer) + static_cast<double>(deltaTime));
}

void updateJump(RabbitMotion& rabbit, const KeySource& keys, float deltaTime, glm::vec3& rabbitPosition) {
    const float k = deltaTime * motion::JumpRate;
    if (keys.isPressed(keys::Space) && rabbit.jumpTimer > motion::JumpEvery) {
        rabbit.jumping = true;
        rabbit.jumpTimer = 0.0f;
    }
    if (rabbit.jumping) {
        // The turn at the top costs one frame without motion.
        if (rabbitPosition.y < motion::JumpTop) {
            rabbitPosition += motion::jumpStep * (2.0f * k);
        } else {
            rabbit.jumping = false;
        }
    } else if (rabbitPosition.y > motion::RestHeight) {
        rabbitPosition -= motion::jumpStep * (2.0f * k);
    }
}

namespace {

// The frame's time in 1/60 s steps: exactly 1 for a frame of 1/60 s.
float tunedSteps(float deltaTime) { return deltaTime * motion::TunedFrameRate; }

// Pushes by EdgePush (times `sign`) per step while `beyond` holds; the last
// step may be a part of one.
template <typename Beyond>
void pushInwards(float steps, float sign, Beyond beyond, glm::vec3& rabbitPosition, glm::vec3& cameraPosition) {
    for (float left = steps; left > 0.0f && beyond(rabbitPosition.x); left -= 1.0f) {
        const float push = sign * motion::EdgePush * (left < 1.0f ? left : 1.0f);
        rabbitPosition.x += push;
        cameraPosition.x += push;
    }
}

}  // namespace

void enforceSideEdges(const KeySource& keys, float deltaTime, glm::vec3& rabbitPosition, glm::vec3& cameraPosition) {
    const float s = deltaTime * motion::EdgeSlideRate;
    const float steps = tunedSteps(deltaTime);
    if (rabbitPosition.x > motion::EdgeRight) {
        if (keys.isPressed(keys::D)) {
            rabbitPosition.z += s;
            cameraPosition.z += s;
        }
        pushInwards(
            steps, -1.0f, [](float x) { return x > motion::EdgeRight; }, rabbitPosition, cameraPosition);
    }
    // Tested on x as the right edge left it.
    if (rabbitPosition.x < motion::EdgeLeft) {
        if (keys.isPressed(keys::A)) {
            rabbitPosition.z -= s;
            cameraPosition.z -= s;
        }
        pushInwards(
            steps, 1.0f, [](float x) { return x < motion::EdgeLeft; }, rabbitPosition, cameraPosition);
    }
}

ObstacleKind largeStoneObstacle() {
    return {level::LargeStoneRadius, motion::largeStoneBoost, motion::largeStoneCameraShift, false};
}

ObstacleKind smallStoneObstacle() {
    return {level::SmallStoneRadius, motion::smallObstacleBoost, motion::smallObstacleCameraShift, true};
}

void bumpObstacle(RabbitMotion& rabbit, const ObstacleKind& kind, const glm::vec3& point, float lives, float deltaTime,
                  glm::vec3& rabbitPosition, glm::vec3& cameraPosition) {
    if (isNear(point, rabbitPosition, kind.radius) && (!kind.needsLives || lives > 0.0f)) {
        // The push-back is owed to the next object in the list, not paid here.
        rabbit.bumpPending = true;
        rabbit.boostArmed = true;
    } else if (rabbit.bumpPending) {
        const glm::vec3 push = motion::pushBack * tunedSteps(deltaTime);
        rabbitPosition += push;
        cameraPosition += push;
        rabbit.bumpPending = false;
    } else if (rabbit.jumping && rabbit.boostArmed) {
        rabbitPosition += kind.boost;
        cameraPosition += kind.cameraShift;
        rabbit.boostArmed = false;
    }
}

void bumpCrate(RabbitMotion& rabbit, float deltaTime, glm::vec3& rabbitPosition, glm::vec3& cameraPosition) {
    if (isNear(level::woodenCrate, rabbitPosition, level::CrateRadius)) {
        const glm::vec3 push = motion::pushBack * tunedSteps(deltaTime);
        rabbitPosition += push;
        cameraPosition += push;
        rabbit.boostArmed = true;
    }
    if (rabbit.jumping && rabbit.boostArmed) {
        rabbitPosition += motion::smallObstacleBoost;
        cameraPosition += motion::smallObstacleCameraShift;
        rabbit.boostArmed = false;
    }
}
