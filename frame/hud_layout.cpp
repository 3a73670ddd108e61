#include "frame/hud_layout.h"

#include <cmath>
#include <limits>

#include "game/game_rules.h"

namespace {

// Where each line stands, in window pixels from the edges or the centre.
namespace place {
constexpr float CornerInset = 100.0f;
constexpr float LeftMargin = 10.0f;
constexpr float CounterSpacing = 30.0f;
constexpr double HurryThirdsX = 0.95;
constexpr double HurryThirdsY = 2.2;
constexpr float LifeLineLeft = 50.0f;
constexpr float LostLifeAbove = 270.0f;
constexpr float GainedLifeAbove = 250.0f;
constexpr float ItemsLeftLeft = 150.0f;
constexpr float ItemsLeftBelow = 330.0f;
}  // namespace place

constexpr float SmallScale = 0.4f;
constexpr float HurryScale = 0.5f;
constexpr float LifeScale = 0.3f;
constexpr float ItemsLeftScale = 0.5f;
constexpr float EndScale = 1.0f;
const glm::vec3 Black{0.0f, 0.0f, 0.0f};
const glm::vec3 DarkRed{0.1f, 0.0f, 0.0f};
const glm::vec3 WinnerColour{0.1f, 0.0f, 0.1f};
const glm::vec3 GameOverColour{0.0f, 0.0f, 0.1f};

std::string numbered(const char* prefix, float value, const char* suffix = "") {
    return prefix + std::to_string(hudNumber(value)) + suffix;
}

}  // namespace

int hudNumber(float value) {
    if (std::isnan(value)) return 0;
    // 2^31 is exact in float; anything at or past it does not fit.
    if (value >= 2147483648.0f) return std::numeric_limits<int>::max();
    if (value <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

int framesPerSecond(float deltaTime) {
    if (!(deltaTime > 0.0f)) return 0;
    return hudNumber(1.0f / deltaTime);
}

std::vector<HudLine> layoutHud(const GameState& state, EndDecision end, float deltaTime, int width, int height,
                               bool showFps, bool showHud) {
    std::vector<HudLine> lines;
    // Nothing is drawn as text while the HUD is off, not even the frame rate or the end message.
    if (!showHud) return lines;
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float halfW = static_cast<float>(width / 2);
    const float halfH = static_cast<float>(height / 2);

    if (showFps) {
        lines.push_back({hudtext::Fps + std::to_string(framesPerSecond(deltaTime)), w - place::CornerInset,
                         h - place::CornerInset, SmallScale, Black, false});
    }
    if (end == EndDecision::Win) lines.push_back({hudtext::Winner, halfW, halfH, EndScale, WinnerColour, true});
    if (end == EndDecision::Lose) lines.push_back({hudtext::GameOver, halfW, halfH, EndScale, GameOverColour, true});

    lines.push_back(
        {numbered(hudtext::Lives, state.lives), place::LeftMargin, h - place::CornerInset, SmallScale, Black, false});
    lines.push_back({numbered(hudtext::Time, state.timeLeft), place::LeftMargin,
                     h - place::CornerInset - place::CounterSpacing, SmallScale, Black, false});
    lines.push_back({numbered(hudtext::Items, state.carrotsCollected), place::LeftMargin,
                     h - place::CornerInset - 2.0f * place::CounterSpacing, SmallScale, Black, false});
    if (hurryLineDue(state)) {
        // Products in double, rounded to float once.
        const float x = static_cast<float>((width / 3) * place::HurryThirdsX);
        const float y = static_cast<float>((height / 3) * place::HurryThirdsY);
        lines.push_back(
            {numbered(hudtext::HurryPrefix, state.timeLeft, hudtext::HurrySuffix), x, y, HurryScale, DarkRed, false});
    }
    if (state.lostLifeMessage) {
        lines.push_back(
            {hudtext::LostLife, halfW - place::LifeLineLeft, halfH + place::LostLifeAbove, LifeScale, DarkRed, false});
    }
    if (state.gainedLifeMessage) {
        lines.push_back({hudtext::GainedLife, halfW - place::LifeLineLeft, halfH + place::GainedLifeAbove, LifeScale,
                         DarkRed, false});
    }
    lines.push_back(
        {numbered(hudtext::ItemsLeftPrefix, rules::CarrotsGoal - state.carrotsCollected, hudtext::ItemsLeftSuffix),
         halfW - place::ItemsLeftLeft, halfH - place::ItemsLeftBelow, ItemsLeftScale, DarkRed, false});
    return lines;
}
