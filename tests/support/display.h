#pragma once

// Makes sure an X display is there for the GL tests: when DISPLAY is unset,
// starts a private Xvfb, waits until it reports its display number, and stops
// it at process exit. Returns false when no display could be had.
bool ensureDisplay();
