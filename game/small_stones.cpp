#include "game/small_stones.h"

#include <cstdio>
#include <iostream>

#include "game/level_layout.h"
#include "game/messages.h"

namespace {
float draw(Lcg15& generator, float max, float min) {
    // Float arithmetic in this order; the layout depends on its rounding.
    return static_cast<float>(generator.next()) / static_cast<float>(Lcg15::Max) * (max - min) + min;
}
}  // namespace

std::vector<glm::vec3> generateSmallStonePositions(float maxX, float minX, float maxZ, float minZ, std::ostream& out,
                                                   Lcg15& generator) {
    generator.seed(level::SmallStoneSeed);
    std::vector<glm::vec3> positions;
    positions.reserve(level::SmallStoneCount);
    for (int i = 0; i < level::SmallStoneCount; ++i) {
        const float x = draw(generator, maxX, minX);
        const float z = draw(generator, maxZ, minZ);
        // Large enough for two "%f" values of any float.
        char line[128];
        std::snprintf(line, sizeof line, messages::SmallStoneLineFormat, static_cast<double>(x),
                      static_cast<double>(z));
        out << line << std::endl;
        positions.emplace_back(x, level::SmallStoneY, z);
    }
    return positions;
}

std::vector<glm::vec3> generateSmallStonePositions(float maxX, float minX, float maxZ, float minZ) {
    return generateSmallStonePositions(maxX, minX, maxZ, minZ, std::cout);
}
