#include "render/shader_program.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include <glm/gtc/type_ptr.hpp>

#include "render/messages.h"

namespace {
constexpr int LogSize = 1024;

// Both files are read before either source is used; any failure leaves both empty.
bool readSources(const char* vertexPath, const char* fragmentPath, std::string& vertex, std::string& fragment) {
    std::ifstream vertexFile;
    std::ifstream fragmentFile;
    vertexFile.exceptions(std::ifstream::failbit | std::ifstream::badbit);
    fragmentFile.exceptions(std::ifstream::failbit | std::ifstream::badbit);
    try {
        vertexFile.open(vertexPath);
        fragmentFile.open(fragmentPath);
        std::stringstream vertexStream, fragmentStream;
        vertexStream << vertexFile.rdbuf();
        fragmentStream << fragmentFile.rdbuf();
        vertexFile.close();
        fragmentFile.close();
        vertex = vertexStream.str();
        fragment = fragmentStream.str();
        return true;
    } catch (const std::exception&) {
        vertex.clear();
        fragment.clear();
        return false;
    }
}

GLuint compile(GLenum type, const std::string& source, const char* label) {
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    reportBuildErrors(shader, label);
    return shader;
}
}  // namespace

bool reportBuildErrors(GLuint object, const std::string& label) {
    GLint success = 0;
    char log[LogSize] = {};
    if (label != rendertext::ProgramLabel) {
        glGetShaderiv(object, GL_COMPILE_STATUS, &success);
        if (!success) {
            glGetShaderInfoLog(object, LogSize, nullptr, log);
            std::cout << rendertext::CompileError << label << "\n" << log << rendertext::LogSeparator << std::endl;
        }
    } else {
        glGetProgramiv(object, GL_LINK_STATUS, &success);
        if (!success) {
            glGetProgramInfoLog(object, LogSize, nullptr, log);
            std::cout << rendertext::LinkError << label << "\n" << log << rendertext::LogSeparator << std::endl;
        }
    }
    return success == GL_TRUE;
}

ShaderProgram::ShaderProgram(const char* vertexPath, const char* fragmentPath) {
    std::string vertexSource, fragmentSource;
    if (!readSources(vertexPath, fragmentPath, vertexSource, fragmentSource))
        std::cout << rendertext::ShaderFileNotRead << std::endl;

    GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, rendertext::VertexLabel);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource, rendertext::FragmentLabel);

    programId = glCreateProgram();
    glAttachShader(programId, vertex);
    glAttachShader(programId, fragment);
    glLinkProgram(programId);
    linked = reportBuildErrors(programId, rendertext::ProgramLabel);

    // Still attached; deleted once the program goes.
    glDeleteShader(vertex);
    glDeleteShader(fragment);

    // No line end: the next creation text continues this line.
    std::cout << rendertext::CreatingShader << vertexPath << std::flush;
}

ShaderProgram::~ShaderProgram() {
    std::cout << rendertext::DeletingShader << std::endl;
    glDeleteProgram(programId);
}

void ShaderProgram::bind() const { glUseProgram(programId); }

void ShaderProgram::setUniformInt(const std::string& name, int value) const {
    glUniform1i(glGetUniformLocation(programId, name.c_str()), value);
}

void ShaderProgram::setUniformFloat(const std::string& name, float value) const {
    glUniform1f(glGetUniformLocation(programId, name.c_str()), value);
}

void ShaderProgram::setUniformVec3(const std::string& name, const glm::vec3& value) const {
    glUniform3fv(glGetUniformLocation(programId, name.c_str()), 1, glm::value_ptr(value));
}

void ShaderProgram::setUniformVec3(const std::string& name, float x, float y, float z) const {
    glUniform3f(glGetUniformLocation(programId, name.c_str()), x, y, z);
}

void ShaderProgram::setUniformMat4(const std::string& name, const glm::mat4& value) const {
    glUniformMatrix4fv(glGetUniformLocation(programId, name.c_str()), 1, GL_FALSE, glm::value_ptr(value));
}
