#pragma once
#include <vector>

#include <glm/glm.hpp>

struct Trunk {
    glm::vec3 position;
    bool hit = false;
};

// The 18 trunk start positions from the three seeded streams, by index.
std::vector<Trunk> generateTrunks();

// Moves every trunk towards +z at its own constant speed. The speed stream is
// seeded anew on every call, so each trunk keeps the same speed for ever.
std::vector<Trunk> moveTrunks(std::vector<Trunk> trunks, float deltaTime);
