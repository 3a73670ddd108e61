#include "game/rabbit_walk.h"

#include <cmath>

#include "game/key_codes.h"
#include "game/rabbit_motion.h"

void walkRabbit(const KeySource& keys, float deltaTime, Camera& camera, GameWorld& world) {
    if (world.gameEnded) return;
    const float c = camera.speed * deltaTime;
    const float r = deltaTime * motion::WalkSpeed;
    int dx = 0;
    int dz = 0;
    if (keys.isPressed(keys::W)) {
        camera.position += camera.front * c;
        world.rabbitPosition.z -= r;
        dz = -1;
    }
    if (keys.isPressed(keys::A)) {
        camera.position -= camera.right * c;
        world.rabbitPosition.x -= r;
        dx = -1;
    }
    if (keys.isPressed(keys::S)) {
        camera.position -= camera.front * c;
        world.rabbitPosition.z += r;
        dz = 1;
    }
    if (keys.isPressed(keys::D)) {
        camera.position += camera.right * c;
        world.rabbitPosition.x += r;
        dx = 1;
    }
    world.rabbitFacing = dx == 0 && dz == 0
                             ? motion::DefaultFacing
                             : static_cast<float>(std::atan2(static_cast<double>(dx), static_cast<double>(dz)));
}
