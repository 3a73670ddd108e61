#pragma once
// What the game routine hands its scene: the window size, the physics world
// and the seeded small stones.
#include <sstream>
#include <vector>

#include "app/game_scene.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/small_stones.h"

struct SceneInputs {
    SceneInputs(int width, int height) {
        settings.width = width;
        settings.height = height;
        app.foundation = createPhysicsFoundation();
        app.physics = createPhysicsSdk(app.foundation);
        app.scene = createPhysicsScene(app.physics);
        std::ostringstream quiet;
        stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                             level::SmallStoneMinZ, quiet);
    }
    ~SceneInputs() {
        releasePhysicsScene(app.scene);
        releasePhysicsSdk(app.physics);
        releasePhysicsFoundation(app.foundation);
    }
    SceneInputs(const SceneInputs&) = delete;
    SceneInputs& operator=(const SceneInputs&) = delete;

    Settings settings;
    AppState app;
    Camera camera;
    std::vector<glm::vec3> stones;
};
