#pragma once
// The physics start-up, in the four roles the game knows: foundation, SDK
// object, scene and cooking. Bullet has no cooking step; its role is kept as a
// token so that start-up keeps its order and its failure text.
//
// Every create function returns null on failure and never throws.

class btDefaultCollisionConfiguration;
class btCollisionDispatcher;
class btDbvtBroadphase;
class btSequentialImpulseConstraintSolver;
class btDiscreteDynamicsWorld;

struct PhysicsFoundation {
    btDefaultCollisionConfiguration* collisionConfiguration = nullptr;
};

struct PhysicsSdk {
    PhysicsFoundation* foundation = nullptr;
    btCollisionDispatcher* dispatcher = nullptr;
    btDbvtBroadphase* broadphase = nullptr;
    btSequentialImpulseConstraintSolver* solver = nullptr;
};

struct PhysicsScene {
    btDiscreteDynamicsWorld* world = nullptr;
};

struct PhysicsCooking {
    PhysicsFoundation* foundation = nullptr;
};

PhysicsFoundation* createPhysicsFoundation();
PhysicsSdk* createPhysicsSdk(PhysicsFoundation* foundation);
// Gravity (0, -9.8, 0), continuous collision detection on.
PhysicsScene* createPhysicsScene(PhysicsSdk* sdk);
PhysicsCooking* createPhysicsCooking(PhysicsFoundation* foundation);

// Release order at shutdown: scene, SDK, foundation. The scene owns every
// rigid body, shape and material added to it and frees them with itself.
void releasePhysicsScene(PhysicsScene* scene);
void releasePhysicsSdk(PhysicsSdk* sdk);
void releasePhysicsFoundation(PhysicsFoundation* foundation);
