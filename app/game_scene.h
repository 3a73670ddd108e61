#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "app/app_state.h"
#include "game/camera.h"
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
#include "frame/lighting.h"
#include "game/game_frame.h"
#include "game/game_world.h"
#include "game/key_source.h"
#include "render/skybox.h"

// The game routine's whole scene: its resources in creation order (members
// are built top to bottom and released bottom to top), the game world, and
// the drawing side of the frame that runs over them.
class GameScene : private FrameRenderer {
public:
    // The window library's clock, in seconds. Read where its time is used:
    // the star field's seed at the placement, after every model and texture
    // has loaded, and the brick wall's angle when the wall is drawn.
    using WindowClock = std::function<double()>;

    GameScene(const Settings& settings, AppState& app, Camera& camera, std::vector<glm::vec3> smallStonePositions,
              WindowClock windowClock);
    ~GameScene();
    GameScene(const GameScene&) = delete;
    GameScene& operator=(const GameScene&) = delete;

    // Before the first frame: the clock starts at the end of the set-up.
    void startClock(double now);
    // One frame: the frame clock at now (the window library's time), then
    // the game's frame over this scene. Returns true when Escape asks the
    // window to close; the caller swaps and polls either way.
    bool runFrame(const KeySource& keys, double now);

    GameWorld& world() { return world_; }
    // The benchmark turns parts off through these to measure their cost.
    RenderToggles& toggles() { return toggles_; }
    const FrameClock& clock() const { return clock_; }
    // What the end decision found in the last frame.
    EndDecision lastEnd() const { return lastEnd_; }

private:
    bool readControlKeys(const KeySource& keys) override;
    void takeCameraMatrices(Camera& camera) override;
    void beginScene() override;
    void drawSky() override;
    void drawGroundAndRabbit(const GameWorld& world) override;
    void drawPickup(int index, PickupKind kind, const glm::mat4& model) override;
    void changeFilmImage(const std::string& path) override;
    void drawScreen(const glm::mat4& model) override;
    void drawTrunk(int index, const glm::mat4& model) override;
    void drawTunnelWall(const glm::mat4& model) override;
    void drawLargeStone(int index, const glm::mat4& model) override;
    void drawSmallStone(int index, const glm::mat4& model) override;
    void drawCrate(const glm::mat4& model) override;
    void drawWallAndStars(float deltaTime) override;
    void drawGlowStars(float deltaTime) override;
    void postProcess() override;
    bool hudShown() const override;
    void drawHud(const GameWorld& world, EndDecision end, float deltaTime) override;
    void drawWithShading(const ModelAsset& model, const glm::mat4& matrix);
    // The glow stars are all that glows when the sky covers every pixel.
    bool glowOnlyFromStars() const;

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
    // This frame's camera matrices, and the program the ground and rabbit
    // left current for the meadow's objects.
    LitView view_;
    const ShaderProgram* shading_ = nullptr;
};
