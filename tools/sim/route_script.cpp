#include "tools/sim/route_script.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "game/key_codes.h"
#include "tools/sim/messages.h"

namespace {

bool parseDeltaTime(const std::string& text, float& deltaTime) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE) return false;
    if (!std::isfinite(value) || value < 0.0 || value > 3.0e38) return false;
    deltaTime = static_cast<float>(value);
    return true;
}

bool keyCode(const std::string& name, int& code) {
    if (name == "W")
        code = keys::W;
    else if (name == "A")
        code = keys::A;
    else if (name == "S")
        code = keys::S;
    else if (name == "D")
        code = keys::D;
    else if (name == "SPACE")
        code = keys::Space;
    else
        return false;
    return true;
}

bool parseKeys(const std::string& text, std::set<int>& held) {
    if (text == "-") return true;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find('+', start);
        const std::string name = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        int code = 0;
        if (!keyCode(name, code)) return false;
        held.insert(code);
        if (plus == std::string::npos) return true;
        start = plus + 1;
    }
}

}  // namespace

RouteParse parseRoute(std::istream& in) {
    RouteParse result;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;

        std::istringstream fields(line);
        std::string dt, keyList, extra;
        RouteFrame frame;
        const char* problem = nullptr;
        if (!(fields >> dt >> keyList) || (fields >> extra))
            problem = messages::BadFieldCount;
        else if (!parseDeltaTime(dt, frame.deltaTime))
            problem = messages::BadDeltaTime;
        else if (!parseKeys(keyList, frame.held))
            problem = messages::BadKeys;
        if (problem) {
            result.frames.clear();
            result.badLine = number;
            result.error = problem;
            return result;
        }
        result.frames.push_back(std::move(frame));
    }
    return result;
}
