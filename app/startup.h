#pragma once
#include "app/app_state.h"
#include "app/settings.h"

// Start-up in its fixed order: settings, GLFW, window, GL, global GL state,
// glyph set, physics. Returns 0, or -1 after printing the failing step's line.
int initialize(Settings& settings, AppState& app);

// Shutdown after the game routine: physics scene, SDK, foundation, then GLFW.
void shutdown(AppState& app);
