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
// The edge push and the obstacles' push-back were tuned as amounts per frame
// at this rate; they are applied per 1/60 s of the frame's time, so the edges
// and obstacles hold at any frame rate and are unchanged at 60.
constexpr float TunedFrameRate = 60.0f;
// Per 1/60 s while the rabbit is beyond an edge.
constexpr float EdgePush = 5.0f;
constexpr float EdgeSlideRate = 150.0f;
// Per 1/60 s of the frame that pays it.
inline constexpr glm::vec3 pushBack{0.0f, 0.0f, 10.0f};
inline constexpr glm::vec3 largeStoneBoost{0.0f, 120.0f, -200.0f};
inline constexpr glm::vec3 largeStoneCameraShift{0.0f, 0.0f, -180.0f};
inline constexpr glm::vec3 smallObstacleBoost{0.0f, 120.0f, -80.0f};
inline constexpr glm::vec3 smallObstacleCameraShift{0.0f, 0.0f, -140.0f};
}  // namespace motion

// Loop-head timer advance, the sum taken in double and rounded to float.
void advanceJumpTimer(RabbitMotion& rabbit, float deltaTime);

void updateJump(RabbitMotion& rabbit, const KeySource& keys, float deltaTime, glm::vec3& rabbitPosition);

// Beyond an edge the rabbit is pushed inwards by EdgePush for each 1/60 s of
// the frame (a share of it for the last part of a step) until it is back
// inside; a long frame therefore never throws it further than 60 frames would.
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

// The push-back scales with deltaTime; the hop-over boost is one-off.
void bumpObstacle(RabbitMotion& rabbit, const ObstacleKind& kind, const glm::vec3& point, float lives, float deltaTime,
                  glm::vec3& rabbitPosition, glm::vec3& cameraPosition);

// The crate pushes back in every frame the rabbit is inside it and leaves
// bumpPending alone.
void bumpCrate(RabbitMotion& rabbit, float deltaTime, glm::vec3& rabbitPosition, glm::vec3& cameraPosition);
