#include <gtest/gtest.h>

#include "app/frame_clock.h"

// The clock keeps single precision: an hour and a half into a session the
// float steps are 1/128 s, so a 1 ms frame reads as no time and the next
// step as a whole 1/128 s. In double both frames would read 1 ms.
TEST(FrameClock, ReadsTheTimeInSinglePrecision) {
    FrameClock clock;
    startFrameClock(clock, 65536.0);
    updateFrameTime(clock, 65536.001);
    EXPECT_EQ(clock.deltaTime, 0.0f);
    EXPECT_EQ(clock.lastFrame, 65536.0f);
    updateFrameTime(clock, 65536.006);
    EXPECT_EQ(clock.deltaTime, 0.0078125f);
    EXPECT_EQ(clock.lastFrame, 65536.0078125f);
}
