#include "web/route_replay.h"

#include <fstream>

#include "frame/hud_layout.h"
#include "game/key_codes.h"

namespace {
const std::set<int> WalkKeys = {keys::W, keys::A, keys::S, keys::D, keys::Space};
}  // namespace

bool RouteKeys::isPressed(int key) const {
    if (WalkKeys.count(key) != 0) return held.count(key) != 0;
    return keyboard_.isPressed(key);
}

bool loadRoute(const std::string& name, RouteReplay& replay, std::string& error) {
    // Only the packed folder's own files: a name is one path component.
    if (name.empty() || name.find('/') != std::string::npos || name[0] == '.') {
        error = "Route '" + name + "': not a route name";
        return false;
    }
    const std::string path = "/routes/" + name + ".txt";
    std::ifstream in(path);
    if (!in) {
        error = "Route '" + name + "': no " + path;
        return false;
    }
    RouteParse parsed = parseRoute(in);
    if (parsed.badLine != 0) {
        error = "Route '" + name + "': line " + std::to_string(parsed.badLine) + parsed.error;
        return false;
    }
    replay.name = name;
    replay.frames = std::move(parsed.frames);
    replay.next = 0;
    return true;
}

std::string replayEndLine(const RouteReplay& replay, EndDecision end) {
    const char* shown = end == EndDecision::Win    ? hudtext::Winner
                        : end == EndDecision::Lose ? hudtext::GameOver
                                                   : "no end";
    return "Route '" + replay.name + "' replayed, " + std::to_string(replay.frames.size()) + " frames: " + shown;
}
