#pragma once
#include <iosfwd>
#include <vector>

#include <glm/glm.hpp>

#include "game/lcg15.h"

// Draws 35 stone positions from the generator seeded anew, prints each as
// "x z" to out and returns them as (x, 0.5, z) in generation order.
std::vector<glm::vec3> generateSmallStonePositions(float maxX, float minX, float maxZ, float minZ, std::ostream& out,
                                                   Lcg15& generator = sharedLcg15());

// The same on standard output, as start-up calls it.
std::vector<glm::vec3> generateSmallStonePositions(float maxX, float minX, float maxZ, float minZ);
