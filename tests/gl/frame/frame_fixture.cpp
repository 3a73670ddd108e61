#include "frame_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

TempTree::TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mh-frame-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary directory";
    root_ = pattern;
    std::filesystem::create_directories(build());
    std::filesystem::create_directories(root_ / "assets");
}

TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path TempTree::write(const std::string& relative, const std::string& contents) const {
    const std::filesystem::path path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

std::unique_ptr<ShaderProgram> TempTree::program(const std::string& name, const std::string& vertex,
                                                 const std::string& fragment) const {
    const std::string vertexPath = write("shaders/" + name + ".vert", vertex).string();
    const std::string fragmentPath = write("shaders/" + name + ".frag", fragment).string();
    testing::internal::CaptureStdout();
    auto program = std::make_unique<ShaderProgram>(vertexPath.c_str(), fragmentPath.c_str());
    const std::string output = testing::internal::GetCapturedStdout();
    // Anything beyond the creation text is a build error of the test's own shaders.
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
    GLint linked = GL_FALSE;
    glGetProgramiv(program->programId, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE) << name;
    return program;
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

TestTarget::TestTarget(int width, int height) : width_(width), height_(height) {
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenTextures(1, &colour_);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, width, height);
}

TestTarget::~TestTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &colour_);
    glDeleteRenderbuffers(1, &depth_);
}

void TestTarget::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, width_, height_);
}

void TestTarget::clear(const glm::vec4& colour) const {
    bind();
    glClearColor(colour.r, colour.g, colour.b, colour.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<unsigned char> TestTarget::pixels() const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

glm::ivec4 TestTarget::pixel(int x, int y) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    return readPixel(x, y);
}

glm::ivec4 readPixel(int x, int y) {
    unsigned char bytes[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

const char* const SquareObj =
    "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";

const char* const SceneVertexShader = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
void main() { gl_Position = projection * view * model * vec4(position, 1.0); }
)";

glm::mat4 uniformMat4(GLuint program, const char* name) {
    glm::mat4 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &value[0][0]);
    return value;
}

glm::vec3 uniformVec3(GLuint program, const char* name) {
    glm::vec3 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &value[0]);
    return value;
}

float uniformFloat(GLuint program, const char* name) {
    float value = 0.0f;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    return value;
}

int uniformInt(GLuint program, const char* name) {
    GLint value = 0;
    glGetUniformiv(program, glGetUniformLocation(program, name), &value);
    return value;
}

GLint currentProgram() {
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
}

GLint boundTexture(GLenum unit) {
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(unit);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glActiveTexture(static_cast<GLenum>(active));
    return texture;
}

::testing::AssertionResult matricesNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            if (std::abs(actual[c][r] - expected[c][r]) > tolerance) {
                return ::testing::AssertionFailure() << "entry [" << c << "][" << r << "] is " << actual[c][r]
                                                     << ", expected " << expected[c][r];
            }
        }
    }
    return ::testing::AssertionSuccess();
}
