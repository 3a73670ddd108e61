#include "game/game_frame.h"

#include "game/game_stages.h"
#include "game/rabbit_walk.h"

FrameOutcome runGameFrame(GameWorld& world, Camera& camera, const KeySource& keys, float deltaTime,
                          const PhysicsScene& physics, FrameRenderer& renderer) {
    FrameOutcome outcome;
    walkRabbit(keys, deltaTime, camera, world);
    outcome.closeRequested = renderer.readControlKeys(keys);

    camera.updateAxes();
    renderer.takeCameraMatrices(camera);

    // Before any drawing, so the film and the clock shown are this frame's.
    advanceGameTimers(world, deltaTime);

    renderer.beginScene();
    renderer.drawSky();
    renderer.drawGroundAndRabbit(world);
    runSceneStage(world, keys, deltaTime, camera.position, physics, renderer);
    renderer.drawWallAndStars(deltaTime);
    renderer.drawGlowStars(deltaTime);
    renderer.postProcess();

    // Decided even with the HUD off: it stops the walk and clears the clock.
    outcome.end = decideEnd(world, renderer.hudShown());
    renderer.drawHud(world, outcome.end, deltaTime);
    return outcome;
}
