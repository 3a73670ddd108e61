#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "frame/hud_layout.h"
#include "render/shader_program.h"

// One glyph of the HUD font.
struct Character {
    GLuint texture = 0;
    // Bitmap width and rows, pixels.
    glm::ivec2 size{0};
    // Bitmap left and top, pixels.
    glm::ivec2 bearing{0};
    // 1/64 pixel (26.6 fixed point).
    std::uint32_t advance = 0;
};

// The process-wide glyph set, keyed by the signed char code. Built once;
// drawing a code that is not in it inserts an empty glyph.
std::map<char, Character>& glyphMap();

// The process-wide text quad: a 96-byte buffer (six x, y, u, v vertices)
// rewritten for every character, read by attribute 0 of its vertex array.
struct TextBuffers {
    GLuint vao = 0;
    GLuint vbo = 0;
};
TextBuffers& textBuffers();

// Builds the glyph set from the HUD font at 48 pixels, codes 0 to 127, and the
// text buffers. False when FreeType or the font cannot be had (its line
// printed); a glyph that fails is reported and left out. Glyph textures and
// the buffers live until the process ends.
bool loadGlyphs();

// Text coordinates become window pixels, origin at the bottom left; width and
// height are the settings' window size. Leaves the text program current.
void setTextProjection(const ShaderProgram& textProgram, int width, int height);

// Draws text with its baseline starting at (x, y), or centred on x. Nothing at
// all is drawn while showHud is clear. Codes above 127 (negative chars) draw
// nothing and take no space.
void RenderText(const ShaderProgram& program, bool centred, float x, float y, float scale, const glm::vec3& colour,
                const std::string& text, bool showHud);

// The HUD stage's lines, in order.
void drawHudLines(const ShaderProgram& textProgram, const std::vector<HudLine>& lines, bool showHud);
