#pragma once
#include <string>

class INIReader;

// The window and camera settings, read once at start-up and read-only after.
struct Settings {
    int width = 1024;
    int height = 768;
    bool fullscreen = false;
    float brightness = 1.0f;
    bool freeCamera = true;
    std::string title = "Meadowhop";
    // "refresh rate" of [window]: the refresh-rate hint for a full-screen window.
    float refreshRate = 60.0f;
};

// The values of an opened file; keys it lacks (or cannot convert) keep their defaults.
Settings readSettings(const INIReader& reader);

// Reads the file at path into settings. A file that cannot be opened prints the
// warning line and gives false; lines that do not parse are skipped silently.
bool loadSettings(const std::string& path, Settings& settings);

// The refresh-rate hint for the window: the setting when it is a sensible rate, else 60.
int refreshRateHint(const Settings& settings);
