#include "app/game_scene.h"

#include <utility>

#include <glad/gl.h>

#include "frame/lighting.h"
#include "frame/post_processing.h"
#include "frame/text_renderer.h"
#include "game/pickup_world.h"

namespace {

// Colour the scene is cleared to before the sky is drawn.
constexpr float ClearColour[4] = {0.0529f, 0.0808f, 0.0922f, 1.0f};
constexpr float GlowBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

}  // namespace

GameScene::PickupActors::PickupActors(AppState& app) { createPickupActors(*app.scene); }

GameScene::GameScene(const Settings& settings, AppState& app, Camera& camera,
                     std::vector<glm::vec3> smallStonePositions, WindowClock windowClock)
    : settings_(settings), app_(app), camera_(camera), windowClock_(std::move(windowClock)),
      programs_(settings.width, settings.height), models_(), skybox_(), film_(), brick_(programs_.normalmap), post_(),
      glowStars_(), quad_(), targets_(settings.width, settings.height), pickupActors_(app), wood_(programs_.lightmaps),
      stars_(models_.star, static_cast<std::uint32_t>(windowClock_())),
      world_(makeGameWorld(std::move(smallStonePositions))) {
    // The crate's samplers were the last uniforms set: set-up hands the frame
    // loop no current program, as it did after the composite's samplers.
    glUseProgram(0);
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
    updateFrameTime(clock_, now);
    const FrameOutcome outcome = runGameFrame(world_, camera_, keys, clock_.deltaTime, *app_.scene, *this);
    lastEnd_ = outcome.end;
    return outcome.closeRequested;
}

bool GameScene::readControlKeys(const KeySource& keys) { return processToggleKeys(keys, toggles_, input_); }

void GameScene::takeCameraMatrices(Camera& camera) {
    view_.view = camera.viewMatrix();
    view_.projection = camera.projectionMatrix(settings_.width, settings_.height, toggles_.farPlane);
    view_.cameraPosition = camera.position;
    view_.brightness = settings_.brightness;
    stars_.setCamera(programs_.particles, view_.view, view_.projection, settings_.width, settings_.height);
}

void GameScene::beginScene() {
    targets_.scene.bind();
    // The stencil is cleared with the depth, though nothing uses it: the two
    // then clear as one plain fill instead of a read-modify-write of each pixel.
    if (glowOnlyFromStars()) {
        // The sky covers every pixel, and everything drawn before the glow
        // stars writes black glow: the picture needs no clear, the glow is
        // cleared black once and spared every other fragment's write.
        glClearBufferfv(GL_COLOR, 1, GlowBlack);
        glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    } else {
        glClearColor(ClearColour[0], ClearColour[1], ClearColour[2], ClearColour[3]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    // Post-processing of the previous frame left the depth test off.
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, settings_.width, settings_.height);
    // The only place the polygon mode is set: it holds for the whole frame, HUD included.
    glPolygonMode(GL_FRONT_AND_BACK, toggles_.wireframe ? GL_LINE : GL_FILL);
}

void GameScene::drawSky() {
    if (!toggles_.showSky) return;
    // Over the depth just cleared to 1, the sky's depth of 1 passes everywhere
    // and writes what is already there: without the test the picture is the
    // same and each pixel of the window spares a depth read and write.
    glDisable(GL_DEPTH_TEST);
    skybox_.draw(view_.view, view_.projection);
    glEnable(GL_DEPTH_TEST);
}

void GameScene::drawGroundAndRabbit(const GameWorld& world) {
    // The meadow's objects below are drawn with the program this leaves current.
    shading_ = &::drawGroundAndRabbit(programs_.lighting, programs_.cell, models_.meadow, models_.rabbit, view_,
                                      toggles_.celShading, toggles_.showGround, toggles_.showRabbit,
                                      world.rabbitPosition, world.rabbitFacing);
}

void GameScene::drawPickup(int, PickupKind kind, const glm::mat4& model) {
    drawWithShading(kind == PickupKind::Heart ? models_.heart : models_.carrot, model);
}

void GameScene::changeFilmImage(const std::string& path) { film_.sequenceMaterial->replaceTexture(path.c_str()); }

void GameScene::drawScreen(const glm::mat4& model) {
    shading_->setUniformMat4("model", model);
    film_.sequencePlane.draw();
}

void GameScene::drawTrunk(int, const glm::mat4& model) { drawWithShading(models_.trunk, model); }

void GameScene::drawTunnelWall(const glm::mat4& model) {
    shading_->setUniformMat4("model", model);
    // Drawn with the shading program current, while its mesh samplers are
    // looked up in the normal-map program.
    models_.tunnel.draw(programs_.normalmap);
}

void GameScene::drawLargeStone(int, const glm::mat4& model) { drawWithShading(models_.stone, model); }

void GameScene::drawSmallStone(int, const glm::mat4& model) { drawWithShading(models_.stone, model); }

void GameScene::drawCrate(const glm::mat4& model) {
    ::drawCrate(programs_.lightmaps, models_.cube, wood_.diffuse.id(), wood_.specular.id(), view_, model);
}

void GameScene::drawWallAndStars(float deltaTime) {
    drawBrickWall(programs_.normalmap, models_.wall, brick_.diffuse.id(), brick_.normal.id(), view_,
                  static_cast<float>(windowClock_()), toggles_.showBrickWall);
    drawStarField(stars_, programs_.particles, toggles_.showStarInstances, !toggles_.wireframe, deltaTime);
}

void GameScene::drawGlowStars(float deltaTime) {
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    ::drawGlowStars(glowStars_, programs_.lighting, view_.view, view_.projection, deltaTime, toggles_.showGlowStars);
}

bool GameScene::glowOnlyFromStars() const {
    // In wire frames, or with no sky program, the clear colour shows in the
    // glow output too, and the glow can be anywhere.
    return !toggles_.wireframe && skybox_.program.linked;
}

void GameScene::postProcess() {
    if (!toggles_.postProcessing) return;
    std::optional<TexelRect> glowArea;
    if (glowOnlyFromStars()) {
        glowArea = toggles_.showGlowStars ? screenBounds(glowStars_.bounds(), view_.view, view_.projection,
                                                         settings_.width, settings_.height)
                                          : TexelRect{};
    }
    ::postProcess(targets_, post_.gauss, post_.screen, quad_, settings_.width, settings_.height, toggles_.blur,
                  glowArea);
}

bool GameScene::hudShown() const { return toggles_.showHud; }

void GameScene::drawHud(const GameWorld& world, EndDecision end, float deltaTime) {
    const std::vector<HudLine> lines =
        layoutHud(world.state, end, deltaTime, settings_.width, settings_.height, toggles_.showFps, toggles_.showHud);
    drawHudLines(programs_.text, lines, toggles_.showHud);
}

void GameScene::drawWithShading(const ModelAsset& model, const glm::mat4& matrix) {
    shading_->setUniformMat4("model", matrix);
    model.draw(*shading_);
}
