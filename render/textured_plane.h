#pragma once
#include <memory>

#include <glad/gl.h>

#include "render/materials.h"
#include "render/plane_geometry.h"

// A plane on the GPU, one buffer per attribute, drawn with a shared material.
class TexturedPlane {
public:
    TexturedPlane(const PlaneGeometry& geometry, std::shared_ptr<Materials> material);
    ~TexturedPlane();
    TexturedPlane(const TexturedPlane&) = delete;
    TexturedPlane& operator=(const TexturedPlane&) = delete;

    // The caller has bound the program and set model, view and projection.
    void draw();

    GLuint texCoordBuffer = 0;
    GLuint vao = 0;
    GLuint positionBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint ebo = 0;
    GLint elementCount = 0;
    std::shared_ptr<Materials> material;
};
