#pragma once
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "game/game_state.h"

// The HUD's texts. Byte for byte as shown, trailing blanks included.
namespace hudtext {
inline constexpr const char* Fps = "FPS: ";
inline constexpr const char* Winner = "Winner";
inline constexpr const char* GameOver = "Game Over";
inline constexpr const char* Lives = "Lives: ";
inline constexpr const char* Time = "Time: ";
inline constexpr const char* Items = "Items: ";
inline constexpr const char* HurryPrefix = "Hurry up! Only ";
inline constexpr const char* HurrySuffix = " seconds left.";
inline constexpr const char* LostLife = "You have lost one life!  ";
inline constexpr const char* GainedLife = "You have received one life!  ";
inline constexpr const char* ItemsLeftPrefix = "Only ";
inline constexpr const char* ItemsLeftSuffix = " items left to collect.";
}  // namespace hudtext

// One text to draw, in window pixels with the origin at the bottom left.
struct HudLine {
    std::string text;
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
    glm::vec3 colour{0.0f};
    // Centred on x instead of starting at it.
    bool centred = false;
};

// The HUD's lines for this frame, in drawing order: the frame-rate line, the
// end message the end decision gave, then the counters and messages. Empty
// while the HUD is off: then no text shows at all. width and height are the
// settings' window size.
std::vector<HudLine> layoutHud(const GameState& state, EndDecision end, float deltaTime, int width, int height,
                               bool showFps, bool showHud);

// A HUD number: truncated toward zero, saturating at the int range, NaN as 0.
int hudNumber(float value);

// The frame rate shown for a frame of deltaTime seconds: 0 when the frame has
// no measurable length (the float clock did not advance).
int framesPerSecond(float deltaTime);
