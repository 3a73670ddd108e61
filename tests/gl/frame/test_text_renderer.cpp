// The glyph set from the HUD font and the text routine, drawn with the game's
// own text program into the hidden window and read back.

#include <algorithm>

#include "frame/text_renderer.h"
#include "support/gl_test.h"

namespace {

constexpr int Width = 400;
constexpr int Height = 120;
const glm::vec3 WinnerColour{0.1f, 0.0f, 0.1f};

const Character& glyph(char code) { return glyphMap().at(code); }

// Columns and rows (inclusive) of the pixels that differ from white; how many
// do, and how many show the text colour itself, (0.1, 0, 0.1).
struct Ink {
    int left = Width, right = -1, bottom = Height, top = -1;
    int count = 0, solid = 0;
};

// Rows from bottom to top only.
Ink inkOf(const std::vector<unsigned char>& rgba, int bottom = 0, int top = Height - 1) {
    Ink ink;
    for (int i = bottom * Width; i < (top + 1) * Width; ++i) {
        const unsigned char* p = &rgba[static_cast<std::size_t>(i) * 4];
        if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
        ++ink.count;
        ink.solid += std::abs(p[0] - 25) <= 3 && p[1] <= 3 && std::abs(p[2] - 25) <= 3 ? 1 : 0;
        ink.left = std::min(ink.left, i % Width);
        ink.right = std::max(ink.right, i % Width);
        ink.bottom = std::min(ink.bottom, i / Width);
        ink.top = std::max(ink.top, i / Width);
    }
    return ink;
}

}  // namespace

// Centring moves the start left by half the sum of the glyphs' widths plus
// their left bearings, in whole pixels. Codes above 127 draw nothing, take no
// space and count nothing towards the centring width.
TEST(TextRenderer, GlyphsStandWhereWidthsBearingsAndWholeAdvancesPutThemAndCodesAbove127Vanish) {
    REQUIRE_GL();
    {
        // From the game's working directory, as at start-up.
        WorkingDirectory here(MH_BINARY_DIR);
        ASSERT_EQ(outputOf([] { EXPECT_TRUE(loadGlyphs()); }), "");
    }
    auto program = gameProgram("Text");
    // The state start-up leaves for the whole run; the HUD draws with depth testing off.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    setTextProjection(*program, Width, Height);
    glUseProgram(0);
    auto draw = [&](bool centred, float x, float y, float scale, const std::string& text, bool showHud = true) {
        clearWindow(Width, Height, glm::vec4(1.0f));
        RenderText(*program, centred, x, y, scale, WinnerColour, text, showHud);
        return windowPixels(0, 0, Width, Height);
    };

    const std::string text = "Winner";
    int sum = 0, tallest = 0;
    for (const char c : text) sum += glyph(c).size.x + glyph(c).bearing.x;
    for (const char c : text) tallest = std::max(tallest, glyph(c).bearing.y);
    const float centre = Width / 2;
    const float baseline = Height / 2;
    const float start = centre - static_cast<float>(sum / 2);

    EXPECT_EQ(inkOf(draw(true, centre, baseline, 1.0f, text, false)).count, 0) << "with the HUD hidden";
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    const std::vector<unsigned char> centred = draw(true, centre, baseline, 1.0f, text);
    EXPECT_TRUE(centred == draw(false, start, baseline, 1.0f, text));
    const Ink ink = inkOf(centred);
    EXPECT_NEAR(ink.left, start + glyph('W').bearing.x, 1.0);
    float lastX = start;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) lastX += static_cast<float>(glyph(text[i]).advance >> 6);
    EXPECT_NEAR(ink.right + 1, lastX + glyph('r').bearing.x + glyph('r').size.x, 1.0);
    // The font at 48 pixels: capitals stand over 30 pixels above the baseline,
    // and nothing of "Winner" hangs below it.
    EXPECT_GT(ink.top + 1 - baseline, 30);
    EXPECT_NEAR(ink.top + 1, baseline + tallest, 1.0);
    EXPECT_GE(ink.bottom, baseline - 2);
    EXPECT_GT(ink.solid, 300);

    const std::vector<unsigned char> t = draw(false, 20.0f, 40.0f, 1.0f, "T");
    const Ink tInk = inkOf(t);
    // The bar of the T at the top, its stem at the bottom.
    EXPECT_GT(inkOf(t, tInk.top, tInk.top).count, 2 * inkOf(t, tInk.bottom, tInk.bottom).count);
    EXPECT_LT(inkOf(draw(false, 20.0f, 40.0f, 1.0f, "y")).bottom, 40 - 5) << "the tail of a y hangs below";

    const std::vector<unsigned char> plain = draw(true, 200.0f, 40.0f, 1.0f, "AB");
    EXPECT_TRUE(draw(true, 200.0f, 40.0f, 1.0f,
                     "\xC3\xA9"
                     "A\xC3\xA9"
                     "B\xE2\x82\xAC") == plain);

    const float scale = 0.75f;
    const std::vector<unsigned char> together = draw(false, 30.5f, 50.0f, scale, "AB");
    clearWindow(Width, Height, glm::vec4(1.0f));
    RenderText(*program, false, 30.5f, 50.0f, scale, WinnerColour, "A", true);
    RenderText(*program, false, 30.5f + static_cast<float>(glyph('A').advance >> 6) * scale, 50.0f, scale, WinnerColour,
               "B", true);
    EXPECT_TRUE(windowPixels(0, 0, Width, Height) == together);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
}
