#include "tools/sim/trace_line.h"

#include <cstdio>
#include <sstream>

namespace {

const char* endName(EndDecision end) {
    switch (end) {
        case EndDecision::Win: return "win";
        case EndDecision::Lose: return "lose";
        case EndDecision::None: break;
    }
    return "none";
}

// Enough digits that two different floats never print alike.
std::string g(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

}  // namespace

std::string traceLine(int frameNumber, const GameWorld& world, const glm::vec3& cameraPosition, EndDecision end) {
    const GameState& s = world.state;
    const glm::vec3& r = world.rabbitPosition;
    const glm::vec3& c = cameraPosition;
    std::ostringstream line;
    line << frameNumber << ' ' << g(s.lives) << ' ' << g(s.timeLeft) << ' ' << g(s.carrotsCollected) << ' ' << g(r.x)
         << ' ' << g(r.y) << ' ' << g(r.z) << ' ' << g(world.rabbitFacing) << ' ' << g(c.x) << ' ' << g(c.y) << ' '
         << g(c.z) << ' ' << (world.gameEnded ? 1 : 0) << ' ' << endName(end);
    return line.str();
}
