#include "frame_fixture.h"

namespace {

std::unique_ptr<ShaderProgram> built(const std::string& name, const std::string& vertexPath,
                                     const std::string& fragmentPath) {
    testing::internal::CaptureStdout();
    auto program = std::make_unique<ShaderProgram>(vertexPath.c_str(), fragmentPath.c_str());
    const std::string output = testing::internal::GetCapturedStdout();
    // Anything beyond the creation text is a build error.
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
    GLint linked = GL_FALSE;
    glGetProgramiv(program->programId, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE) << name;
    return program;
}

}  // namespace

std::unique_ptr<ShaderProgram> TempTree::program(const std::string& name, const std::string& vertex,
                                                 const std::string& fragment) const {
    return built(name, write("shaders/" + name + ".vert", vertex), write("shaders/" + name + ".frag", fragment));
}

std::unique_ptr<ShaderProgram> gameProgram(const std::string& name) {
    const std::string base = std::string(MH_SOURCE_DIR) + "/assets/shader/" + name;
    return built(name, base + ".vert", base + ".frag");
}

const char* const SquareObj =
    "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";

const char* const QuadVertex = R"(#version 430 core
layout(location = 0) in vec4 position;
layout(location = 2) in vec2 texCoords;
out vec2 uv;
void main() { uv = texCoords; gl_Position = position; }
)";

const char* const SceneVertexShader = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
void main() { gl_Position = projection * view * model * vec4(position, 1.0); }
)";

GLuint solidTexture(const glm::u8vec4& colour) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, &colour[0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    return texture;
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

float readRed(GLuint framebuffer, int x, int y) {
    float texel[4] = {};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_FLOAT, texel);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return texel[0];
}
