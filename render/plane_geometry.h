#pragma once
#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

// A flat rectangle in the y = 0 plane, centred on the origin, facing +y.
struct PlaneGeometry {
    std::vector<glm::vec3> positions;
    std::vector<std::uint32_t> indices;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> texCoords;
};

PlaneGeometry makePlaneGeometry(float width, float depth);
