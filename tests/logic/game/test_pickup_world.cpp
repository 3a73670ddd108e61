#include <gtest/gtest.h>

#include "game/level_layout.h"
#include "physics_world_fixture.h"

TEST(PickupWorld, PosesAreTheLayoutTranslationsInCreationOrder) {
    PickupScene physics;
    // Read twice: reading leaves the world as it was.
    for (int read = 0; read < 2; ++read) {
        const auto poses = readPickupPositions(*physics.scene);
        ASSERT_EQ(poses.size(), 18u);
        for (std::size_t i = 0; i < poses.size(); ++i) {
            glm::mat4 expected(1.0f);
            expected[3] = glm::vec4(level::pickupLayout[i].position, 1.0f);
            EXPECT_EQ(poses[i], expected) << "pickup " << i;
        }
    }
}
