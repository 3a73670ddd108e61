// The glyph set from the HUD font and the text routine, drawn with the game's
// own text program into a target of its own and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "frame/text_renderer.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

constexpr int Width = 400;
constexpr int Height = 120;
const glm::vec4 White{1.0f, 1.0f, 1.0f, 1.0f};
const glm::vec3 WinnerColour{0.1f, 0.0f, 0.1f};

struct GlyphLoad {
    bool ok = false;
    std::string output;
};

// The glyph set is process-wide and built once, as at start-up, from the
// game's working directory.
const GlyphLoad& glyphLoad() {
    static const GlyphLoad load = [] {
        WorkingDirectory here(MH_BINARY_DIR);
        GlyphLoad result;
        testing::internal::CaptureStdout();
        result.ok = loadGlyphs();
        result.output = testing::internal::GetCapturedStdout();
        return result;
    }();
    return load;
}

const Character& glyph(char code) { return glyphMap().at(code); }

// Columns and rows (inclusive) of the pixels that differ from white.
struct Extent {
    int left = Width, right = -1, bottom = Height, top = -1;
    int count = 0;
};

Extent inkExtent(const std::vector<unsigned char>& rgba) {
    Extent extent;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * Width + x) * 4];
            if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
            ++extent.count;
            extent.left = std::min(extent.left, x);
            extent.right = std::max(extent.right, x);
            extent.bottom = std::min(extent.bottom, y);
            extent.top = std::max(extent.top, y);
        }
    }
    return extent;
}

int pixelsNear(const std::vector<unsigned char>& rgba, glm::ivec3 colour, int tolerance) {
    int count = 0;
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
        if (std::abs(rgba[i] - colour.r) <= tolerance && std::abs(rgba[i + 1] - colour.g) <= tolerance &&
            std::abs(rgba[i + 2] - colour.b) <= tolerance)
            ++count;
    }
    return count;
}

class TextRenderer : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL();
        ASSERT_TRUE(glyphLoad().ok) << glyphLoad().output;
        const std::string shaders = std::string(MH_SOURCE_DIR) + "/assets/shader/";
        testing::internal::CaptureStdout();
        program = std::make_unique<ShaderProgram>((shaders + "Text.vert").c_str(), (shaders + "Text.frag").c_str());
        const std::string output = testing::internal::GetCapturedStdout();
        ASSERT_EQ(output.find("ERROR"), std::string::npos) << output;
        target = std::make_unique<TestTarget>(Width, Height);
        target->clear(White);
        // The state start-up leaves for the whole run; the HUD draws with depth testing off.
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        setTextProjection(*program, Width, Height);
        glUseProgram(0);
        active = true;
    }

    void TearDown() override {
        if (!active) return;
        EXPECT_NO_GL_ERROR();
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
        target.reset();
        program.reset();
    }

    std::vector<unsigned char> draw(bool centred, float x, float y, float scale, const std::string& text,
                                    bool showHud = true) {
        target->clear(White);
        RenderText(*program, centred, x, y, scale, WinnerColour, text, showHud);
        return target->pixels();
    }

    std::unique_ptr<ShaderProgram> program;
    std::unique_ptr<TestTarget> target;
    bool active = false;
};

