// meadowhop-gallery: pictures of the asset tree for docs/assets/: every model
// of the scene alone under the game's directional light from a three-quarter
// view, the sky looking along each axis, and four images of the film. Run from
// build/ with a display (xvfb-run -a ./meadowhop-gallery ../docs/assets).
#include <glad/gl.h>
#include <GLFW/glfw3.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/scene_assets.h"
#include "frame/framebuffer.h"
#include "frame/lighting.h"
#include "game/level_layout.h"
#include "render/model_asset.h"
#include "render/skybox.h"

namespace {

constexpr int Width = 512;
constexpr int Height = 384;
constexpr float ModelFieldOfView = 35.0f;
// Each face spans exactly 90 degrees vertically; the wider picture shows the
// neighbouring faces' edges on both sides.
constexpr float SkyFieldOfView = 90.0f;
const glm::vec4 Background{0.86f, 0.88f, 0.9f, 1.0f};
// From the front (the rabbit looks towards +z), right and above.
const glm::vec3 ThreeQuarter = glm::normalize(glm::vec3(0.8f, 0.6f, 1.0f));

// The game's draw matrix of each model with its translation dropped, so the
// pictures show the sizes and turns the player sees.
glm::mat4 atOrigin(glm::mat4 matrix) {
    matrix[3] = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    return matrix;
}

struct Shot {
    const char* file;
    const char* model;
    glm::mat4 matrix;
    // The meadow is a long strip: seen down its length, as the player does.
    bool alongPath = false;
};

std::vector<Shot> modelShots() {
    const glm::mat4 still(1.0f);
    return {
        {"model-meadow.png", scenepaths::Meadow, atOrigin(groundModelMatrix()), true},
        {"model-rabbit.png", scenepaths::Rabbit, atOrigin(rabbitModelMatrix(glm::vec3(0.0f), 0.0f))},
        {"model-carrot.png", scenepaths::Carrot, carrotMatrix(still)},
        {"model-stone.png", scenepaths::Stone, atOrigin(largeStoneMatrix(0))},
        {"model-heart.png", scenepaths::Heart, heartMatrix(still)},
        {"model-crate.png", scenepaths::Cube, atOrigin(crateMatrix())},
        {"model-star.png", scenepaths::Star, still},
        {"model-wall.png", scenepaths::Wall, atOrigin(brickWallModelMatrix(0.0f))},
        {"model-trunk.png", scenepaths::Trunk, still},
        {"model-tunnel.png", scenepaths::Tunnel, atOrigin(tunnelWallMatrix())},
    };
}

struct SkyShot {
    const char* file;
    glm::vec3 forward;
    glm::vec3 up;
};

const SkyShot SkyShots[] = {
    {"sky-pos-x.png", {1, 0, 0}, {0, 1, 0}},  {"sky-neg-x.png", {-1, 0, 0}, {0, 1, 0}},
    {"sky-pos-y.png", {0, 1, 0}, {0, 0, -1}}, {"sky-neg-y.png", {0, -1, 0}, {0, 0, 1}},
    {"sky-pos-z.png", {0, 0, 1}, {0, 1, 0}},  {"sky-neg-z.png", {0, 0, -1}, {0, 1, 0}},
};

const int FilmImages[] = {1, 18, 36, 54};

// The resources' own console lines would bury the list of pictures: they go
// to a sink while this lives, and report() still reaches the console.
class QuietConsole {
public:
    QuietConsole() : console_(std::cout.rdbuf(sink_.rdbuf())) {}
    ~QuietConsole() { std::cout.rdbuf(console_); }
    QuietConsole(const QuietConsole&) = delete;
    QuietConsole& operator=(const QuietConsole&) = delete;
    static std::ostream& report() {
        static std::ostream out(std::cout.rdbuf());
        return out;
    }

private:
    std::ostringstream sink_;
    std::streambuf* console_;
};

bool writePicture(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
                  bool bottomRowFirst) {
    stbi_flip_vertically_on_write(bottomRowFirst ? 1 : 0);
    const bool ok = stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
    QuietConsole::report() << (ok ? "wrote " : "could not write ") << path << std::endl;
    return ok;
}

bool savePicture(const Framebuffer& target, const std::string& path) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(Width) * Height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return writePicture(path, Width, Height, rgb, true);
}

