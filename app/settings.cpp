#include "app/settings.h"

#include <INIReader.h>

#include <cmath>
#include <iostream>

#include "app/messages.h"

Settings readSettings(const INIReader& reader) {
    Settings defaults;
    Settings s;
    s.width = static_cast<int>(reader.GetInteger("window", "width", defaults.width));
    s.height = static_cast<int>(reader.GetInteger("window", "height", defaults.height));
    s.fullscreen = reader.GetBoolean("window", "fullscreen", defaults.fullscreen);
    s.brightness = static_cast<float>(reader.GetReal("window", "brightness", defaults.brightness));
    s.freeCamera = reader.GetBoolean("camera", "free", defaults.freeCamera);
    // Get, not GetString: an empty title stays empty rather than falling back.
    s.title = reader.Get("window", "title", defaults.title);
    s.refreshRate = static_cast<float>(reader.GetReal("window", "refresh rate", defaults.refreshRate));
    return s;
}

bool loadSettings(const std::string& path, Settings& settings) {
    INIReader reader(path);
    if (reader.ParseError() < 0) {
        std::cout << messages::SettingsWarningPrefix << path << messages::SettingsWarningSuffix << std::endl;
        return false;
    }
    settings = readSettings(reader);
    return true;
}

int refreshRateHint(const Settings& settings) {
    const float rate = settings.refreshRate;
    if (!(rate >= 1.0f && rate <= 1000.0f)) return 60;
    return static_cast<int>(std::lround(rate));
}
