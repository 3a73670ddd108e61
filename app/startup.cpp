#include "app/startup.h"

#include <glad/gl.h>
#include <GLFW/glfw3.h>

#include <iostream>

#include "app/messages.h"
#include "app/startup_hooks.h"
#include "game/physics.h"

namespace {

void setWindowHints(const Settings& settings) {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_REFRESH_RATE, refreshRateHint(settings));
}

// The full-screen size is fixed; width and height still size everything drawn.
constexpr int FullscreenWidth = 1980;
constexpr int FullscreenHeight = 1080;

GLFWwindow* createWindow(const Settings& settings) {
    if (settings.fullscreen) {
        GLFWmonitor* monitor = glfwGetPrimaryMonitor();
        if (monitor) glfwSetGamma(monitor, settings.brightness);
        return glfwCreateWindow(FullscreenWidth, FullscreenHeight, settings.title.c_str(), monitor,
                                nullptr);
    }
    // GLFW turns a size below 1 into a failed creation, but a negative one
    // trips its assertion first and aborts: refuse both the same way here.
    if (settings.width < 1 || settings.height < 1) return nullptr;
    return glfwCreateWindow(settings.width, settings.height, settings.title.c_str(), nullptr,
                            nullptr);
}

void setGlobalGlState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

int fail(const char* line) {
    std::cout << line << std::endl;
    return -1;
}

int createPhysics(AppState& app) {
    app.foundation = createPhysicsFoundation();
    if (!app.foundation) return fail(messages::PhysicsFoundationFailed);
    app.physics = createPhysicsSdk(app.foundation);
    if (!app.physics) return fail(messages::PhysicsSdkFailed);
    app.scene = createPhysicsScene(app.physics);
    if (!app.scene) return fail(messages::PhysicsSceneFailed);
    app.cooking = createPhysicsCooking(app.foundation);
    if (!app.cooking) return fail(messages::PhysicsCookingFailed);
    return 0;
}

}  // namespace

int initialize(Settings& settings, AppState& app) {
    if (!loadSettings(messages::SettingsPath, settings)) return fail(messages::SettingsLoadFailed);

    // Not tested on purpose: a failed init shows up as a failed window.
    glfwInit();
    setWindowHints(settings);

    app.window = createWindow(settings);
    if (!app.window) {
        std::cout << messages::WindowFailed << std::endl;
        glfwTerminate();
        return -1;
    }

    glfwMakeContextCurrent(app.window);
    glfwSetInputMode(app.window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);

    if (!gladLoadGL(glfwGetProcAddress)) return fail(messages::GladFailed);

    setGlobalGlState();

    if (!buildGlyphSet()) return -1;

    return createPhysics(app);
}

void shutdown(AppState& app) {
    releasePhysicsScene(app.scene);
    releasePhysicsSdk(app.physics);
    releasePhysicsFoundation(app.foundation);
    app.scene = nullptr;
    app.physics = nullptr;
    app.foundation = nullptr;
    // Bullet needs no cooking object; ours is a token and goes with the process.
    delete app.cooking;
    app.cooking = nullptr;
    glfwTerminate();
}
