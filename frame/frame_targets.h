#pragma once
#include "frame/framebuffer.h"

// The blur targets' size for a window size: half, truncated (1023 gives 511).
int halfSize(int size);

// The three off-screen targets, made in this order and released in reverse:
// the scene (picture on attachment 0, glow on 1, depth-stencil) and two
// half-size 16-bit float targets that the blur ping-pongs between.
struct FrameTargets {
    struct Scene : Framebuffer {
        Scene(int width, int height);
    };
    struct Blur : Framebuffer {
        Blur(int width, int height);
    };

    // width and height are the settings' window size.
    FrameTargets(int width, int height);

    Scene scene;
    Blur blur1;
    Blur blur2;
};
