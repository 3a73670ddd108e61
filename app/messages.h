#pragma once
// Every console text of the application shell, in one place.
namespace messages {

// Start-up and its failures.
inline constexpr const char* SettingsPath = "../assets/settings.ini";
inline constexpr const char* SettingsWarningPrefix = "WARNING: ";
inline constexpr const char* SettingsWarningSuffix = " not found! Using defaults instead.";
inline constexpr const char* SettingsLoadFailed = "Failed to load 'settings.ini'";
inline constexpr const char* WindowFailed = "Failed to create GLFW window";
// A size the GL cannot make off-screen buffers for: the prefix, the width,
// " x ", the height, then the limit.
inline constexpr const char* WindowTooLargePrefix = "Failed to create the frame buffers: a window of ";
inline constexpr const char* WindowTooLargeBy = " x ";
inline constexpr const char* WindowTooLargeLimit = " is larger than this GL allows, at most ";
inline constexpr const char* GladFailed = "Failed to initialize GLAD";
inline constexpr const char* PhysicsFoundationFailed = "Failed to init PhysX foundation";
inline constexpr const char* PhysicsSdkFailed = "Failed to init PhysX SDK";
// A scene that cannot be made ends start-up like the other physics objects.
inline constexpr const char* PhysicsSceneFailed = "Failed to init PhysX scene";
inline constexpr const char* PhysicsCookingFailed = "Failed to init PhysX cooking";

// ---- Display toggles (keyboard input). Each line is followed by the new
// value, except the far-plane one, which has none.
inline constexpr const char* WireframeToggled = "Wire frame toggled to: ";
inline constexpr const char* HudToggled = "HUD toggled to: ";
inline constexpr const char* CelShadingToggled = "CEL shading toggled to ";
inline constexpr const char* FarPlaneToggled = "Frustrum culling toggled";
inline constexpr const char* FpsToggled = "Show FPS toggled to: ";
inline constexpr const char* LightMapsToggled = "Lightmaps toggled to ";
inline constexpr const char* NormalMapToggled = "NormalMap toggled to ";
// ---- End of the display toggles.

}  // namespace messages
