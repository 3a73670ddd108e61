#include "frame/text_renderer.h"

#include <cmath>
#include <iostream>
#include <limits>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/gtc/matrix_transform.hpp>

#include "frame/messages.h"

namespace {

constexpr FT_UInt GlyphPixelHeight = 48;
constexpr int FirstCode = 0;
constexpr int LastCode = 127;
constexpr int QuadVertices = 6;
constexpr int FloatsPerVertex = 4;
// 26.6 fixed point to whole pixels.
constexpr unsigned AdvanceShift = 6;

// Truncation toward zero that stays defined for any float: the centring sum
// is an int at every step, and a huge scale must not make that undefined.
int truncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<float>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<float>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

GLuint uploadGlyph(const FT_Bitmap& bitmap) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(bitmap.width), static_cast<GLsizei>(bitmap.rows), 0,
                 GL_RED, GL_UNSIGNED_BYTE, bitmap.buffer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

void loadGlyphTextures(FT_Face face) {
    auto& glyphs = glyphMap();
    for (int code = FirstCode; code <= LastCode; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            std::cout << frametext::GlyphLoadFailed << std::endl;
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        Character glyph;
        glyph.texture = uploadGlyph(slot->bitmap);
        glyph.size = glm::ivec2(static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows));
        glyph.bearing = glm::ivec2(slot->bitmap_left, slot->bitmap_top);
        glyph.advance = static_cast<std::uint32_t>(slot->advance.x);
        // An existing entry stays; the texture made for the refused one is not kept.
        if (!glyphs.emplace(static_cast<char>(code), glyph).second) glDeleteTextures(1, &glyph.texture);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void makeTextBuffers() {
    TextBuffers& buffers = textBuffers();
    if (buffers.vao != 0) return;
    glGenVertexArrays(1, &buffers.vao);
    glGenBuffers(1, &buffers.vbo);
    glBindVertexArray(buffers.vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(float) * QuadVertices * FloatsPerVertex, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, FloatsPerVertex, GL_FLOAT, GL_FALSE, FloatsPerVertex * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

// Half the sum of each glyph's scaled width plus its unscaled left bearing,
// truncated to an int at every step: the HUD's centred lines stand where
// these integer widths put them.
int centringWidth(const std::string& text, float scale) {
    auto& glyphs = glyphMap();
    int width = 0;
    for (const char code : text) {
        const Character& glyph = glyphs[code];
        width = truncateToInt(static_cast<float>(glyph.size.x) * scale + static_cast<float>(glyph.bearing.x) +
                              static_cast<float>(width));
    }
    return width;
}

}  // namespace

std::map<char, Character>& glyphMap() {
    static std::map<char, Character> glyphs;
    return glyphs;
}

TextBuffers& textBuffers() {
    static TextBuffers buffers;
    return buffers;
}

bool loadGlyphs() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << frametext::FreeTypeInitFailed << std::endl;
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, framepaths::HudFont, 0, &face) != 0) {
        std::cout << frametext::FontLoadFailed << std::endl;
        FT_Done_FreeType(library);
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, GlyphPixelHeight);
    // Glyph bitmaps are one byte a pixel with rows of any length.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    loadGlyphTextures(face);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    makeTextBuffers();
    return true;
}

void setTextProjection(const ShaderProgram& textProgram, int width, int height) {
    textProgram.bind();
    textProgram.setUniformMat4(
        "projection", glm::ortho(0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height), -1.0f, 1.0f));
}

void RenderText(const ShaderProgram& program, bool centred, float x, float y, float scale, const glm::vec3& colour,
                const std::string& text, bool showHud) {
    if (!showHud) return;
    program.bind();
    program.setUniformVec3("textColor", colour);
    glActiveTexture(GL_TEXTURE0);
    const TextBuffers& buffers = textBuffers();
    glBindVertexArray(buffers.vao);

    if (centred) x -= static_cast<float>(centringWidth(text, scale) / 2);

    auto& glyphs = glyphMap();
    for (const char code : text) {
        // A code outside the set gets an empty glyph: a zero-sized quad and no advance.
        const Character& glyph = glyphs[code];
        const float xpos = x + static_cast<float>(glyph.bearing.x) * scale;
        const float ypos = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
        const float w = static_cast<float>(glyph.size.x) * scale;
        const float h = static_cast<float>(glyph.size.y) * scale;
        // Counter-clockwise on screen, so face culling keeps both triangles.
        const float vertices[QuadVertices][FloatsPerVertex] = {
            {xpos, ypos + h, 0.0f, 0.0f}, {xpos, ypos, 0.0f, 1.0f},     {xpos + w, ypos, 1.0f, 1.0f},
            {xpos, ypos + h, 0.0f, 0.0f}, {xpos + w, ypos, 1.0f, 1.0f}, {xpos + w, ypos + h, 1.0f, 0.0f},
        };
        glBindTexture(GL_TEXTURE_2D, glyph.texture);
        glBindBuffer(GL_ARRAY_BUFFER, buffers.vbo);
        // Fresh storage for every glyph: writing over the storage the last
        // glyph's draw still holds makes a software renderer finish all the
        // drawing queued so far before it goes on.
        glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), nullptr, GL_DYNAMIC_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(vertices), vertices);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glDrawArrays(GL_TRIANGLES, 0, QuadVertices);
        x += static_cast<float>(glyph.advance >> AdvanceShift) * scale;
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void drawHudLines(const ShaderProgram& textProgram, const std::vector<HudLine>& lines, bool showHud) {
    for (const HudLine& line : lines) {
        RenderText(textProgram, line.centred, line.x, line.y, line.scale, line.colour, line.text, showHud);
    }
}
