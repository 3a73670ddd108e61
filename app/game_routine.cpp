#include "app/game_routine.h"

#include <glad/gl.h>
#include <GLFW/glfw3.h>

#include "app/frame_clock.h"
#include "app/glfw_key_source.h"
#include "game/key_codes.h"

namespace {

// Colour the scene is cleared to before the sky is drawn.
constexpr float ClearColour[4] = {0.0529f, 0.0808f, 0.0922f, 1.0f};

struct RenderFlags {
    bool wireframe = false;
};

void beginFrame(const Settings& settings, const RenderFlags& flags) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(ClearColour[0], ClearColour[1], ClearColour[2], ClearColour[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Post-processing of the previous frame left the depth test off.
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, settings.width, settings.height);
    // The only place the polygon mode is set: it holds for the whole frame, HUD included.
    glPolygonMode(GL_FRONT_AND_BACK, flags.wireframe ? GL_LINE : GL_FILL);
}

}  // namespace

void runGame(const Settings& settings, AppState& app) {
    FrameClock clock;
    RenderFlags flags;
    startFrameClock(clock, glfwGetTime());

    while (!glfwWindowShouldClose(app.window)) {
        updateFrameTime(clock, glfwGetTime());
        GlfwKeySource keys(app.window);
        // Escape lets the current frame finish, swap included.
        if (keys.isPressed(keys::Escape)) glfwSetWindowShouldClose(app.window, GLFW_TRUE);
        beginFrame(settings, flags);
        glfwSwapBuffers(app.window);
        glfwPollEvents();
    }
}
