#include <GLFW/glfw3.h>

#include <chrono>
#include <thread>

#include "app/app_state.h"
#include "game/camera.h"
#include "app/game_routine.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "game/level_layout.h"
#include "game/small_stones.h"

namespace {
// Built before the settings are read, as the one camera of the process.
Camera camera;
MouseState mouse;
Settings settings;

void cursorMoved(GLFWwindow*, double x, double y) { onCursorMoved(mouse, camera, settings.freeCamera, x, y); }
}  // namespace

int main() {
    AppState app;
    if (initialize(settings, app) != 0) {
        // A failed start-up leaves its objects to process exit.
        std::this_thread::sleep_until(std::chrono::steady_clock::now() + std::chrono::seconds(2));
        return -1;
    }
    auto stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                              level::SmallStoneMinZ);
    glfwSetCursorPosCallback(app.window, cursorMoved);
    runGame(settings, app, camera, std::move(stones));
    shutdown(app);
    return 0;
}
