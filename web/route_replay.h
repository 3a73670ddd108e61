#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/key_source.h"
#include "tools/sim/route_script.h"

// The walk keys a route scripts (W, A, S, D, Space) are the route's; every
// other key (the toggles, Escape) is the page's keyboard, so the display keys
// still work while nothing but the route steers the rabbit.
class RouteKeys : public KeySource {
public:
    explicit RouteKeys(const KeySource& keyboard) : keyboard_(keyboard) {}
    bool isPressed(int key) const override;
    std::set<int> held;

private:
    const KeySource& keyboard_;
};

// A route played one line per frame, each frame lasting the line's time.
struct RouteReplay {
    std::string name;
    std::vector<RouteFrame> frames;
    std::size_t next = 0;
    bool done() const { return next >= frames.size(); }
};

// Reads /routes/<name>.txt from the packed files. On failure returns false
// with the console line that says why.
bool loadRoute(const std::string& name, RouteReplay& replay, std::string& error);

// The console line at the end of a replay: the route, its frame count and
// what the game's end decision was after its last frame.
std::string replayEndLine(const RouteReplay& replay, EndDecision end);
