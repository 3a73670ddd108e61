#pragma once

// Frame time on the window library's clock, in single precision on purpose:
// every motion and timer of the game scales with deltaTime.
struct FrameClock {
    float lastFrame = 0.0f;
    float deltaTime = 0.0f;
};

void startFrameClock(FrameClock& clock, double now);
// deltaTime = now - lastFrame; lastFrame += deltaTime, both in float.
void updateFrameTime(FrameClock& clock, double now);
