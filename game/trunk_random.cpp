#include "game/trunk_random.h"

#include <random>

#include "game/level_layout.h"

namespace {

constexpr unsigned FarZSeed = 200;
constexpr unsigned NearZSeed = 200;
constexpr unsigned XSeed = 80;
constexpr unsigned SpeedSeed = 50;
// The first nine trunks stand in the far range, the rest near the finish.
constexpr int FarTrunkCount = 9;
constexpr float FarZMin = 3000.0f, FarZMax = 5500.0f;
constexpr float NearZMin = -400.0f, NearZMax = 200.0f;
constexpr float XMin = -490.0f, XMax = 240.0f;
constexpr float SpeedMin = 1.0f, SpeedMax = 10.0f;
constexpr float SpeedFactor = 12.0f;
constexpr float TrunkY = 10.0f;

// Our own single-precision mapping of one engine output onto [a, b): library
// distributions differ between standard libraries, the level must not.
float uniform(std::mt19937& engine, float a, float b) {
    const float u = static_cast<float>(engine()) / 4294967296.0f;
    return u * (b - a) + a;
}

}  // namespace

std::vector<Trunk> generateTrunks() {
    std::mt19937 farZ(FarZSeed);
    std::mt19937 nearZ(NearZSeed);
    std::mt19937 xs(XSeed);
    std::vector<Trunk> trunks;
    trunks.reserve(level::TrunkCount);
    for (int i = 0; i < level::TrunkCount; ++i) {
        // z is drawn before x.
        const float z = i < FarTrunkCount ? uniform(farZ, FarZMin, FarZMax) : uniform(nearZ, NearZMin, NearZMax);
        const float x = uniform(xs, XMin, XMax);
        trunks.push_back({glm::vec3(x, TrunkY, z), false});
    }
    return trunks;
}

std::vector<Trunk> moveTrunks(std::vector<Trunk> trunks, float deltaTime) {
    std::mt19937 speeds(SpeedSeed);
    // Last entry first: trunk i takes draw number (17 - i).
    for (auto it = trunks.rbegin(); it != trunks.rend(); ++it) {
        const float r = uniform(speeds, SpeedMin, SpeedMax);
        it->position.z += deltaTime * (r * SpeedFactor);
    }
    return trunks;
}
