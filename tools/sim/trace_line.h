#pragma once
#include <string>

#include <glm/glm.hpp>

#include "game/game_state.h"
#include "game/game_world.h"

// One frame of the simulator's trace, after the frame has run, with the
// fields of messages::TraceHeader.
std::string traceLine(int frameNumber, const GameWorld& world, const glm::vec3& cameraPosition, EndDecision end);
