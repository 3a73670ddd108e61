#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "render/shader_program.h"
#include "render/texture.h"

// One vertex as every model shader reads it (locations 0 to 3).
struct MeshVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 texCoords;
    glm::vec3 tangent;
};
static_assert(sizeof(MeshVertex) == 44, "the vertex layout is packed into 44 bytes");

// An indexed triangle list on the GPU with the textures its material names.
class Mesh {
public:
    Mesh(std::vector<MeshVertex> vertices, std::vector<std::uint32_t> indices,
         std::vector<std::shared_ptr<Texture>> textures);
    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // Binds texture i to unit i under its numbered sampler name, draws, and
    // leaves unit 0 active. The caller has bound the program.
    void draw(const ShaderProgram& program) const;

    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<std::shared_ptr<Texture>> textures;
    GLuint vao = 0;
    GLuint vbo = 0;
    GLuint ebo = 0;
};

// The sampler uniform names of a texture list, in order: texture_diffuse1,
// texture_normal1, texture_diffuse2, ... (an unknown prefix gets no number).
std::vector<std::string> samplerNames(const std::vector<std::shared_ptr<Texture>>& textures);
