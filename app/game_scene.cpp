#include "app/game_scene.h"

#include <utility>

#include <glad/gl.h>

#include "frame/clip_test.h"
#include "frame/lighting.h"
#include "frame/post_processing.h"
#include "frame/text_renderer.h"
#include "game/game_stages.h"
#include "game/pickup_world.h"
#include "game/scene_visitor.h"

namespace {

// Colour the scene is cleared to before the sky is drawn.
constexpr float ClearColour[4] = {0.0529f, 0.0808f, 0.0922f, 1.0f};

// Draws each meadow object at the moment the rules reach it, with the frame's
// shading program, which the ground and rabbit draws left current.
class MeadowDrawer : public SceneVisitor {
public:
    MeadowDrawer(const ShaderProgram& shading, const ScenePrograms& programs, const SceneModels& models,
                 FilmScreen& film, const WoodTextures& wood, const LitView& view, const MeadowModelRadii& radii)
        : shading_(shading), programs_(programs), models_(models), film_(film), wood_(wood), view_(view),
          radii_(radii), viewProjection_(view.projection * view.view) {}

    void drawPickup(int, PickupKind kind, const glm::mat4& model) override {
        if (kind == PickupKind::Heart) drawWithShading(models_.heart, model, radii_.heart);
        else drawWithShading(models_.carrot, model, radii_.carrot);
    }
    void changeFilmImage(const std::string& path) override {
        film_.sequenceMaterial->replaceTexture(path.c_str());
    }
    void drawScreen(const glm::mat4& model) override {
        shading_.setUniformMat4("model", model);
        film_.sequencePlane.draw();
    }
    void drawTrunk(int, const glm::mat4& model) override { drawWithShading(models_.trunk, model, radii_.trunk); }
    void drawTunnelWall(const glm::mat4& model) override {
        shading_.setUniformMat4("model", model);
        // Drawn with the shading program current, while its mesh samplers are
        // looked up in the normal-map program, as the tunnel always was.
        models_.tunnel.draw(programs_.normalmap);
    }
    void drawLargeStone(int, const glm::mat4& model) override { drawWithShading(models_.stone, model, radii_.stone); }
    void drawSmallStone(int, const glm::mat4& model) override { drawWithShading(models_.stone, model, radii_.stone); }
    void drawCrate(const glm::mat4&) override {
        ::drawCrate(programs_.lightmaps, models_.cube, wood_.diffuse.id(), wood_.specular.id(), view_);
    }

private:
    // Each of these draws binds its own textures and sets its own matrix, so
    // one skipped leaves nothing the next relies on.
    void drawWithShading(const ModelAsset& model, const glm::mat4& matrix, float radius) {
        if (modelOutsideView(viewProjection_, matrix, radius)) return;
        shading_.setUniformMat4("model", matrix);
        model.draw(shading_);
    }

    const ShaderProgram& shading_;
    const ScenePrograms& programs_;
    const SceneModels& models_;
    FilmScreen& film_;
    const WoodTextures& wood_;
    const LitView& view_;
    const MeadowModelRadii& radii_;
    const glm::mat4 viewProjection_;
};

}  // namespace

GameScene::PickupActors::PickupActors(AppState& app) { createPickupActors(*app.scene); }

GameScene::GameScene(const Settings& settings, AppState& app, Camera& camera,
                     std::vector<glm::vec3> smallStonePositions, WindowClock windowClock)
    : settings_(settings), app_(app), camera_(camera), windowClock_(std::move(windowClock)),
      programs_(settings.width, settings.height),
      models_(),
      skybox_(),
      film_(),
      brick_(programs_.normalmap),
      post_(),
      glowStars_(),
      quad_(),
      targets_(settings.width, settings.height),
      pickupActors_(app),
      wood_(programs_.lightmaps),
      stars_(models_.star, static_cast<std::uint32_t>(windowClock_())),
      world_(makeGameWorld(std::move(smallStonePositions))) {
    // The crate's samplers were the last uniforms set: set-up hands the frame
    // loop no current program, as it did after the composite's samplers.
    glUseProgram(0);
    radii_ = {modelRadius(models_.heart), modelRadius(models_.carrot), modelRadius(models_.trunk),
              modelRadius(models_.stone)};
}

GameScene::~GameScene() {
    // The loose textures go first; every other resource follows in reverse
    // order of creation as the members are destroyed.
    brick_.normal.release();
    brick_.diffuse.release();
    wood_.diffuse.release();
    wood_.specular.release();
}

void GameScene::startClock(double now) { startFrameClock(clock_, now); }

bool GameScene::runFrame(const KeySource& keys, double now) {
    // 1. Frame clock.
    updateFrameTime(clock_, now);
    const float dt = clock_.deltaTime;

    // 2. Keyboard.
    const bool closeRequested = processInput(keys, dt, camera_, toggles_, input_, world_);

    // 3. Camera matrices: these serve every draw of the frame, even after the
    // rules below have moved the camera.
    LitView view;
    view.view = camera_.viewMatrix();
    view.projection = camera_.projectionMatrix(settings_.width, settings_.height, toggles_.farPlane);
    view.cameraPosition = camera_.position;
    view.brightness = settings_.brightness;
    stars_.setCamera(programs_.particles, view.view, view.projection);

    // 4. Game timers.
    advanceGameTimers(world_, dt);

    // 5. Frame start, on the scene framebuffer.
    targets_.scene.bind();
    glClearColor(ClearColour[0], ClearColour[1], ClearColour[2], ClearColour[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Post-processing of the previous frame left the depth test off.
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, settings_.width, settings_.height);
    // The only place the polygon mode is set: it holds for the whole frame, HUD included.
    glPolygonMode(GL_FRONT_AND_BACK, toggles_.wireframe ? GL_LINE : GL_FILL);

    // 6. Sky.
    skybox_.draw(view.view, view.projection);

    // 7. Ground and rabbit, drawn where the rabbit stands before the rules move it.
    const ShaderProgram& shading = drawGroundAndRabbit(
        programs_.lighting, programs_.cell, models_.meadow, models_.rabbit, view, toggles_.celShading,
        toggles_.showGround, toggles_.showRabbit, world_.rabbitPosition, world_.rabbitFacing);

    // 8. The meadow's objects, each tested against the rabbit right before it is drawn.
    MeadowDrawer drawer(shading, programs_, models_, film_, wood_, view, radii_);
    runSceneStage(world_, keys, dt, camera_.position, *app_.scene, drawer);

    // 9. Brick wall and star field.
    drawBrickWall(programs_.normalmap, models_.wall, brick_.diffuse.id(), brick_.normal.id(), view,
                  static_cast<float>(windowClock_()), toggles_.showBrickWall);
    drawStarField(stars_, programs_.particles, toggles_.showStarInstances);

    // 10. Glow stars.
    drawGlowStars(glowStars_, programs_.lighting, view.view, view.projection, dt, toggles_.showGlowStars);

    // 11. Blur and composite onto the window.
    postProcess(targets_, post_.gauss, post_.screen, quad_, settings_.width, settings_.height, toggles_.blur);

    // 12. HUD, including the end decision.
    HudFrame hud = layoutHud(world_, dt, settings_.width, settings_.height, toggles_.showFps,
                             toggles_.showHud);
    lastEnd_ = hud.end;
    drawHudLines(programs_.text, hud.lines, toggles_.showHud);

    return closeRequested;
}
