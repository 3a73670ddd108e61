// The browser's entry point. It starts the game exactly as app/main.cpp does,
// but hands each frame to the browser's animation loop, because a page must
// return to the browser between frames instead of looping in main().
#include <emscripten/emscripten.h>
#include <GLFW/glfw3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "app/app_state.h"
#include "game/camera.h"
#include "app/game_scene.h"
#include "app/glfw_key_source.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "game/level_layout.h"
#include "game/small_stones.h"

namespace {
Camera camera;
MouseState mouse;
Settings settings;
AppState app;
std::unique_ptr<GameScene> scene;
std::unique_ptr<GlfwKeySource> keys;

void cursorMoved(GLFWwindow*, double x, double y) { onCursorMoved(mouse, camera, settings.freeCamera, x, y); }

void stop() {
    emscripten_cancel_main_loop();
    keys.reset();
    scene.reset();
    shutdown(app);
    // Closing GLFW's window empties the canvas; the page says why.
    EM_ASM(if (Module.gameClosed) Module.gameClosed(););
}

// One pass of the desktop loop in app/game_routine.cpp.
void frame() {
    if (scene->runFrame(*keys, glfwGetTime())) {
        // Escape: the frame finishes, then the game closes as on the desktop.
        glfwSwapBuffers(app.window);
        stop();
        return;
    }
    glfwSwapBuffers(app.window);
    glfwPollEvents();
}
}  // namespace

int main() {
    // The packed assets sit at /assets; running from a sibling folder lets the
    // game find "../assets/" as it does from the desktop build folder.
    mkdir("/game", 0755);
    if (chdir("/game") != 0) return -1;

    if (initialize(settings, app) != 0) return -1;
    auto stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                              level::SmallStoneMinZ);
    glfwSetCursorPosCallback(app.window, cursorMoved);

    scene = std::make_unique<GameScene>(settings, app, camera, std::move(stones), [] { return glfwGetTime(); });
    keys = std::make_unique<GlfwKeySource>(app.window);
    scene->startClock(glfwGetTime());
    // The browser calls frame() once a display refresh; main() returns here
    // and the game's objects live on in the statics above.
    emscripten_set_main_loop(frame, 0, false);
    return 0;
}
