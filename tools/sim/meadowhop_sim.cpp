// meadowhop-sim: plays a route of frames through the game's own rules, with no
// window and no drawing, and prints one trace line per frame.
#include <cstdio>
#include <iostream>
#include <string>

#include "app/camera.h"
#include "app/input.h"
#include "app/render_toggles.h"
#include "frame/hud_layout.h"
#include "game/game_stages.h"
#include "game/game_world.h"
#include "game/key_source.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/pickup_world.h"
#include "game/small_stones.h"
#include "tools/sim/messages.h"
#include "tools/sim/route_script.h"

namespace {

// The HUD is laid out for the default window; its size changes no rule.
constexpr int HudWidth = 1024;
constexpr int HudHeight = 768;
constexpr int MalformedScript = 2;
constexpr int NoPhysics = 1;

const char* endName(EndDecision end) {
    switch (end) {
        case EndDecision::Win: return "win";
        case EndDecision::Lose: return "lose";
        case EndDecision::None: break;
    }
    return "none";
}

std::string g(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

struct Physics {
    PhysicsFoundation* foundation = createPhysicsFoundation();
    PhysicsSdk* sdk = createPhysicsSdk(foundation);
    PhysicsScene* scene = createPhysicsScene(sdk);
    ~Physics() {
        releasePhysicsScene(scene);
        releasePhysicsSdk(sdk);
        releasePhysicsFoundation(foundation);
    }
};

}  // namespace

int main() {
    const RouteParse route = parseRoute(std::cin);
    if (route.badLine != 0) {
        std::cerr << messages::LinePrefix << route.badLine << route.error << std::endl;
        return MalformedScript;
    }

    Physics physics;
    if (!physics.scene) {
        std::cerr << messages::PhysicsFailed << std::endl;
        return NoPhysics;
    }
    createPickupActors(*physics.scene);

    // The start-up listing of the stones is not part of the trace.
    std::ostream quiet(nullptr);
    GameWorld world = makeGameWorld(generateSmallStonePositions(
        level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ, level::SmallStoneMinZ, quiet));
    Camera camera;
    RenderToggles toggles;
    InputState input;
    SceneVisitor drawNothing;
    ScriptedKeys keys;

    std::cout << messages::TraceHeader << '\n';
    int frameNumber = 0;
    for (const RouteFrame& frame : route.frames) {
        keys.held = frame.held;
        const float deltaTime = frame.deltaTime;
        // The game's stages in its frame order, without the drawing ones.
        processInput(keys, deltaTime, camera, toggles, input, world);
        camera.viewMatrix();
        advanceGameTimers(world, deltaTime);
        runSceneStage(world, keys, deltaTime, camera.position, *physics.scene, drawNothing);
        const HudFrame hud = layoutHud(world, deltaTime, HudWidth, HudHeight, true, true);

        const GameState& s = world.state;
        const glm::vec3& r = world.rabbitPosition;
        const glm::vec3& c = camera.position;
        std::cout << ++frameNumber << ' ' << g(s.lives) << ' ' << g(s.timeLeft) << ' ' << g(s.carrotsCollected) << ' '
                  << g(r.x) << ' ' << g(r.y) << ' ' << g(r.z) << ' ' << g(world.rabbitFacing) << ' ' << g(c.x) << ' '
                  << g(c.y) << ' ' << g(c.z) << ' ' << (world.gameEnded ? 1 : 0) << ' ' << endName(hud.end) << '\n';
    }
    std::cout.flush();
    return 0;
}
