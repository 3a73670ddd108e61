#include "app/game_routine.h"

#include <GLFW/glfw3.h>

#include "app/game_scene.h"
#include "app/glfw_key_source.h"

void runGame(const Settings& settings, AppState& app, Camera& camera, std::vector<glm::vec3> smallStonePositions) {
    GameScene scene(settings, app, camera, std::move(smallStonePositions), [] { return glfwGetTime(); });
    GlfwKeySource keys(app.window);
    scene.startClock(glfwGetTime());

    while (!glfwWindowShouldClose(app.window)) {
        // Escape lets the current frame finish, swap included.
        if (scene.runFrame(keys, glfwGetTime())) glfwSetWindowShouldClose(app.window, GLFW_TRUE);
        glfwSwapBuffers(app.window);
        // The cursor callback runs in here: its camera turn shows next frame.
        glfwPollEvents();
    }
}
