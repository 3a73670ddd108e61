#include "game/game_rules.h"

#include "game/trunk_random.h"

void updateCountdown(GameState& state, float deltaTime) {
    state.countdownAccumulator += deltaTime;
    while (state.countdownAccumulator >= rules::CountdownStep && state.timeLeft >= rules::CountdownFloor) {
        state.timeLeft -= rules::CountdownStep;
        state.countdownAccumulator -= rules::CountdownStep;
    }
}

bool applyPickupRule(GameState& state, PickupKind kind, bool& taken, const glm::vec3& pickupPoint,
                     const glm::vec3& rabbitPosition) {
    const float radius = kind == PickupKind::Heart ? level::HeartRadius : level::CarrotRadius;
    if (!isNear(pickupPoint, rabbitPosition, radius) || taken || !(state.lives > 0.0f)) return false;
    if (kind == PickupKind::Heart) {
        state.lives += 1.0f;
        state.lostLifeMessage = false;
        taken = true;
        state.gainedLifeMessage = true;
    } else {
        state.carrotsCollected += 1.0f;
        taken = true;
    }
    return true;
}

bool applyTrunkRule(GameState& state, Trunk& trunk, const glm::vec3& rabbitPosition) {
    if (!isNear(trunk.position, rabbitPosition, level::TrunkRadius) || !(state.lives > 0.0f) || trunk.hit) {
        return false;
    }
    state.lives -= 1.0f;
    state.gainedLifeMessage = false;
    trunk.hit = true;
    state.lostLifeMessage = true;
    return true;
}

EndDecision evaluateEnd(GameState& state, bool& gameEnded) {
    if (state.carrotsCollected > rules::CarrotsToBeat && !state.timeUpLatch) {
        // Once past the carrot count the game can no longer be lost, only stop showing "Winner".
        if (state.lives > 0.0f && state.timeLeft >= rules::CountdownFloor) {
            gameEnded = true;
            return EndDecision::Win;
        }
        return EndDecision::None;
    }
    if (state.lives == 0.0f || state.timeLeft < rules::CountdownFloor) {
        state.timeLeft = 0.0f;
        gameEnded = true;
        return EndDecision::Lose;
    }
    return EndDecision::None;
}

bool hurryLineDue(const GameState& state) { return state.timeLeft <= rules::HurrySeconds && state.lives != 0.0f; }

void latchTimeUp(GameState& state) {
    if (state.timeLeft == 0.0f) state.timeUpLatch = true;
}
