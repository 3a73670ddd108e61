#pragma once

// The counters of one game. Counters are floats even where they count: the HUD
// shows them truncated toward zero.
struct GameState {
    float lives = 3.0f;
    float timeLeft = 60.0f;
    float countdownAccumulator = 0.0f;
    float carrotsCollected = 0.0f;
    bool lostLifeMessage = false;
    bool gainedLifeMessage = false;
    // The HUD saw the countdown at exactly 0: keeps a timed-out game lost.
    bool timeUpLatch = false;
};

// What evaluateEnd decided this frame.
enum class EndDecision { None, Win, Lose };