void clear(const Framebuffer& target) {
    target.bind();
    glViewport(0, 0, Width, Height);
    glClearColor(Background.r, Background.g, Background.b, Background.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool shootModel(const Framebuffer& target, const ShaderProgram& lighting, const Shot& shot, const std::string& out) {
    const ModelAsset model(shot.model);
    glm::vec3 lo(1e30f), hi(-1e30f);
    for (const auto& mesh : model.meshes) {
        for (const MeshVertex& v : mesh->vertices) {
            const glm::vec3 p(shot.matrix * glm::vec4(v.position, 1.0f));
            lo = glm::min(lo, p);
            hi = glm::max(hi, p);
        }
    }
    if (model.meshes.empty()) return false;
    const glm::vec3 centre = (lo + hi) * 0.5f;
    const float radius = std::max(glm::length(hi - lo) * 0.5f, 1e-3f);
    float distance = radius / std::sin(glm::radians(ModelFieldOfView) * 0.5f);

    LitView frame;
    glm::vec3 lookAt = centre;
    frame.cameraPosition = centre + ThreeQuarter * distance;
    if (shot.alongPath) {
        const float length = hi.z - lo.z;
        frame.cameraPosition = glm::vec3(centre.x, hi.y + 0.05f * length, hi.z + 0.04f * length);
        lookAt = glm::vec3(centre.x, hi.y, hi.z - 0.45f * length);
        distance = length;
    }
    frame.view = glm::lookAt(frame.cameraPosition, lookAt, glm::vec3(0.0f, 1.0f, 0.0f));
    frame.projection = glm::perspective(glm::radians(ModelFieldOfView), static_cast<float>(Width) / Height,
                                        distance * 0.01f, distance * 4.0f);

    clear(target);
    lighting.bind();
    setDirectionalLight(lighting, frame);
    lighting.setUniformMat4("view", frame.view);
    lighting.setUniformMat4("projection", frame.projection);
    lighting.setUniformMat4("model", shot.matrix);
    lighting.setUniformInt("glow", 0);
    model.draw(lighting);
    return savePicture(target, out + "/" + shot.file);
}

bool shootSky(const Framebuffer& target, Skybox& sky, const SkyShot& shot, const std::string& out) {
    clear(target);
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f), shot.forward, shot.up);
    const glm::mat4 projection =
        glm::perspective(glm::radians(SkyFieldOfView), static_cast<float>(Width) / Height, 0.1f, 10.0f);
    sky.draw(view, projection);
    return savePicture(target, out + "/" + shot.file);
}

bool copyFilmImage(int index, const std::string& out) {
    const std::string from = "../assets/frames/frame" + std::to_string(index) + ".jpg";
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(from.c_str(), &width, &height, &channels, 3);
    if (!pixels) {
        QuietConsole::report() << "could not read " << from << std::endl;
        return false;
    }
    std::vector<unsigned char> rgb(pixels, pixels + static_cast<std::size_t>(width) * height * 3);
    stbi_image_free(pixels);
    std::ostringstream name;
    name << out << "/film-" << (index < 10 ? "0" : "") << index << ".png";
    return writePicture(name.str(), width, height, rgb, false);
}

GLFWwindow* openHiddenWindow() {
    if (!glfwInit()) return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(Width, Height, "meadowhop-gallery", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    if (!gladLoadGL(glfwGetProcAddress)) return nullptr;
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "../docs/assets";
    GLFWwindow* window = openHiddenWindow();
    if (!window) {
        std::cout << "no GL 4.3 core context" << std::endl;
        glfwTerminate();
        return 1;
    }
    // The game's own global state: culling shows a wrongly wound triangle as a hole.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);

    // Made before the console is silenced, so it writes to the console itself.
    QuietConsole::report();
    bool ok = true;
    {
        QuietConsole quiet;
        Framebuffer target(Width, Height);
        target.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
        target.addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
        target.addDepthStencilBuffer();
        target.finish();
        ShaderProgram lighting(scenepaths::Lighting[0], scenepaths::Lighting[1]);
        Skybox sky;
        for (const Shot& shot : modelShots()) ok = shootModel(target, lighting, shot, out) && ok;
        for (const SkyShot& shot : SkyShots) ok = shootSky(target, sky, shot, out) && ok;
        for (int index : FilmImages) ok = copyFilmImage(index, out) && ok;
    }
    glfwDestroyWindow(window);
    glfwTerminate();
    return ok ? 0 : 1;
}