TEST_F(TextRenderer, FontGivesOneTexturePerCodeUpTo127) {
    EXPECT_EQ(glyphLoad().output, "");
    std::set<GLuint> names;
    for (int code = 0; code <= 127; ++code) {
        const auto found = glyphMap().find(static_cast<char>(code));
        ASSERT_NE(found, glyphMap().end()) << code;
        const Character& g = found->second;
        ASSERT_TRUE(glIsTexture(g.texture)) << code;
        names.insert(g.texture);
        // Smooth edges at the HUD's small scales: nothing the pictures here tell apart.
        glBindTexture(GL_TEXTURE_2D, g.texture);
        GLint minFilter = 0, magFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(minFilter, GL_LINEAR) << code;
        EXPECT_EQ(magFilter, GL_LINEAR) << code;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(names.size(), 128u);
    // 48 pixels high: a capital stands well over 20 pixels, a space has no bitmap but advances.
    EXPECT_GT(glyph('W').size.y, 20);
    EXPECT_EQ(glyph(' ').size.x, 0);
    EXPECT_GT(glyph(' ').advance >> 6, 0u);
}

TEST_F(TextRenderer, MissingFontPrintsItsFailureLineOnly) {
    const std::size_t before = glyphMap().size();
    TempTree tree;
    WorkingDirectory elsewhere(tree.build());
    testing::internal::CaptureStdout();
    const bool loaded = loadGlyphs();
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(loaded);
    EXPECT_EQ(output, std::string("ERROR::FREETYPE: Failed to load font") + "\n");
    EXPECT_EQ(glyphMap().size(), before);
}

TEST_F(TextRenderer, HiddenHudDrawsNothingAndBindsNothing) {
    target->clear(White);
    const std::vector<unsigned char> blank = target->pixels();
    glUseProgram(0);
    RenderText(*program, false, 10.0f, 60.0f, 1.0f, WinnerColour, "FPS: 60", false);
    RenderText(*program, true, 200.0f, 60.0f, 1.0f, WinnerColour, "Winner", false);
    EXPECT_EQ(currentProgram(), 0);
    EXPECT_TRUE(target->pixels() == blank);
    // The same call with the HUD shown does draw.
    EXPECT_GT(inkExtent(draw(true, 200.0f, 60.0f, 1.0f, "Winner")).count, 500);
}

TEST_F(TextRenderer, CentredWinnerStartsHalfTheWidthsPlusBearingsLeft) {
    const std::string text = "Winner";
    int sum = 0;
    for (const char c : text)
        sum = static_cast<int>(static_cast<float>(glyph(c).size.x) * 1.0f + glyph(c).bearing.x + sum);
    const float centre = Width / 2;
    const float baseline = Height / 2;
    const float start = centre - static_cast<float>(sum / 2);

    const std::vector<unsigned char> centred = draw(true, centre, baseline, 1.0f, text);
    EXPECT_TRUE(centred == draw(false, start, baseline, 1.0f, text));
    EXPECT_FALSE(centred == draw(false, centre, baseline, 1.0f, text));

    // The ink spans from the first glyph's bearing to the last glyph's right edge.
    float lastX = start;
    int tallest = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) lastX += static_cast<float>(glyph(text[i]).advance >> 6);
    for (const char c : text) tallest = std::max(tallest, glyph(c).bearing.y);
    const Extent ink = inkExtent(centred);
    EXPECT_NEAR(ink.left, start + glyph('W').bearing.x, 1.0);
    EXPECT_NEAR(ink.right + 1, lastX + glyph('r').bearing.x + glyph('r').size.x, 1.0);
    EXPECT_NEAR(ink.top + 1, baseline + tallest, 1.0);
    // No descender in "Winner": nothing far below the baseline.
    EXPECT_GE(ink.bottom, baseline - 2);
    // Fully covered pixels show the colour itself: (0.1, 0, 0.1).
    EXPECT_GT(pixelsNear(centred, {25, 0, 25}, 3), 300);
}

TEST_F(TextRenderer, CodesAbove127DrawNothingAndTakeNoSpace) {
    const std::vector<unsigned char> plain = draw(false, 20.0f, 40.0f, 1.0f, "AB");
    EXPECT_GT(inkExtent(plain).count, 200);
    EXPECT_TRUE(draw(false, 20.0f, 40.0f, 1.0f,
                     "A\xC3\xA9"
                     "B") == plain);
    // Nor do they count towards the centring width.
    EXPECT_TRUE(draw(true, 200.0f, 40.0f, 1.0f,
                     "\xC3\xA9"
                     "A\xC3\xA9"
                     "B\xE2\x82\xAC") == draw(true, 200.0f, 40.0f, 1.0f, "AB"));
}

TEST_F(TextRenderer, EachGlyphAdvancesByWholePixelsTimesScale) {
    const float scale = 0.75f;
    const std::vector<unsigned char> together = draw(false, 30.5f, 50.0f, scale, "AB");
    target->clear(White);
    RenderText(*program, false, 30.5f, 50.0f, scale, WinnerColour, "A", true);
    RenderText(*program, false, 30.5f + static_cast<float>(glyph('A').advance >> 6) * scale, 50.0f, scale, WinnerColour,
               "B", true);
    EXPECT_TRUE(target->pixels() == together);
}

}  // namespace
