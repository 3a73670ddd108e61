#include <gtest/gtest.h>

#include <cmath>

#include "app/input.h"
#include "app/render_toggles.h"
#include "game/camera.h"

namespace {

// Where a point `d` ahead of the eye along `direction` lands in view space.
glm::vec3 seen(Camera& camera, const glm::vec3& direction, float d) {
    return glm::vec3(camera.viewMatrix() * glm::vec4(camera.position + direction * d, 1.0f));
}

// Normalised depth of a point straight ahead of the camera at distance d.
float clipDepthAhead(int farPlane, float d) {
    const glm::vec4 p = Camera().projectionMatrix(1024, 768, farPlane) * glm::vec4(0.0f, 0.0f, -d, 1.0f);
    return p.z / p.w;
}

TEST(Camera, TheFarPlaneSwitchDecidesWhetherDistantPointsAreClipped) {
    EXPECT_GT(clipDepthAhead(farplane::Near, 11000.0f), 1.0f);
    EXPECT_LT(clipDepthAhead(farplane::Near, 9000.0f), 1.0f);
    EXPECT_LT(clipDepthAhead(farplane::Unbounded, 20000.0f), 1.0f);
    EXPECT_GT(clipDepthAhead(farplane::Unbounded, 20000.0f), -1.0f);
    // Nothing closer than 0.1 shows.
    EXPECT_LT(clipDepthAhead(farplane::Near, 0.09f), -1.0f);
    EXPECT_GT(clipDepthAhead(farplane::Near, 0.11f), -1.0f);
    // 45 degrees from the bottom edge to the top; a wide window shows more sideways.
    const glm::mat4 projection = Camera().projectionMatrix(1024, 768, farplane::Near);
    const glm::vec4 top = projection * glm::vec4(0.0f, 100.0f * std::tan(0.3926991f), -100.0f, 1.0f);
    EXPECT_NEAR(top.y / top.w, 1.0f, 1e-5f);
    EXPECT_NEAR(projection[0][0] / projection[1][1], 768.0f / 1024.0f, 1e-6f);
}

TEST(Mouse, TurnsOnlyTheFreeCameraWhichLooksAlongItsAnglesAndStopsThePitchAtEightyNine) {
    Camera camera;
    MouseState mouse;
    EXPECT_LT(glm::distance(seen(camera, glm::vec3(0.0f, 0.0f, -1.0f), 50.0f), glm::vec3(0.0f, 0.0f, -50.0f)), 1e-2f);
    // The first position only starts the count; with the free camera off only
    // the last position is kept.
    onCursorMoved(mouse, camera, true, 10.0, 20.0);
    onCursorMoved(mouse, camera, false, 400.0, 300.0);
    EXPECT_EQ(camera.yaw, -90.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
    // 900 units right turn the free camera to +x, from the kept position.
    onCursorMoved(mouse, camera, true, 1300.0, 300.0);
    EXPECT_NEAR(camera.yaw, 0.0f, 1e-4f);
    EXPECT_NEAR(camera.front.x, 1.0f, 1e-5f);
    // Screen y grows downward: moving up is negative y.
    onCursorMoved(mouse, camera, true, 1300.0, -5000.0);
    EXPECT_EQ(camera.pitch, 89.0f);
    onCursorMoved(mouse, camera, true, 1300.0, -4990.0);
    EXPECT_NEAR(camera.pitch, 88.0f, 1e-4f);
    onCursorMoved(mouse, camera, true, 1300.0, 100000.0);
    EXPECT_EQ(camera.pitch, -89.0f);
    // Angles changed since the last update count too.
    camera.pitch = 0.0f;
    EXPECT_LT(glm::distance(seen(camera, glm::vec3(1.0f, 0.0f, 0.0f), 50.0f), glm::vec3(0.0f, 0.0f, -50.0f)), 1e-2f);
}

}  // namespace
