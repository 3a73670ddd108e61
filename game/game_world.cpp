#include "game/game_world.h"

#include <utility>

GameWorld makeGameWorld(std::vector<glm::vec3> smallStonePositions) {
    GameWorld world;
    for (std::size_t i = 0; i < world.pickups.size(); ++i) {
        world.pickups[i] = {level::pickupLayout[i].kind, level::pickupLayout[i].position, false};
    }
    world.trunks = generateTrunks();
    world.smallStonePositions = std::move(smallStonePositions);
    return world;
}
