// The real frame loop (every stage, drawing included) over the committed
// routes, with the route's keys and a clock that advances by its frame times.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/text_renderer.h"
#include "support/gl_context.h"
#include "tools/sim/route_script.h"
#include "tools/sim/trace_line.h"
#include "scene_inputs.h"

namespace {

// Small, so that hundreds of software-rendered frames stay cheap.
constexpr int Width = 400;
constexpr int Height = 300;

// The simulator's trace of the route's keys with the frame times the real
// loop's float clock gave, without its header.
std::vector<std::string> simulatorTrace(const std::string& routeFile, const std::vector<float>& frameTimes) {
    std::ifstream route(std::string(MH_SOURCE_DIR) + "/tests/fixtures/routes/" + routeFile);
    const std::string scriptPath = testing::TempDir() + "replayed-" + routeFile;
    std::ofstream script(scriptPath);
    std::size_t frame = 0;
    for (std::string line; std::getline(route, line);) {
        std::istringstream fields(line);
        std::string time, held;
        if (!(fields >> time >> held) || time[0] == '#' || frame >= frameTimes.size()) continue;
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(frameTimes[frame++]));
        script << text << ' ' << held << '\n';
    }
    script.close();
    const std::string command = std::string(MH_BINARY_DIR) + "/meadowhop-sim < " + scriptPath;
    std::vector<std::string> lines;
    FILE* sim = popen(command.c_str(), "r");
    if (!sim) return lines;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, sim)) lines.emplace_back(buffer, std::strcspn(buffer, "\n"));
    pclose(sim);
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
}

// Plays the route frame by frame: the simulator runs the same frame, so given
// the same frame times it has the same state after every frame. The end
// message is drawn in its colour around the window centre.
void expectRoute(const std::string& routeFile, EndDecision decision, const glm::ivec3& textColour) {
    ASSERT_EQ(chdir(MH_BINARY_DIR), 0);
    glfwSetWindowSize(GlContext::get().window(), Width, Height);
    testing::internal::CaptureStdout();
    const bool glyphsLoaded = loadGlyphs();
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(glyphsLoaded);
    std::ifstream in(std::string(MH_SOURCE_DIR) + "/tests/fixtures/routes/" + routeFile);
    const RouteParse route = parseRoute(in);
    EXPECT_EQ(route.badLine, 0) << route.error;
    SceneInputs inputs(Width, Height);
    std::vector<std::string> trace;
    std::vector<float> frameTimes;
    std::vector<unsigned char> picture(static_cast<size_t>(Width) * Height * 3);
    EndDecision end = EndDecision::None;
    // The scene's console output is not under test here.
    testing::internal::CaptureStdout();
    {
        // The star field is seeded with 0; the wall turns with the frames.
        double wallClock = 0.0;
        GameScene scene(inputs.settings, inputs.app, inputs.camera, inputs.stones, [&wallClock] { return wallClock; });
        scene.startClock(1.0);
        ScriptedKeys keys;
        for (const RouteFrame& frame : route.frames) {
            keys.held = frame.held;
            // Whatever the float clock does, this frame lasts exactly dt.
            wallClock = scene.clock().lastFrame + frame.deltaTime;
            scene.runFrame(keys, wallClock);
            trace.push_back(
                traceLine(static_cast<int>(trace.size()) + 1, scene.world(), inputs.camera.position, scene.lastEnd()));
            frameTimes.push_back(scene.clock().deltaTime);
        }
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
        end = scene.lastEnd();
    }
    const GLenum error = glGetError();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(end, decision);

    const std::vector<std::string> simulated = simulatorTrace(routeFile, frameTimes);
    ASSERT_EQ(trace.size(), simulated.size());
    for (std::size_t i = 0; i < trace.size(); ++i) ASSERT_EQ(trace[i], simulated[i]) << "frame " << i + 1;
    int count = 0;
    for (int y = Height / 2 - 20; y < Height / 2 + 40; ++y) {
        for (int x = Width / 2 - 120; x < Width / 2 + 120; ++x) {
            const unsigned char* p = &picture[(static_cast<size_t>(y) * Width + x) * 3];
            if (glm::all(glm::lessThan(glm::abs(glm::ivec3(p[0], p[1], p[2]) - textColour), glm::ivec3(12)))) ++count;
        }
    }
    EXPECT_GT(count, 40);
}

// "Winner" is drawn in (0.1, 0, 0.1), "Game Over" in (0, 0, 0.1).
TEST(RealFrameLoop, WinningRouteMatchesTheSimulatorAndEndsOnWinnerDrawn) {
    REQUIRE_GL();
    expectRoute("win.txt", EndDecision::Win, {25, 0, 25});
}

TEST(RealFrameLoop, LosingRouteMatchesTheSimulatorAndEndsOnGameOverDrawn) {
    REQUIRE_GL();
    expectRoute("lose.txt", EndDecision::Lose, {0, 0, 25});
}

}  // namespace
