#include "app/input.h"

#include <cstddef>
#include <iostream>

#include "app/messages.h"
#include "game/key_codes.h"

namespace {

constexpr float PitchLimit = 89.0f;

// Toggle order matters only for the order of the printed lines.
constexpr std::array<int, 7> FunctionKeys = {keys::F3, keys::F4, keys::F5, keys::F8, keys::F2, keys::F6, keys::F10};

void flipAndPrint(bool& flag, const char* line) {
    flag = !flag;
    std::cout << line << flag << std::endl;
}

void applyFunctionToggle(int key, RenderToggles& toggles) {
    switch (key) {
        case keys::F3: flipAndPrint(toggles.wireframe, messages::WireframeToggled); break;
        case keys::F4: flipAndPrint(toggles.showHud, messages::HudToggled); break;
        case keys::F5: flipAndPrint(toggles.celShading, messages::CelShadingToggled); break;
        case keys::F8:
            toggles.farPlane = toggles.farPlane == farplane::Near ? farplane::Unbounded : farplane::Near;
            std::cout << messages::FarPlaneToggled << std::endl;
            break;
        case keys::F2: flipAndPrint(toggles.showFps, messages::FpsToggled); break;
        case keys::F6: flipAndPrint(toggles.lightMaps, messages::LightMapsToggled); break;
        case keys::F10: flipAndPrint(toggles.normalMap, messages::NormalMapToggled); break;
        default: break;
    }
}

}  // namespace

bool processToggleKeys(const KeySource& keys, RenderToggles& toggles, InputState& input) {
    const bool escape = keys.isPressed(keys::Escape);

    for (std::size_t i = 0; i < FunctionKeys.size(); ++i) {
        if (keys.isPressed(FunctionKeys[i]) && !input.previous[i]) applyFunctionToggle(FunctionKeys[i], toggles);
    }
    for (std::size_t i = 0; i < FunctionKeys.size(); ++i) input.previous[i] = keys.isPressed(FunctionKeys[i]);

    // No previous state here: a held digit flips its flag in every frame.
    if (keys.isPressed(keys::Digit1)) toggles.showGround = !toggles.showGround;
    if (keys.isPressed(keys::Digit2)) toggles.showRabbit = !toggles.showRabbit;
    if (keys.isPressed(keys::Digit3)) toggles.showBrickWall = !toggles.showBrickWall;
    if (keys.isPressed(keys::Digit4)) toggles.showStarInstances = !toggles.showStarInstances;
    if (keys.isPressed(keys::Digit5)) toggles.showGlowStars = !toggles.showGlowStars;
    return escape;
}

void onCursorMoved(MouseState& mouse, Camera& camera, bool freeCamera, double x, double y) {
    if (mouse.firstMouse) {
        mouse.lastX = static_cast<float>(x);
        mouse.lastY = static_cast<float>(y);
        mouse.firstMouse = false;
    }
    // Screen y grows downward, so moving up gives a positive offset.
    const float xOffset = static_cast<float>(x - static_cast<double>(mouse.lastX));
    const float yOffset = static_cast<float>(static_cast<double>(mouse.lastY) - y);
    mouse.lastX = static_cast<float>(x);
    mouse.lastY = static_cast<float>(y);
    if (!freeCamera) return;

    camera.yaw += xOffset * camera.sensitivity;
    camera.pitch += yOffset * camera.sensitivity;
    // Keeps front away from worldUp, so right never degenerates.
    if (camera.pitch > PitchLimit) camera.pitch = PitchLimit;
    if (camera.pitch < -PitchLimit) camera.pitch = -PitchLimit;
    camera.updateAxes();
}
