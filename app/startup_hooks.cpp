#include "app/startup_hooks.h"

#include "frame/text_renderer.h"

bool buildGlyphSet() { return loadGlyphs(); }
