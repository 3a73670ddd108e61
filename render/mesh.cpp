#include "render/mesh.h"

#include <cstddef>
#include <iostream>
#include <string>

#include "render/messages.h"

Mesh::Mesh(std::vector<MeshVertex> vertexList, std::vector<std::uint32_t> indexList,
           std::vector<std::shared_ptr<Texture>> textureList)
    : vertices(std::move(vertexList)), indices(std::move(indexList)), textures(std::move(textureList)) {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glGenBuffers(1, &ebo);

    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                 indices.data(), GL_STATIC_DRAW);

    const GLsizei stride = sizeof(MeshVertex);
    const struct {
        GLint components;
        std::size_t offset;
    } attributes[] = {{3, offsetof(MeshVertex, position)},
                      {3, offsetof(MeshVertex, normal)},
                      {2, offsetof(MeshVertex, texCoords)},
                      {3, offsetof(MeshVertex, tangent)}};
    for (GLuint location = 0; location < 4; ++location) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, attributes[location].components, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(attributes[location].offset));
    }
    // The element buffer stays recorded in the vertex array.
    glBindVertexArray(0);
    std::cout << rendertext::CreatingMesh << std::endl;
}

Mesh::~Mesh() {
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vbo);
    glDeleteBuffers(1, &ebo);
    std::cout << rendertext::DeletingMesh << std::endl;
}

std::vector<std::string> samplerNames(const std::vector<std::shared_ptr<Texture>>& textures) {
    unsigned diffuse = 1, specular = 1, normal = 1, height = 1;
    std::vector<std::string> names;
    names.reserve(textures.size());
    for (const auto& texture : textures) {
        const std::string& prefix = texture->samplerPrefix;
        std::string number;
        if (prefix == samplerprefix::Diffuse)
            number = std::to_string(diffuse++);
        else if (prefix == samplerprefix::Specular)
            number = std::to_string(specular++);
        else if (prefix == samplerprefix::Normal)
            number = std::to_string(normal++);
        else if (prefix == samplerprefix::Height)
            number = std::to_string(height++);
        names.push_back(prefix + number);
    }
    return names;
}

void Mesh::draw(const ShaderProgram& program) const {
    const std::vector<std::string> names = samplerNames(textures);
    for (std::size_t i = 0; i < textures.size(); ++i) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        glUniform1i(glGetUniformLocation(program.programId, names[i].c_str()), static_cast<GLint>(i));
        glBindTexture(GL_TEXTURE_2D, textures[i]->textureId);
    }
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
}
