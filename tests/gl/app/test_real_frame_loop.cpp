// The real frame loop (every stage, drawing included) over the committed
// routes, with the route's keys and a clock that advances by its frame times.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_scene.h"
#include "frame/text_renderer.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/small_stones.h"
#include "support/gl_context.h"
#include "tools/sim/route_script.h"

namespace {

// Small, so that hundreds of software-rendered frames stay cheap.
constexpr int Width = 400;
constexpr int Height = 300;

class RealFrameLoop : public testing::Test {
   protected:
    void SetUp() override {
        REQUIRE_GL();
        ASSERT_EQ(chdir(MH_BINARY_DIR), 0);
        glfwSetWindowSize(GlContext::get().window(), Width, Height);
        settings.width = Width;
        settings.height = Height;
        testing::internal::CaptureStdout();
        glyphsLoaded = loadGlyphs();
        testing::internal::GetCapturedStdout();
        app.foundation = createPhysicsFoundation();
        app.physics = createPhysicsSdk(app.foundation);
        app.scene = createPhysicsScene(app.physics);
        std::ostringstream quiet;
        stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX,
                                             level::SmallStoneMaxZ, level::SmallStoneMinZ, quiet);
    }

    void TearDown() override {
        releasePhysicsScene(app.scene);
        releasePhysicsSdk(app.physics);
        releasePhysicsFoundation(app.foundation);
    }

    // Plays the route frame by frame; returns the end decision of its last frame.
    EndDecision play(const std::string& routeFile, std::vector<unsigned char>& lastPicture) {
        std::ifstream in(std::string(MH_SOURCE_DIR) + "/tests/fixtures/routes/" + routeFile);
        RouteParse route = parseRoute(in);
        EXPECT_EQ(route.badLine, 0) << route.error;
        // The scene's console output is not under test here.
        testing::internal::CaptureStdout();
        EndDecision end = EndDecision::None;
        {
            // The star field is seeded with 0; the wall turns with the frames.
            double wallClock = 0.0;
            GameScene scene(settings, app, camera, stones, [&wallClock] { return wallClock; });
            float now = 1.0f;
            scene.startClock(now);
            ScriptedKeys keys;
            for (const RouteFrame& frame : route.frames) {
                keys.held = frame.held;
                // Whatever the float clock does, this frame lasts exactly dt.
                now = scene.clock().lastFrame + frame.deltaTime;
                wallClock = now;
                scene.runFrame(keys, now);
            }
            lastPicture.assign(static_cast<size_t>(Width) * Height * 3, 0);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, lastPicture.data());
            end = scene.lastEnd();
        }
        const GLenum error = glGetError();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR));
        return end;
    }

    // Pixels of the end message's dark colour in a box around the window centre.
    static int endTextPixels(const std::vector<unsigned char>& rgb, int r, int g, int b) {
        int count = 0;
        for (int y = Height / 2 - 20; y < Height / 2 + 40; ++y) {
            for (int x = Width / 2 - 120; x < Width / 2 + 120; ++x) {
                const unsigned char* p = &rgb[(static_cast<size_t>(y) * Width + x) * 3];
                if (std::abs(p[0] - r) < 12 && std::abs(p[1] - g) < 12 && std::abs(p[2] - b) < 12) ++count;
            }
        }
        return count;
    }

    Settings settings;
    AppState app;
    Camera camera;
    std::vector<glm::vec3> stones;
    bool glyphsLoaded = false;
};

TEST_F(RealFrameLoop, WinningRouteEndsOnWinnerDrawnInTheWindow) {
    ASSERT_TRUE(glyphsLoaded);
    std::vector<unsigned char> picture;
    EXPECT_EQ(play("win.txt", picture), EndDecision::Win);
    // "Winner" is drawn in (0.1, 0, 0.1).
    EXPECT_GT(endTextPixels(picture, 25, 0, 25), 40);
}

TEST_F(RealFrameLoop, LosingRouteEndsOnGameOverDrawnInTheWindow) {
    ASSERT_TRUE(glyphsLoaded);
    std::vector<unsigned char> picture;
    EXPECT_EQ(play("lose.txt", picture), EndDecision::Lose);
    // "Game Over" is drawn in (0, 0, 0.1).
    EXPECT_GT(endTextPixels(picture, 0, 0, 25), 40);
}

}  // namespace
