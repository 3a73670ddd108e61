#pragma once

// Builds the HUD's glyph set from the font; false ends start-up (its line printed).
bool buildGlyphSet();
