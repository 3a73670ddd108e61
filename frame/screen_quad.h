#pragma once
#include <glad/gl.h>

// The full-window quad of the blur and composite passes: positions on
// attribute 0 (vec4), texture coordinates on attribute 2 (vec2), wound
// counter-clockwise so face culling keeps it.
class ScreenQuad {
public:
    ScreenQuad();
    ~ScreenQuad();
    ScreenQuad(const ScreenQuad&) = delete;
    ScreenQuad& operator=(const ScreenQuad&) = delete;

    // Releases the current program afterwards (glUseProgram(0)): every pass
    // after a quad draw binds its own program again.
    void draw() const;

    GLuint vao() const { return vao_; }

private:
    GLuint vao_ = 0;
    GLuint positionBuffer_ = 0;
    GLuint texCoordBuffer_ = 0;
    GLuint indexBuffer_ = 0;
};
