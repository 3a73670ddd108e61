// meadowhop-shots: the README's pictures, made by the real frame loop at the
// default window size: the start, cel shading, wire frame, and the last frames
// of the committed winning and losing routes. Run from build/ with a display:
//   ./meadowhop-shots ../docs
#include <glad/gl.h>
#include <GLFW/glfw3.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "game/camera.h"
#include "app/game_scene.h"
#include "app/startup.h"
#include "game/key_codes.h"
#include "game/level_layout.h"
#include "game/small_stones.h"
#include "tools/sim/route_script.h"

namespace {

constexpr float FrameTime = 1.0f / 60.0f;

void savePicture(const Settings& settings, const std::string& path) {
    std::vector<unsigned char> rgb(static_cast<size_t>(settings.width) * settings.height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, settings.width, settings.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    stbi_flip_vertically_on_write(1);
    stbi_write_png(path.c_str(), settings.width, settings.height, 3, rgb.data(), settings.width * 3);
    std::cerr << "wrote " << path << "\n";
}

// One game from the start: frames of keys, then a picture of the last one.
void shoot(const Settings& settings, AppState& app, const std::vector<RouteFrame>& frames, const std::string& path,
           double startTime) {
    Camera camera;
    std::ostringstream quiet;
    auto stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                              level::SmallStoneMinZ, quiet);
    // The window clock follows the script, so every picture is the same each time.
    double scripted = startTime;
    GameScene scene(settings, app, camera, std::move(stones), [&scripted] { return scripted; });
    float now = static_cast<float>(startTime);
    scene.startClock(now);
    ScriptedKeys keys;
    for (const RouteFrame& frame : frames) {
        keys.held = frame.held;
        now = scene.clock().lastFrame + frame.deltaTime;
        scripted = now;
        scene.runFrame(keys, now);
    }
    savePicture(settings, path);
    glfwSwapBuffers(app.window);
    glfwPollEvents();
}

std::vector<RouteFrame> idle(int count, std::set<int> heldOnFirst = {}) {
    std::vector<RouteFrame> frames(static_cast<size_t>(count));
    for (auto& f : frames) f.deltaTime = FrameTime;
    if (!frames.empty()) frames.front().held = std::move(heldOnFirst);
    return frames;
}

std::vector<RouteFrame> route(const std::string& file) {
    std::ifstream in(file);
    return parseRoute(in).frames;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "../docs";
    const std::string routes = argc > 2 ? argv[2] : "../tests/fixtures/routes";
    Settings settings;
    AppState app;
    std::streambuf* console = std::cout.rdbuf();
    std::ostringstream sink;
    std::cout.rdbuf(sink.rdbuf());
    if (initialize(settings, app) != 0) {
        std::cout.rdbuf(console);
        std::cerr << sink.str();
        return 1;
    }
    shoot(settings, app, idle(90), out + "/start.png", 3.0);
    shoot(settings, app, idle(90, {keys::F5}), out + "/cel.png", 3.0);
    shoot(settings, app, idle(90, {keys::F3}), out + "/wireframe.png", 3.0);
    shoot(settings, app, route(routes + "/win.txt"), out + "/winner.png", 3.0);
    shoot(settings, app, route(routes + "/lose.txt"), out + "/game-over.png", 3.0);
    std::cout.rdbuf(console);
    shutdown(app);
    return 0;
}
