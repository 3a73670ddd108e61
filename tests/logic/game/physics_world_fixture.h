#pragma once
#include "game/physics.h"
#include "game/pickup_world.h"

// A physics scene holding the pickups, released with the test.
struct PickupScene {
    PhysicsFoundation* foundation = createPhysicsFoundation();
    PhysicsSdk* sdk = createPhysicsSdk(foundation);
    PhysicsScene* scene = createPhysicsScene(sdk);

    PickupScene() { createPickupActors(*scene); }
    ~PickupScene() {
        releasePhysicsScene(scene);
        releasePhysicsSdk(sdk);
        releasePhysicsFoundation(foundation);
    }
    PickupScene(const PickupScene&) = delete;
    PickupScene& operator=(const PickupScene&) = delete;
};
