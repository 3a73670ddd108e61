#include "app/startup_hooks.h"

bool buildGlyphSet() { return true; }
