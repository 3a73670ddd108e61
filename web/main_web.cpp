// The browser's entry point. It starts the game exactly as app/main.cpp does,
// but hands each frame to the browser's animation loop, because a page must
// return to the browser between frames instead of looping in main().
//
// With "--route NAME" (the page's "?route=NAME") it replays a packed route
// instead: each game frame takes the route line's walk keys and lasts exactly
// the line's time, whatever the browser's frame rate. "--frames N" runs N
// route frames in each browser frame.
#include <emscripten/emscripten.h>
#include <glad/gl.h>
#include <GLFW/glfw3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "game/camera.h"
#include "app/game_scene.h"
#include "app/glfw_key_source.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "game/key_codes.h"
#include "game/level_layout.h"
#include "game/small_stones.h"
#include "web/route_replay.h"

namespace {
Camera camera;
MouseState mouse;
Settings settings;
AppState app;
std::unique_ptr<GameScene> scene;
std::unique_ptr<GlfwKeySource> keyboard;

// The replay, when the page asked for one.
bool replaying = false;
RouteReplay replay;
std::unique_ptr<RouteKeys> routeKeys;
int framesPerStep = 1;
// The window clock the scene reads while replaying: the route's own time.
double routeClock = 0.0;

void cursorMoved(GLFWwindow*, double x, double y) { onCursorMoved(mouse, camera, settings.freeCamera, x, y); }

void stop() {
    emscripten_cancel_main_loop();
    routeKeys.reset();
    keyboard.reset();
    scene.reset();
    shutdown(app);
    // Closing GLFW's window empties the canvas; the page says why.
    EM_ASM(if (Module.gameClosed) Module.gameClosed(););
}

// One pass of the desktop loop in app/game_routine.cpp.
void frame() {
    if (scene->runFrame(*keyboard, glfwGetTime())) {
        // Escape: the frame finishes, then the game closes as on the desktop.
        glfwSwapBuffers(app.window);
        stop();
        return;
    }
    glfwSwapBuffers(app.window);
    glfwPollEvents();
}

// The next route frames, as tests/gl/app/test_real_frame_loop.cpp plays a route: each
// frame's clock is the last frame's time plus the line's. After the last line
// the picture stays and only Escape still acts.
void replayFrame() {
    if (replay.done()) {
        glfwPollEvents();
        if (keyboard->isPressed(keys::Escape)) stop();
        return;
    }
    for (int i = 0; i < framesPerStep && !replay.done(); ++i) {
        const RouteFrame& line = replay.frames[replay.next++];
        routeKeys->held = line.held;
        routeClock = scene->clock().lastFrame + line.deltaTime;
        // Only the last of these frames is shown. The others run every stage,
        // drawing calls included, but a one-pixel scissor box spares the
        // software renderer their pixels; no frame reads an earlier one's.
        const bool shown = i + 1 == framesPerStep || replay.next == replay.frames.size();
        if (!shown) {
            glEnable(GL_SCISSOR_TEST);
            glScissor(0, 0, 1, 1);
        }
        const bool escape = scene->runFrame(*routeKeys, routeClock);
        glDisable(GL_SCISSOR_TEST);
        if (escape) {
            glfwSwapBuffers(app.window);
            stop();
            return;
        }
    }
    if (replay.done()) std::cout << replayEndLine(replay, scene->lastEnd()) << std::endl;
    glfwSwapBuffers(app.window);
    glfwPollEvents();
}

// "--route NAME" and "--frames N"; a route that cannot be read is reported
// and the game plays from the keyboard.
void readArguments(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--route") {
            std::string error;
            replaying = loadRoute(argv[i + 1], replay, error);
            if (!replaying) std::cerr << error << std::endl;
        } else if (option == "--frames") {
            framesPerStep = std::max(1, std::atoi(argv[i + 1]));
        }
    }
}
}  // namespace

int main(int argc, char** argv) {
    // The packed assets sit at /assets; running from a sibling folder lets the
    // game find "../assets/" as it does from the desktop build folder.
    mkdir("/game", 0755);
    if (chdir("/game") != 0) return -1;

    if (initialize(settings, app) != 0) return -1;
    readArguments(argc, argv);
    auto stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                              level::SmallStoneMinZ);
    // A replay's camera turns only as the route makes it.
    if (!replaying) glfwSetCursorPosCallback(app.window, cursorMoved);

    scene = std::make_unique<GameScene>(settings, app, camera, std::move(stones),
                                        [] { return replaying ? routeClock : glfwGetTime(); });
    keyboard = std::make_unique<GlfwKeySource>(app.window);
    if (replaying) {
        routeKeys = std::make_unique<RouteKeys>(*keyboard);
        // The start tests/gl/app/test_real_frame_loop.cpp gives its routes, so that
        // the frame times here are the ones it checks.
        scene->startClock(1.0);
    } else {
        scene->startClock(glfwGetTime());
    }
    // The browser calls the frame once a display refresh; main() returns here
    // and the game's objects live on in the statics above.
    emscripten_set_main_loop(replaying ? replayFrame : frame, 0, false);
    return 0;
}
