#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "game/level_layout.h"
#include "physics_world_fixture.h"

namespace {

TEST(PickupWorld, PosesAreTheLayoutTranslationsInCreationOrderFrameAfterFrame) {
    PickupScene physics;
    for (int frame = 0; frame < 5000; ++frame) {
        const auto poses = readPickupPositions(*physics.scene);
        ASSERT_EQ(poses.size(), 18u);
        for (std::size_t i = 0; i < poses.size(); ++i) {
            glm::mat4 expected(1.0f);
            expected[3] = glm::vec4(level::pickupLayout[i].position, 1.0f);
            ASSERT_EQ(poses[i], expected) << "pickup " << i << " in frame " << frame;
        }
    }
}

TEST(PickupWorld, HoldsARotatedStaticAnchorAndEighteenDynamicBodiesOnOneShape) {
    PickupScene physics;
    const btCollisionObjectArray& objects = physics.scene->world->getCollisionObjectArray();
    ASSERT_EQ(objects.size(), 19);
    const btCollisionObject* anchor = objects[0];
    EXPECT_TRUE(anchor->isStaticObject());
    // A quarter turn about z takes x to y.
    const btVector3 turned = anchor->getWorldTransform().getBasis() * btVector3(1, 0, 0);
    EXPECT_NEAR(turned.y(), 1.0f, 1e-6f);
    EXPECT_NEAR(anchor->getWorldTransform().getOrigin().length(), 0.0f, 1e-9f);

    const btCollisionShape* shared = anchor->getCollisionShape();
    ASSERT_EQ(shared->getShapeType(), BOX_SHAPE_PROXYTYPE);
    const btVector3 half = static_cast<const btBoxShape*>(shared)->getHalfExtentsWithMargin();
    EXPECT_NEAR(half.x(), 0.3f, 1e-6f);
    EXPECT_NEAR(half.z(), 0.3f, 1e-6f);
    for (int i = 0; i < objects.size(); ++i) {
        const btCollisionObject* object = objects[i];
        EXPECT_EQ(object->getCollisionShape(), shared);
        EXPECT_FLOAT_EQ(object->getFriction(), 0.5f);
        EXPECT_FLOAT_EQ(object->getRestitution(), 0.5f);
        if (i > 0) {
            EXPECT_FALSE(object->isStaticOrKinematicObject()) << "body " << i;
        }
    }
}

}  // namespace
