#pragma once
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "render/shader_program.h"

// The sky: a cube map on a cube around the camera, drawn first in the scene.
class Skybox {
public:
    Skybox();
    ~Skybox();
    Skybox(const Skybox&) = delete;
    Skybox& operator=(const Skybox&) = delete;

    // The view's translation is dropped, so the sky never comes nearer.
    void draw(glm::mat4 view, glm::mat4 projection);

    GLuint vao = 0;
    GLuint vbo = 0;
    GLuint cubeMap = 0;
    // Built before the cube and destroyed after it.
    ShaderProgram program;
    std::vector<float> vertices;
};

// The view matrix without its translation: upper-left 3x3 kept, the rest identity.
glm::mat4 rotationOnly(const glm::mat4& view);
