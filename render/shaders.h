#pragma once
#include <string>

#include <glad/gl.h>
#include <glm/glm.hpp>

// A light program built from "assets/shader/" + base name, with no reports.
// Its GL program is never deleted.
class Shaders {
public:
    explicit Shaders(std::string name);
    // Looks the location up in this program; sets it on whatever is current.
    void setUniformVec3(const std::string& name, glm::vec3 value) const;

    GLuint programId = 0;
};
