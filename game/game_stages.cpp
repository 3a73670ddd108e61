#include "game/game_stages.h"

#include <string>
#include <utility>

#include "game/game_rules.h"
#include "game/pickup_world.h"

void advanceGameTimers(GameWorld& world, float deltaTime) {
    advanceFilmTimer(world.film, deltaTime);
    advanceJumpTimer(world.motion, deltaTime);
    updateCountdown(world.state, deltaTime);
}

void runPickupStage(GameWorld& world, const PhysicsScene& physics, SceneVisitor& visitor) {
    const std::vector<glm::mat4> poses = readPickupPositions(physics);
    for (std::size_t i = 0; i < poses.size() && i < world.pickups.size(); ++i) {
        Pickup& pickup = world.pickups[i];
        const glm::mat4& pose = poses[i];
        applyPickupRule(world.state, pickup.kind, pickup.taken, glm::vec3(pose[3]), world.rabbitPosition);
        if (pickup.taken) continue;
        const glm::mat4 model = pickup.kind == PickupKind::Heart ? heartMatrix(pose) : carrotMatrix(pose);
        visitor.drawPickup(static_cast<int>(i), pickup.kind, model);
    }
}

void runFilmStage(GameWorld& world, SceneVisitor& visitor) {
    std::string path;
    if (advanceImageSequence(world.film, path)) visitor.changeFilmImage(path);
    visitor.drawScreen(sequencePlaneMatrix());
}

void runTrunkStage(GameWorld& world, float deltaTime, SceneVisitor& visitor) {
    world.trunks = moveTrunks(std::move(world.trunks), deltaTime);
    for (int i = 0; i < level::ActiveTrunkCount && i < static_cast<int>(world.trunks.size()); ++i) {
        Trunk& trunk = world.trunks[static_cast<std::size_t>(i)];
        applyTrunkRule(world.state, trunk, world.rabbitPosition);
        if (!trunk.hit) visitor.drawTrunk(i, trunkMatrix(trunk.position));
    }
}

void runObstacleStage(GameWorld& world, const KeySource& keys, float deltaTime, glm::vec3& cameraPosition,
                      SceneVisitor& visitor) {
    visitor.drawTunnelWall(tunnelWallMatrix());
    enforceSideEdges(keys, deltaTime, world.rabbitPosition, cameraPosition);

    const ObstacleKind large = largeStoneObstacle();
    for (int i = 0; i < level::LargeStoneCount; ++i) {
        bumpObstacle(world.motion, large, largeStonePoint(i), world.state.lives, deltaTime, world.rabbitPosition,
                     cameraPosition);
        visitor.drawLargeStone(i, largeStoneMatrix(i));
    }
    const ObstacleKind small = smallStoneObstacle();
    for (std::size_t i = 0; i < world.smallStonePositions.size(); ++i) {
        const glm::vec3& stored = world.smallStonePositions[i];
        bumpObstacle(world.motion, small, smallStonePoint(stored), world.state.lives, deltaTime, world.rabbitPosition,
                     cameraPosition);
        visitor.drawSmallStone(static_cast<int>(i), smallStoneMatrix(stored));
    }

    bumpCrate(world.motion, deltaTime, world.rabbitPosition, cameraPosition);
    visitor.drawCrate(crateMatrix());
}

void runSceneStage(GameWorld& world, const KeySource& keys, float deltaTime, glm::vec3& cameraPosition,
                   const PhysicsScene& physics, SceneVisitor& visitor) {
    runPickupStage(world, physics, visitor);
    runFilmStage(world, visitor);
    updateJump(world.motion, keys, deltaTime, world.rabbitPosition);
    runTrunkStage(world, deltaTime, visitor);
    runObstacleStage(world, keys, deltaTime, cameraPosition, visitor);
}

EndDecision decideEnd(GameWorld& world, bool hudShown) {
    const EndDecision end = evaluateEnd(world.state, world.gameEnded);
    if (hudShown && hurryLineDue(world.state)) latchTimeUp(world.state);
    return end;
}
