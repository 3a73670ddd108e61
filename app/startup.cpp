#include "app/startup.h"

#include <glad/gl.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
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
    // The window only receives the finished picture and the HUD, neither
    // depth-tested: a depth and stencil buffer there would be kept up for nothing.
    glfwWindowHint(GLFW_DEPTH_BITS, 0);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
}

// The full-screen size is fixed; width and height still size everything drawn.
constexpr int FullscreenWidth = 1980;
constexpr int FullscreenHeight = 1080;

// GLFW asserts on a gamma that is not a positive finite number; such a
// brightness leaves the monitor as it is, silently like GLFW's own errors.
bool usableGamma(float brightness) { return brightness > 0.0f && std::isfinite(brightness); }

GLFWwindow* createWindow(const Settings& settings) {
    // The settings' size sizes the off-screen buffers in both modes, so a size
    // below 1 is refused in both. A negative one would trip GLFW's assertion.
    if (settings.width < 1 || settings.height < 1) return nullptr;
    if (settings.fullscreen) {
        GLFWmonitor* monitor = glfwGetPrimaryMonitor();
        if (monitor && usableGamma(settings.brightness)) glfwSetGamma(monitor, settings.brightness);
        return glfwCreateWindow(FullscreenWidth, FullscreenHeight, settings.title.c_str(), monitor, nullptr);
    }
    return glfwCreateWindow(settings.width, settings.height, settings.title.c_str(), nullptr, nullptr);
}

// The off-screen buffers are textures and a renderbuffer of the settings'
// size, drawn through a viewport of that size: the smallest limit rules.
int largestBufferSide() {
    GLint texture = 0, renderbuffer = 0;
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    return std::min({texture, renderbuffer, viewport[0], viewport[1]});
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

    const int largest = largestBufferSide();
    if (settings.width > largest || settings.height > largest) {
        std::cout << messages::WindowTooLargePrefix << settings.width << messages::WindowTooLargeBy << settings.height
                  << messages::WindowTooLargeLimit << largest << std::endl;
        return -1;
    }

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
    // Bullet needs no cooking object; ours is a token, deleted here so that
    // leak checks of a normal run find nothing left.
    delete app.cooking;
    app.cooking = nullptr;
    glfwTerminate();
}
