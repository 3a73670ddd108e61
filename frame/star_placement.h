#pragma once
#include <vector>

#include <glm/glm.hpp>

#include "game/lcg15.h"

inline constexpr int StarCount = 3000;

// The field's start: a noisy ring of radius 50 about (40, y, 20), each star
// with its own scale and tilt. Draws exactly five values per star from the
// generator, which the caller has seeded.
std::vector<glm::mat4> placeStars(Lcg15& generator);

// The field's flight was made at 60 frames a second, one step a frame.
inline constexpr float StarStepsPerSecond = 60.0f;

// `steps` steps of the flight: every star `steps` units along its own fixed
// direction, in its scaled and rotated frame.
void moveStars(std::vector<glm::mat4>& stars, float steps);
