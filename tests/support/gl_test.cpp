#include "support/gl_test.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

bool ensureDisplay() {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) return true;
    // The server dies with the test and holds none of its output pipes: a test
    // that crashes must not leave it holding CTest's pipe open. It writes its
    // display number once it accepts connections; the pipe stays open with it.
    static FILE* const server = popen(
        "exec setpriv --pdeathsig TERM Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset "
        "</dev/null 2>/dev/null",
        "r");
    char number[16] = {};
    if (!server || !std::fgets(number, sizeof number, server)) return false;
    setenv("DISPLAY", (":" + std::string(number, std::strcspn(number, "\n"))).c_str(), 1);
    return true;
}

GLFWwindow* openWindow() {
    if (!ensureDisplay() || !glfwInit()) return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(512, 512, "mh-gl-tests", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    if (gladLoadGL(glfwGetProcAddress)) return window;
    glfwDestroyWindow(window);
    return nullptr;
}

std::unique_ptr<ShaderProgram> built(const std::string& vertexPath, const std::string& fragmentPath) {
    std::unique_ptr<ShaderProgram> program;
    const std::string output =
        outputOf([&] { program = std::make_unique<ShaderProgram>(vertexPath.c_str(), fragmentPath.c_str()); });
    // Anything beyond the creation text is a build error.
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
    EXPECT_TRUE(program->linked) << vertexPath;
    return program;
}

}  // namespace

GLFWwindow* glWindow() {
    static GLFWwindow* const window = openWindow();
    return window;
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::create_directories(path);
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

void clearWindow(int width, int height, const glm::vec4& colour) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClearColor(colour.r, colour.g, colour.b, colour.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

glm::ivec4 windowPixel(int x, int y) {
    const std::vector<unsigned char> bytes = windowPixels(x, y, 1, 1);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

std::vector<unsigned char> windowPixels(int x, int y, int width, int height) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

::testing::AssertionResult colourNear(const glm::ivec3& actual, const glm::ivec3& expected, int tolerance) {
    if (glm::all(glm::lessThanEqual(glm::abs(actual - expected), glm::ivec3(tolerance))))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not near ("
                                         << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

std::string outputOf(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

Image patternImage(int width, int height, int channels, int seed) {
    Image image{width, height, channels, {}};
    for (int i = 0; i < width * height * channels; ++i)
        image.bytes.push_back(static_cast<unsigned char>(seed + 13 * i + 1));
    return image;
}

Image solidImage(int width, int height, const glm::ivec3& rgb) {
    Image image{width, height, 3, {}};
    for (int i = 0; i < width * height * 3; ++i) image.bytes.push_back(static_cast<unsigned char>(rgb[i % 3]));
    return image;
}

std::string writePng(const ScratchDir& dir, const std::string& relative, const Image& image) {
    const std::string path = dir.write(relative, "");
    EXPECT_NE(stbi_write_png(path.c_str(), image.width, image.height, image.channels, image.bytes.data(),
                             image.width * image.channels),
              0);
    return path;
}

std::unique_ptr<ShaderProgram> testProgram(const ScratchDir& dir, const std::string& name, const std::string& vertex,
                                           const std::string& fragment) {
    return built(dir.write("shaders/" + name + ".vert", vertex), dir.write("shaders/" + name + ".frag", fragment));
}

std::unique_ptr<ShaderProgram> gameProgram(const std::string& name) {
    const std::string base = std::string(MH_SOURCE_DIR) + "/assets/shader/" + name;
    return built(base + ".vert", base + ".frag");
}

std::string squareObj(const std::string& corners, const std::string& normal, const std::string& header) {
    return header + corners + "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn " + normal +
           "\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";
}

const char* const ScreenVertex = R"(#version 430 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); }
)";
