#include "app/frame_clock.h"

void startFrameClock(FrameClock& clock, double now) { clock.lastFrame = static_cast<float>(now); }

void updateFrameTime(FrameClock& clock, double now) {
    const float current = static_cast<float>(now);
    clock.deltaTime = current - clock.lastFrame;
    clock.lastFrame = clock.lastFrame + clock.deltaTime;
}
