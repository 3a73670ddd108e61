#pragma once
#include <istream>
#include <set>
#include <string>
#include <vector>

// A route: one frame per line, "<dt> <keys>" with keys "-" or a "+"-joined
// list of W, A, S, D, SPACE. Empty lines and lines starting with '#' are skipped.
struct RouteFrame {
    float deltaTime = 0.0f;
    std::set<int> held;
};

struct RouteParse {
    std::vector<RouteFrame> frames;
    // 0 when the whole script parsed; otherwise the first bad line, from 1.
    int badLine = 0;
    std::string error;
};

RouteParse parseRoute(std::istream& in);
