#pragma once
#include <vector>

#include <glm/glm.hpp>

#include "game/lcg15.h"

inline constexpr int StarCount = 3000;

// The field's start: a noisy ring of radius 50 about (40, y, 20), each star
// with its own scale and tilt. Draws exactly five values per star from the
// generator, which the caller has seeded.
std::vector<glm::mat4> placeStars(Lcg15& generator);

// One frame's flight: every star one unit along its own fixed direction, in
// its scaled and rotated frame (so a per-frame step, not per second).
void moveStars(std::vector<glm::mat4>& stars);
