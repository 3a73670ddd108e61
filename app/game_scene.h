#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include <glm/glm.hpp>

#include "app/app_state.h"
#include "app/camera.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/render_toggles.h"
#include "app/scene_assets.h"
#include "app/settings.h"
#include "frame/frame_targets.h"
#include "frame/glow_stars.h"
#include "frame/hud_layout.h"
#include "frame/screen_quad.h"
#include "frame/star_field.h"
#include "game/game_world.h"
#include "game/key_source.h"
#include "render/skybox.h"

// How far each meadow object's model reaches from its origin, for skipping
// the draws the view would clip away whole.
struct MeadowModelRadii {
    float heart = 0, carrot = 0, trunk = 0, stone = 0;
};

// The game routine's whole scene: its resources in creation order (members
// are built top to bottom and released bottom to top), the game world, and
// the frame that runs over them.
class GameScene {
public:
    // The window library's clock, in seconds. Read where its time is used:
    // the star field's seed at the placement, after every model and texture
    // has loaded, and the brick wall's angle when the wall is drawn.
    using WindowClock = std::function<double()>;

    GameScene(const Settings& settings, AppState& app, Camera& camera,
              std::vector<glm::vec3> smallStonePositions, WindowClock windowClock);
    ~GameScene();
    GameScene(const GameScene&) = delete;
    GameScene& operator=(const GameScene&) = delete;

    // Before the first frame: the clock starts at the end of the set-up.
    void startClock(double now);
    // Stages 1 to 12 of one frame, now being the window library's time.
    // Returns true when Escape asks the window to close; the caller swaps
    // and polls either way.
    bool runFrame(const KeySource& keys, double now);

    GameWorld& world() { return world_; }
    RenderToggles& toggles() { return toggles_; }
    const FrameClock& clock() const { return clock_; }
    // What the end decision found in the last frame.
    EndDecision lastEnd() const { return lastEnd_; }

private:
    const Settings& settings_;
    AppState& app_;
    Camera& camera_;
    WindowClock windowClock_;

    ScenePrograms programs_;
    SceneModels models_;
    Skybox skybox_;
    FilmScreen film_;
    BrickTextures brick_;
    PostPrograms post_;
    GlowStars glowStars_;
    ScreenQuad quad_;
    FrameTargets targets_;
    struct PickupActors {
        explicit PickupActors(AppState& app);
    } pickupActors_;
    WoodTextures wood_;
    StarField stars_;
    GameWorld world_;

    RenderToggles toggles_;
    InputState input_;
    FrameClock clock_;
    EndDecision lastEnd_ = EndDecision::None;
    MeadowModelRadii radii_;
};
