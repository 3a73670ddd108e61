#pragma once
#include <cstdint>

// What the renderer shows, flipped by the function and digit keys.
namespace farplane {
constexpr std::int32_t Near = 10000;
// The second far distance: negative on purpose, it turns the projection into
// one without a far plane.
constexpr std::int32_t Unbounded = -1530494976;
}  // namespace farplane

struct RenderToggles {
    bool wireframe = false;
    bool showHud = true;
    bool celShading = false;
    std::int32_t farPlane = farplane::Near;
    bool showFps = true;
    // No stage reads these two; their keys only flip them and print.
    bool lightMaps = true;
    bool normalMap = true;
    bool showGround = true;
    bool showRabbit = true;
    bool showBrickWall = true;
    bool showStarInstances = true;
    bool showGlowStars = true;
    // No key flips these: the benchmark turns each off to measure its cost.
    bool blur = true;
    bool showSky = true;
    // The blit, the blur and the composite onto the window.
    bool postProcessing = true;
};
