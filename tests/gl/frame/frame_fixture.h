#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include <glad/gl.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/shader_program.h"
#include "support/gl_test_target.h"
#include "support/scratch_dir.h"

// A scratch tree laid out like an install: <root>/build is where the game
// runs, <root>/assets what its "../assets/" paths reach.
class TempTree : public ScratchDir {
public:
    std::filesystem::path build() const { return root() / "build"; }
    // A program from the two sources, written under <root>/shaders/.
    std::unique_ptr<ShaderProgram> program(const std::string& name, const std::string& vertex,
                                           const std::string& fragment) const;
};

// One of the game's own programs: assets/shader/<name>.vert and .frag.
std::unique_ptr<ShaderProgram> gameProgram(const std::string& name);

// A 2 by 2 square in the z = 0 plane facing +z, as an OBJ without material.
extern const char* const SquareObj;

// The screen quad's vertex stage: position on 0, texture coordinates on 2, out "uv".
extern const char* const QuadVertex;

// Position on attribute 0 through "model", "view" and "projection".
extern const char* const SceneVertexShader;

// A 1 by 1 texture of one colour, bound to the active unit.
GLuint solidTexture(const glm::u8vec4& colour);

int uniformInt(GLuint program, const char* name);
GLint currentProgram();
// The red channel of one texel of a float target's first colour attachment.
float readRed(GLuint framebuffer, int x, int y);

#define EXPECT_NO_GL_ERROR() EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR))
