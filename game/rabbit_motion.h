#pragma once
#include <glm/glm.hpp>

#include "game/key_source.h"

// The jump, the side edges and the obstacles' push-back and hop-over boost.
// They read keys themselves and keep acting after the game has ended.

struct RabbitMotion {
    bool jumping = false;
    float jumpTimer = 0.0f;
    // Shared by every stone and the crate; the processing order decides which
    // object sets them and which one pays them off.
    bool bumpPending = false;
    bool boostArmed = false;
};

namespace motion {
// The walk on W, A, S and D along the world axes, world units per second.
constexpr float WalkSpeed = 210.0f;
// Facing when no movement key is held (W's facing).
constexpr float DefaultFacing = 3.1415927f;
constexpr float JumpTop = 120.0f;
constexpr float RestHeight = 20.0f;
constexpr float JumpEvery = 1.0f;
constexpr float JumpRate = 150.0f;
inline constexpr glm::vec3 jumpStep{0.0f, 1.0f, 0.5f};
constexpr float EdgeRight = 250.0f;
constexpr float EdgeLeft = -487.0f;
constexpr float EdgePush = 5.0f;
constexpr float EdgeSlideRate = 150.0f;
inline constexpr glm::vec3 pushBack{0.0f, 0.0f, 10.0f};
inline constexpr glm::vec3 largeStoneBoost{0.0f, 120.0f, -200.0f};
inline constexpr glm::vec3 largeStoneCameraShift{0.0f, 0.0f, -180.0f};
inline constexpr glm::vec3 smallObstacleBoost{0.0f, 120.0f, -80.0f};
inline constexpr glm::vec3 smallObstacleCameraShift{0.0f, 0.0f, -140.0f};
}  // namespace motion

// Loop-head timer advance, through double as the game did.
void advanceJumpTimer(RabbitMotion& rabbit, float deltaTime);

void updateJump(RabbitMotion& rabbit, const KeySource& keys, float deltaTime, glm::vec3& rabbitPosition);

void enforceSideEdges(const KeySource& keys, float deltaTime, glm::vec3& rabbitPosition, glm::vec3& cameraPosition);

struct ObstacleKind {
    float radius;
    glm::vec3 boost;
    glm::vec3 cameraShift;
    // Small stones only push while lives remain.
    bool needsLives;
};

ObstacleKind largeStoneObstacle();
ObstacleKind smallStoneObstacle();

void bumpObstacle(RabbitMotion& rabbit, const ObstacleKind& kind, const glm::vec3& point, float lives,
                  glm::vec3& rabbitPosition, glm::vec3& cameraPosition);

// The crate pushes back in every frame the rabbit is inside it and leaves
// bumpPending alone.
void bumpCrate(RabbitMotion& rabbit, glm::vec3& rabbitPosition, glm::vec3& cameraPosition);
