#pragma once
// Every console text of frame rendering, and the asset paths it opens itself.
namespace frametext {

// An off-screen target that is not complete; the target is used as it is.
inline constexpr const char* FramebufferIncomplete = "ERROR WHILE BUILDING FRAMEBUFFER";

// Glyph set. "FREETYTPE" is misspelt on purpose: it is the line the game has
// always printed, and the tests match it letter for letter.
inline constexpr const char* FreeTypeInitFailed = "ERROR::FREETYPE: Could not init FreeType Library";
inline constexpr const char* FontLoadFailed = "ERROR::FREETYPE: Failed to load font";
inline constexpr const char* GlyphLoadFailed = "ERROR::FREETYTPE: Failed to load Glyph";

}  // namespace frametext

namespace framepaths {
inline constexpr const char* HudFont = "../assets/fonts/Raleway-Bold.ttf";
// The glow stars import their own copy, apart from the scene's star model.
inline constexpr const char* GlowStarModel = "../assets/objects/star/star.obj";
}  // namespace framepaths
