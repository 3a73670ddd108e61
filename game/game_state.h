#pragma once

namespace rules {
constexpr float StartLives = 3.0f;
constexpr float CountdownSeconds = 60.0f;
}  // namespace rules

// The counters of one game. Counters are floats even where they count: the HUD
// shows them truncated toward zero.
struct GameState {
    float lives = rules::StartLives;
    float timeLeft = rules::CountdownSeconds;
    float countdownAccumulator = 0.0f;
    float carrotsCollected = 0.0f;
    bool lostLifeMessage = false;
    bool gainedLifeMessage = false;
    // The HUD saw the countdown at exactly 0: keeps a timed-out game lost.
    bool timeUpLatch = false;
};

// What evaluateEnd decided this frame.
enum class EndDecision { None, Win, Lose };
