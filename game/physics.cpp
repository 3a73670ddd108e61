#include "game/physics.h"

#include <btBulletDynamicsCommon.h>

#include <new>
#include <utility>

namespace {
// Bullet's classes bring their own aligned operator new without a nothrow
// form; allocate the storage ourselves so that a failure is a null.
template <class T, class... Args>
T* tryCreate(Args&&... args) {
    void* memory = btAlignedAlloc(sizeof(T), 16);
    if (!memory) return nullptr;
    return ::new (memory) T(std::forward<Args>(args)...);
}

template <class T>
void destroy(T* object) {
    if (!object) return;
    object->~T();
    btAlignedFree(object);
}
}  // namespace

PhysicsFoundation* createPhysicsFoundation() {
    auto* foundation = new (std::nothrow) PhysicsFoundation;
    if (!foundation) return nullptr;
    foundation->collisionConfiguration = tryCreate<btDefaultCollisionConfiguration>();
    if (!foundation->collisionConfiguration) {
        delete foundation;
        return nullptr;
    }
    return foundation;
}

PhysicsSdk* createPhysicsSdk(PhysicsFoundation* foundation) {
    if (!foundation) return nullptr;
    auto* sdk = new (std::nothrow) PhysicsSdk;
    if (!sdk) return nullptr;
    sdk->foundation = foundation;
    sdk->dispatcher = tryCreate<btCollisionDispatcher>(foundation->collisionConfiguration);
    sdk->broadphase = tryCreate<btDbvtBroadphase>();
    sdk->solver = tryCreate<btSequentialImpulseConstraintSolver>();
    if (!sdk->dispatcher || !sdk->broadphase || !sdk->solver) {
        releasePhysicsSdk(sdk);
        return nullptr;
    }
    return sdk;
}

PhysicsScene* createPhysicsScene(PhysicsSdk* sdk) {
    if (!sdk) return nullptr;
    auto* scene = new (std::nothrow) PhysicsScene;
    if (!scene) return nullptr;
    scene->world = tryCreate<btDiscreteDynamicsWorld>(sdk->dispatcher, sdk->broadphase, sdk->solver,
                                                      sdk->foundation->collisionConfiguration);
    if (!scene->world) {
        delete scene;
        return nullptr;
    }
    scene->world->setGravity(btVector3(0.0f, -9.8f, 0.0f));
    scene->world->getDispatchInfo().m_useContinuous = true;
    return scene;
}

PhysicsCooking* createPhysicsCooking(PhysicsFoundation* foundation) {
    if (!foundation) return nullptr;
    auto* cooking = new (std::nothrow) PhysicsCooking;
    if (cooking) cooking->foundation = foundation;
    return cooking;
}

void releasePhysicsScene(PhysicsScene* scene) {
    if (!scene) return;
    if (btDiscreteDynamicsWorld* world = scene->world) {
        // Bodies share one shape; collect it once, then free everything.
        btCollisionShape* sharedShapes[64];
        int shapeCount = 0;
        for (int i = world->getNumCollisionObjects() - 1; i >= 0; --i) {
            btCollisionObject* object = world->getCollisionObjectArray()[i];
            btCollisionShape* shape = object->getCollisionShape();
            bool seen = false;
            for (int k = 0; k < shapeCount; ++k) seen = seen || sharedShapes[k] == shape;
            if (!seen && shape && shapeCount < 64) sharedShapes[shapeCount++] = shape;
            if (btRigidBody* body = btRigidBody::upcast(object)) delete body->getMotionState();
            world->removeCollisionObject(object);
            delete object;
        }
        for (int k = 0; k < shapeCount; ++k) delete sharedShapes[k];
        destroy(world);
    }
    delete scene;
}

void releasePhysicsSdk(PhysicsSdk* sdk) {
    if (!sdk) return;
    destroy(sdk->solver);
    destroy(sdk->broadphase);
    destroy(sdk->dispatcher);
    delete sdk;
}

void releasePhysicsFoundation(PhysicsFoundation* foundation) {
    if (!foundation) return;
    destroy(foundation->collisionConfiguration);
    delete foundation;
}
