#pragma once
#include <vector>

#include <glm/glm.hpp>

#include "app/app_state.h"
#include "game/camera.h"
#include "app/settings.h"

// The game routine: scene set-up, the frame loop until the window should
// close, then the release of the scene in reverse order.
void runGame(const Settings& settings, AppState& app, Camera& camera, std::vector<glm::vec3> smallStonePositions);
