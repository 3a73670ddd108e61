#pragma once
#include "app/app_state.h"
#include "app/settings.h"

// The game routine: scene set-up, the frame loop until the window should
// close, then the release of the scene in reverse order.
void runGame(const Settings& settings, AppState& app);
