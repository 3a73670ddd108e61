#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "game/camera.h"
#include "app/input.h"
#include "app/render_toggles.h"

namespace {

void expectMatrixNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << "[" << c << "][" << r << "]";
    }
}

// Normalised depth of a point straight ahead of the camera at distance d, in
// double: within a few units of the far plane float rounding of the matrix
// decides, so the cases keep clear of it.
double clipDepthAhead(const glm::mat4& projection, double d) {
    const double z = -d * static_cast<double>(projection[2][2]) + static_cast<double>(projection[3][2]);
    const double w = -d * static_cast<double>(projection[2][3]) + static_cast<double>(projection[3][3]);
    return z / w;
}

TEST(Camera, StartsLookingDownMinusZAtTheRabbit) {
    Camera camera;
    EXPECT_NEAR(camera.front.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.front.z, -1.0f, 1e-6f);
    EXPECT_NEAR(camera.right.x, 1.0f, 1e-6f);
    EXPECT_NEAR(camera.up.y, 1.0f, 1e-6f);
    const glm::mat4 expected = glm::lookAt(glm::vec3(-100.0f, 200.0f, 8000.0f), glm::vec3(-100.0f, 200.0f, 7999.0f),
                                           glm::vec3(0.0f, 1.0f, 0.0f));
    expectMatrixNear(camera.viewMatrix(), expected, 1e-3f);
}

TEST(Camera, ViewMatrixFollowsAnglesChangedSinceTheLastUpdate) {
    Camera camera;
    camera.yaw = 0.0f;
    const glm::mat4 view = camera.viewMatrix();
    EXPECT_NEAR(camera.front.x, 1.0f, 1e-6f);
    // The eye looks along +x now: a point ahead lands on the view's -z axis.
    const glm::vec4 ahead = view * glm::vec4(camera.position + glm::vec3(50.0f, 0.0f, 0.0f), 1.0f);
    EXPECT_NEAR(ahead.z, -50.0f, 1e-2f);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-2f);
}

TEST(Camera, PitchAtTheLimitKeepsTheAxesFinite) {
    Camera camera;
    camera.pitch = 89.0f;
    camera.updateAxes();
    EXPECT_NEAR(glm::length(camera.right), 1.0f, 1e-5f);
    EXPECT_NEAR(glm::length(camera.up), 1.0f, 1e-5f);
    EXPECT_GT(camera.front.y, 0.99f);
}

TEST(Camera, ProjectionUsesTheSettingsAspectAndBothFarValues) {
    Camera camera;
    const glm::mat4 near = camera.projectionMatrix(1024, 768, farplane::Near);
    expectMatrixNear(near, glm::perspective(45.0f * 0.017453292f, 1024.0f / 768.0f, 0.1f, 10000.0f), 1e-6f);
    EXPECT_NEAR(near[2][2], -(10000.0f + 0.1f) / (10000.0f - 0.1f), 1e-6f);
    EXPECT_NEAR(near[3][2], -2.0f * 10000.0f * 0.1f / (10000.0f - 0.1f), 1e-6f);

    const glm::mat4 unbounded = camera.projectionMatrix(1024, 768, farplane::Unbounded);
    EXPECT_NEAR(unbounded[2][2], -1.0f, 1e-6f);
    EXPECT_NEAR(unbounded[3][2], -0.2f, 1e-6f);
    EXPECT_NEAR(unbounded[0][0] / unbounded[1][1], 768.0f / 1024.0f, 1e-6f);
}

TEST(Camera, FarPlaneSwitchDecidesWhetherDistantPointsAreClipped) {
    Camera camera;
    RenderToggles toggles;
    EXPECT_GT(clipDepthAhead(camera.projectionMatrix(1024, 768, toggles.farPlane), 11000.0), 1.0);
    EXPECT_LT(clipDepthAhead(camera.projectionMatrix(1024, 768, toggles.farPlane), 9000.0), 1.0);
    toggles.farPlane = farplane::Unbounded;
    EXPECT_LT(clipDepthAhead(camera.projectionMatrix(1024, 768, toggles.farPlane), 11000.0), 1.0);
    EXPECT_LT(clipDepthAhead(camera.projectionMatrix(1024, 768, toggles.farPlane), 20000.0), 1.0);
    EXPECT_GT(clipDepthAhead(camera.projectionMatrix(1024, 768, toggles.farPlane), 20000.0), -1.0);
    toggles.farPlane = farplane::Near;
    EXPECT_GT(clipDepthAhead(camera.projectionMatrix(1024, 768, toggles.farPlane), 20000.0), 1.0);
}

TEST(Mouse, NineHundredUnitsRightTurnTheFreeCameraToPlusX) {
    Camera camera;
    MouseState mouse;
    onCursorMoved(mouse, camera, true, 400.0, 300.0);
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    onCursorMoved(mouse, camera, true, 1300.0, 300.0);
    EXPECT_NEAR(camera.yaw, 0.0f, 1e-4f);
    EXPECT_NEAR(camera.front.x, 1.0f, 1e-5f);
    EXPECT_NEAR(camera.front.z, 0.0f, 1e-4f);
}

TEST(Mouse, UpwardMotionStopsAtEightyNineAndTurnsBackAtOnce) {
    Camera camera;
    MouseState mouse;
    onCursorMoved(mouse, camera, true, 0.0, 0.0);
    // Screen y grows downward: moving up is negative y.
    onCursorMoved(mouse, camera, true, 0.0, -5000.0);
    EXPECT_FLOAT_EQ(camera.pitch, 89.0f);
    onCursorMoved(mouse, camera, true, 0.0, -4990.0);
    EXPECT_NEAR(camera.pitch, 88.0f, 1e-4f);
    onCursorMoved(mouse, camera, true, 0.0, 100000.0);
    EXPECT_FLOAT_EQ(camera.pitch, -89.0f);
}

TEST(Mouse, WithTheFreeCameraOffOnlyTheLastPositionIsKept) {
    Camera camera;
    MouseState mouse;
    onCursorMoved(mouse, camera, false, 10.0, 20.0);
    onCursorMoved(mouse, camera, false, 910.0, -500.0);
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    EXPECT_FLOAT_EQ(mouse.lastX, 910.0f);
    EXPECT_FLOAT_EQ(mouse.lastY, -500.0f);
    EXPECT_FALSE(mouse.firstMouse);
    // Turning it on later starts from the kept position, not from a jump.
    onCursorMoved(mouse, camera, true, 920.0, -500.0);
    EXPECT_NEAR(camera.yaw, -89.0f, 1e-4f);
}

}  // namespace
