#pragma once
#include <glm/glm.hpp>

#include "game/game_state.h"
#include "game/level_layout.h"

struct Trunk;

namespace rules {
// One countdown step, and the clock's floor: below one second the game is lost.
constexpr float CountdownStep = 0.016666668f;
constexpr float CountdownFloor = 1.0f;
// More than this many carrots win.
constexpr float CarrotsToBeat = 7.0f;
// The items line counts down from this.
constexpr float CarrotsGoal = 8.0f;
// The hurry line shows at this many seconds or fewer.
constexpr float HurrySeconds = 10.0f;
}  // namespace rules

// Steps the countdown by whole 1/60 s steps of the time gathered, so that it
// runs on game time at any frame rate; it stops at the first value below 1.
void updateCountdown(GameState& state, float deltaTime);

// Returns true when the pickup was taken in this test.
bool applyPickupRule(GameState& state, PickupKind kind, bool& taken, const glm::vec3& pickupPoint,
                     const glm::vec3& rabbitPosition);

// Returns true when the trunk cost a life in this test.
bool applyTrunkRule(GameState& state, Trunk& trunk, const glm::vec3& rabbitPosition);

// The end-of-game decision, made anew every frame. A win or a loss sets
// gameEnded, which nothing clears; a loss also clears the clock.
EndDecision evaluateEnd(GameState& state, bool& gameEnded);

// The hurry line is due (only drawn while the HUD is on).
bool hurryLineDue(const GameState& state);

// Right after the hurry line is drawn: a clock at exactly 0 can only come from
// a lost game, and the latch keeps it lost.
void latchTimeUp(GameState& state);
