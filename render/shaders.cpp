#include "render/shaders.h"

#include <fstream>
#include <sstream>

namespace {
// Note the folder has no leading "../": these files sit under the working directory.
constexpr const char* ShaderFolder = "assets/shader/";

std::string readWhole(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

GLuint compileQuietly(GLenum type, const std::string& source) {
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}
}  // namespace

Shaders::Shaders(std::string name) {
    const std::string base = ShaderFolder + name;
    GLuint vertex = compileQuietly(GL_VERTEX_SHADER, readWhole(base + ".vert"));
    GLuint fragment = compileQuietly(GL_FRAGMENT_SHADER, readWhole(base + ".frag"));
    programId = glCreateProgram();
    glAttachShader(programId, vertex);
    glAttachShader(programId, fragment);
    glLinkProgram(programId);
    glDetachShader(programId, vertex);
    glDetachShader(programId, fragment);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
}

void Shaders::setUniformVec3(const std::string& name, glm::vec3 value) const {
    glUniform3f(glGetUniformLocation(programId, name.c_str()), value.x, value.y, value.z);
}
