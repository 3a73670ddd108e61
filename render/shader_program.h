#pragma once
#include <string>

#include <glad/gl.h>
#include <glm/glm.hpp>

// A linked program from a vertex and a fragment file. Build failures are
// reported on standard output and the program is kept as it is.
class ShaderProgram {
public:
    ShaderProgram(const char* vertexPath, const char* fragmentPath);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    void bind() const;
    // Locations are looked up at every call; the caller binds first.
    void setUniformInt(const std::string& name, int value) const;
    void setUniformFloat(const std::string& name, float value) const;
    void setUniformVec3(const std::string& name, const glm::vec3& value) const;
    void setUniformVec3(const std::string& name, float x, float y, float z) const;
    void setUniformMat4(const std::string& name, const glm::mat4& value) const;

    GLuint programId = 0;
    // False when a file was missing or a stage failed: the program draws nothing.
    bool linked = false;
};

// Prints the compile (or, for "PROGRAM", the link) log when the step failed;
// true when it succeeded.
bool reportBuildErrors(GLuint object, const std::string& label);
