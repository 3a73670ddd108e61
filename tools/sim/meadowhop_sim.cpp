// meadowhop-sim: plays a route of frames through the game's own rules, with no
// window and no drawing, and prints one trace line per frame.
#include <iostream>
#include <string>

#include "game/camera.h"
#include "game/game_frame.h"
#include "game/game_world.h"
#include "game/key_source.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/pickup_world.h"
#include "game/small_stones.h"
#include "tools/sim/messages.h"
#include "tools/sim/route_script.h"
#include "tools/sim/trace_line.h"

namespace {

constexpr int MalformedScript = 2;
constexpr int NoPhysics = 1;

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
    GameWorld world = makeGameWorld(generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX,
                                                                level::SmallStoneMaxZ, level::SmallStoneMinZ, quiet));
    Camera camera;
    FrameRenderer drawNothing;
    ScriptedKeys keys;

    std::cout << messages::TraceHeader << '\n';
    int frameNumber = 0;
    for (const RouteFrame& frame : route.frames) {
        keys.held = frame.held;
        // The game's own frame, with a renderer that draws nothing and
        // shows the HUD, as the game starts.
        const FrameOutcome outcome = runGameFrame(world, camera, keys, frame.deltaTime, *physics.scene, drawNothing);

        std::cout << traceLine(++frameNumber, world, camera.position, outcome.end) << '\n';
    }
    std::cout.flush();
    return 0;
}
