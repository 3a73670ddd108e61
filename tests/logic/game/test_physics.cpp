#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "game/physics.h"

TEST(PhysicsStartup, SceneHasGravityAndContinuousCollision) {
    PhysicsFoundation* foundation = createPhysicsFoundation();
    ASSERT_NE(foundation, nullptr);
    PhysicsSdk* sdk = createPhysicsSdk(foundation);
    ASSERT_NE(sdk, nullptr);
    PhysicsScene* scene = createPhysicsScene(sdk);
    ASSERT_NE(scene, nullptr);
    PhysicsCooking* cooking = createPhysicsCooking(foundation);
    EXPECT_NE(cooking, nullptr);
    btVector3 g = scene->world->getGravity();
    EXPECT_FLOAT_EQ(g.y(), -9.8f);
    EXPECT_FLOAT_EQ(g.x(), 0.0f);
    EXPECT_TRUE(scene->world->getDispatchInfo().m_useContinuous);
    releasePhysicsScene(scene);
    releasePhysicsSdk(sdk);
    releasePhysicsFoundation(foundation);
    delete cooking;
}

TEST(PhysicsStartup, MissingPredecessorGivesNull) {
    EXPECT_EQ(createPhysicsSdk(nullptr), nullptr);
    EXPECT_EQ(createPhysicsScene(nullptr), nullptr);
    EXPECT_EQ(createPhysicsCooking(nullptr), nullptr);
}
