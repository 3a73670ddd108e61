#pragma once
#include <glm/glm.hpp>

#include "game/camera.h"
#include "game/game_state.h"
#include "game/game_world.h"
#include "game/key_source.h"
#include "game/scene_visitor.h"

struct PhysicsScene;

// The drawing side of a frame, called by runGameFrame at each stage. The
// defaults draw nothing, which is all the simulator needs.
class FrameRenderer : public SceneVisitor {
public:
    // The keyboard's own keys beside the walk: display toggles and Escape.
    // Returns true when the window should close after this frame.
    virtual bool readControlKeys(const KeySource& /*keys*/) { return false; }
    // The camera's matrices for every draw of the frame, taken before the
    // rules below move the camera.
    virtual void takeCameraMatrices(Camera& /*camera*/) {}
    virtual void beginScene() {}
    virtual void drawSky() {}
    // Where the rabbit stands before the rules of this frame move it.
    virtual void drawGroundAndRabbit(const GameWorld& /*world*/) {}
    virtual void drawWallAndStars(float /*deltaTime*/) {}
    virtual void drawGlowStars(float /*deltaTime*/) {}
    virtual void postProcess() {}
    // Whether the HUD's lines are drawn this frame; the time-up latch
    // follows the hurry line, so it only acts while they are.
    virtual bool hudShown() const { return true; }
    virtual void drawHud(const GameWorld& /*world*/, EndDecision /*end*/, float /*deltaTime*/) {}
};

struct FrameOutcome {
    bool closeRequested = false;
    EndDecision end = EndDecision::None;
};

// One frame of the game in its fixed order, after the frame clock gave
// deltaTime: keyboard, camera matrices, game timers, frame start, sky, ground
// and rabbit, the meadow's objects, brick wall and stars, glow stars,
// post-processing, then the end decision and the HUD. The game, the
// simulator, the benchmark and the pictures all run this one order.
FrameOutcome runGameFrame(GameWorld& world, Camera& camera, const KeySource& keys, float deltaTime,
                          const PhysicsScene& physics, FrameRenderer& renderer);
