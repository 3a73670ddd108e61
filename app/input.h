#pragma once
#include <array>

#include "game/camera.h"
#include "app/render_toggles.h"
#include "game/key_source.h"

// The function keys' states of the previous keyboard stage, in toggle order
// F3, F4, F5, F8, F2, F6, F10; a toggle acts on the press only.
struct InputState {
    std::array<bool, 7> previous{};
};

struct MouseState {
    bool firstMouse = true;
    float lastX = 0.0f;
    float lastY = 0.0f;
};

// The keyboard stage's own keys (the walk is the game's): the display toggles
// with their console lines, the digit keys flipping on every held frame.
// Returns true when Escape is held; the caller asks the window to close, and
// the frame still runs to its end.
bool processToggleKeys(const KeySource& keys, RenderToggles& toggles, InputState& input);

// The cursor callback's logic; positions are unbounded because the cursor is
// captured. Only the free camera turns.
void onCursorMoved(MouseState& mouse, Camera& camera, bool freeCamera, double x, double y);
