#pragma once
#include <array>
#include <vector>

#include <glm/glm.hpp>

#include "game/game_state.h"
#include "game/image_sequence.h"
#include "game/level_layout.h"
#include "game/rabbit_motion.h"
#include "game/trunk_random.h"

struct Pickup {
    PickupKind kind = PickupKind::Carrot;
    glm::vec3 startPosition{0.0f};
    bool taken = false;
};

// Everything the rules change during a game: plain data, no GL, no window.
struct GameWorld {
    GameState state;
    glm::vec3 rabbitPosition = level::rabbitStart;
    // Radians; the first keyboard stage sets it before anything reads it.
    float rabbitFacing = 0.0f;
    // Set by the end decision and never cleared; stops W, A, S and D.
    bool gameEnded = false;
    // In pickupLayout order; the position itself lives in the physics body.
    std::array<Pickup, level::PickupCount> pickups;
    std::vector<Trunk> trunks;
    std::vector<glm::vec3> smallStonePositions;
    RabbitMotion motion;
    ImageSequence film;
};

// A world at its start, with the trunks from their streams and the small
// stones start-up generated.
GameWorld makeGameWorld(std::vector<glm::vec3> smallStonePositions);
