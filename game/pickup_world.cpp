#include "game/pickup_world.h"

#include <btBulletDynamicsCommon.h>

#include <glm/gtc/type_ptr.hpp>

#include "game/level_layout.h"
#include "game/physics.h"

namespace {

constexpr btScalar Friction = 0.5f;
constexpr btScalar Restitution = 0.5f;
constexpr btScalar HalfExtent = 0.3f;
// Bullet treats a body of mass 0 as static; the pickups must be dynamic, and
// since the world is never stepped the mass never acts.
constexpr btScalar PickupMass = 1.0f;

btRigidBody* makeBody(btCollisionShape* shape, btScalar mass, const btTransform& pose) {
    btVector3 inertia(0.0f, 0.0f, 0.0f);
    if (mass != 0.0f) shape->calculateLocalInertia(mass, inertia);
    // Plain new: releasePhysicsScene deletes body, motion state and shape.
    auto* motion = new btDefaultMotionState(pose);
    btRigidBody::btRigidBodyConstructionInfo info(mass, motion, shape, inertia);
    info.m_friction = Friction;
    info.m_restitution = Restitution;
    return new btRigidBody(info);
}

}  // namespace

void createPickupActors(PhysicsScene& scene) {
    btDiscreteDynamicsWorld* world = scene.world;
    auto* shape = new btBoxShape(btVector3(HalfExtent, HalfExtent, HalfExtent));

    const btTransform anchorPose(btQuaternion(btVector3(0.0f, 0.0f, 1.0f), level::HalfPi), btVector3(0.0f, 0.0f, 0.0f));
    world->addRigidBody(makeBody(shape, 0.0f, anchorPose));

    for (const PickupPlacement& row : level::pickupLayout) {
        const btTransform pose(btQuaternion(btVector3(0.0f, 0.0f, 1.0f), 0.0f),
                               btVector3(row.position.x, row.position.y, row.position.z));
        world->addRigidBody(makeBody(shape, PickupMass, pose));
    }
}

std::vector<glm::mat4> readPickupPositions(const PhysicsScene& scene) {
    std::vector<glm::mat4> poses;
    poses.reserve(level::PickupCount);
    const btCollisionObjectArray& objects = scene.world->getCollisionObjectArray();
    // The array keeps insertion order; the anchor is the only static object.
    for (int i = 0; i < objects.size() && static_cast<int>(poses.size()) < level::PickupCount; ++i) {
        const btCollisionObject* object = objects[i];
        if (object->isStaticObject()) continue;
        // Column-major like glm.
        btScalar m[16];
        object->getWorldTransform().getOpenGLMatrix(m);
        poses.push_back(glm::make_mat4(m));
    }
    return poses;
}
