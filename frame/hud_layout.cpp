#include "frame/hud_layout.h"

#include <cmath>
#include <limits>

#include "game/game_rules.h"

namespace {

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

HudFrame layoutHud(GameWorld& world, float deltaTime, int width, int height, bool showFps, bool showHud) {
    HudFrame frame;
    GameState& state = world.state;
    const int halfW = width / 2;
    const int halfH = height / 2;

    if (showFps) {
        frame.lines.push_back({hudtext::Fps + std::to_string(framesPerSecond(deltaTime)),
                               static_cast<float>(width - 100), static_cast<float>(height - 100), SmallScale, Black,
                               false});
    }

    // The end decision runs even with the HUD off: it stops the walk and clears the clock.
    frame.end = evaluateEnd(state, world.gameEnded);
    if (frame.end == EndDecision::Win) {
        frame.lines.push_back({hudtext::Winner, static_cast<float>(halfW), static_cast<float>(halfH), EndScale,
                               WinnerColour, true});
    } else if (frame.end == EndDecision::Lose) {
        frame.lines.push_back({hudtext::GameOver, static_cast<float>(halfW), static_cast<float>(halfH), EndScale,
                               GameOverColour, true});
    }

    if (!showHud) {
        // Nothing is drawn as text while the HUD is off, not even the lines above.
        frame.lines.clear();
        return frame;
    }

    frame.lines.push_back({numbered(hudtext::Lives, state.lives), 10.0f, static_cast<float>(height - 100), SmallScale, Black, false});
    frame.lines.push_back({numbered(hudtext::Time, state.timeLeft), 10.0f, static_cast<float>(height - 130), SmallScale, Black, false});
    frame.lines.push_back({numbered(hudtext::Items, state.carrotsCollected), 10.0f,
                           static_cast<float>(height - 160), SmallScale, Black, false});
    if (hurryLineDue(state)) {
        // Products in double, as the layout was tuned with them.
        const float x = static_cast<float>((width / 3) * 0.95);
        const float y = static_cast<float>((height / 3) * 2.2);
        frame.lines.push_back(
            {numbered(hudtext::HurryPrefix, state.timeLeft, hudtext::HurrySuffix), x, y, HurryScale, DarkRed, false});
        latchTimeUp(state);
    }
    if (state.lostLifeMessage) {
        frame.lines.push_back({hudtext::LostLife, static_cast<float>(halfW - 50), static_cast<float>(halfH + 270),
                               LifeScale, DarkRed, false});
    }
    if (state.gainedLifeMessage) {
        frame.lines.push_back({hudtext::GainedLife, static_cast<float>(halfW - 50), static_cast<float>(halfH + 250),
                               LifeScale, DarkRed, false});
    }
    frame.lines.push_back({numbered(hudtext::ItemsLeftPrefix, rules::CarrotsGoal - state.carrotsCollected,
                                    hudtext::ItemsLeftSuffix),
                           static_cast<float>(halfW - 150), static_cast<float>(halfH) - 330.0f, ItemsLeftScale,
                           DarkRed, false});
    return frame;
}
