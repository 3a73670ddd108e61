#pragma once
#include <array>

#include <glm/glm.hpp>

// Where everything of the meadow stands at start, and how far each kind of
// object reaches. World units; y is up and the rabbit plays towards -z.

enum class PickupKind { Heart, Carrot };

struct PickupPlacement {
    PickupKind kind;
    glm::vec3 position;
};

namespace level {

constexpr int PickupCount = 18;
constexpr int TrunkCount = 18;
// Only the first 16 trunks are tested and drawn; the last two still move and
// still take their draws of the speed stream.
constexpr int ActiveTrunkCount = 16;
constexpr int LargeStoneCount = 5;
constexpr int SmallStoneCount = 35;

// Creation order is read-back order.
inline constexpr std::array<PickupPlacement, PickupCount> pickupLayout = {{
    {PickupKind::Heart, {-269.8f, 10.0f, 1565.0f}},
    {PickupKind::Heart, {0.0f, 10.0f, 4700.0f}},
    {PickupKind::Carrot, {209.8f, 10.0f, 105.0f}},
    {PickupKind::Carrot, {-260.8f, 10.0f, 685.0f}},
    {PickupKind::Carrot, {240.0f, 10.0f, 2605.0f}},
    {PickupKind::Carrot, {-100.0f, 10.0f, 500.0f}},
    {PickupKind::Carrot, {130.0f, 10.0f, 1280.0f}},
    {PickupKind::Carrot, {12.0f, 10.0f, 2500.0f}},
    {PickupKind::Carrot, {-234.0f, 10.0f, 4650.0f}},
    {PickupKind::Carrot, {-140.0f, 10.0f, 3130.0f}},
    {PickupKind::Carrot, {83.0f, 10.0f, 2220.0f}},
    {PickupKind::Carrot, {-280.0f, 10.0f, 1500.0f}},
    {PickupKind::Carrot, {220.0f, 10.0f, 3340.0f}},
    {PickupKind::Carrot, {-50.0f, 10.0f, 2140.0f}},
    {PickupKind::Carrot, {-210.0f, 10.0f, 6200.0f}},
    {PickupKind::Carrot, {232.0f, 10.0f, 5010.0f}},
    {PickupKind::Heart, {-36.8f, 10.0f, 565.0f}},
    {PickupKind::Heart, {169.8f, 10.0f, 105.0f}},
}};

constexpr float LargeStoneY = 10.0f;
constexpr float LargeStoneZ = 3950.0f;
inline constexpr std::array<float, LargeStoneCount> largeStoneX = {196.0f, -230.0f, -70.0f, 20.0f, -360.0f};

inline constexpr glm::vec3 woodenCrate{0.0f, 40.0f, -850.0f};
// The meadow's ground, the rabbit's model and the turning brick wall, which
// no rule touches.
inline constexpr glm::vec3 groundOffset{0.0f, 10.0f, 0.0f};
constexpr float GroundScale = 40.0f;
constexpr float RabbitScale = 30.0f;
inline constexpr glm::vec3 brickWall{0.0f, 60.0f, -1150.0f};
constexpr float BrickWallScale = 100.0f;
constexpr float BrickWallDegreesPerSecond = 10.0f;
// Where the camera starts: behind and above the rabbit.
inline constexpr glm::vec3 cameraStart{-100.0f, 200.0f, 8000.0f};
inline constexpr glm::vec3 tunnelWall{400.0f, 0.0f, 3000.0f};
inline constexpr glm::vec3 sequencePlane{-100.0f, 560.0f, 3950.0f};
inline constexpr glm::vec3 rabbitStart{-100.0f, 15.0f, 7400.0f};

// Proximity radii.
constexpr float HeartRadius = 30.0f;
constexpr float CarrotRadius = 25.0f;
constexpr float TrunkRadius = 70.0f;
constexpr float LargeStoneRadius = 139.0f;
constexpr float SmallStoneRadius = 99.0f;
constexpr float CrateRadius = 55.0f;

// Model scales.
inline constexpr glm::vec3 heartScale{20.0f, 21.0f, 20.0f};
// Radians, not degrees: the heart model is turned by 90 rad on purpose.
constexpr float HeartTurn = 90.0f;
inline constexpr glm::vec3 carrotScale{15.0f, 16.0f, 15.0f};
inline constexpr glm::vec3 largeStoneScale{25.0f, 20.0f, 10.0f};
inline constexpr glm::vec3 crateScale{30.0f, 30.0f, 30.0f};
inline constexpr glm::vec3 tunnelWallScale{400.0f, 70.0f, 200.0f};
// The small stones' matrix has 8 on its whole diagonal, w included. Drawn, the
// 8 in w cancels: a stone stands at its stored position at unit scale. Its
// proximity point is the matrix's translation read without the w, eight times
// the stored position.
constexpr float SmallStoneSpread = 8.0f;

// The quarter turn the physics library names PxHalfPi.
constexpr float HalfPi = 1.57079632679489661923f;

// Small-stone area and seed, as start-up passes them.
constexpr float SmallStoneMaxX = 250.0f;
constexpr float SmallStoneMinX = -100.0f;
constexpr float SmallStoneMaxZ = 950.0f;
constexpr float SmallStoneMinZ = 0.0f;
constexpr unsigned SmallStoneSeed = 10;
constexpr float SmallStoneY = 0.5f;

}  // namespace level

// Euclidean distance strictly below radius, in float.
bool isNear(const glm::vec3& a, const glm::vec3& b, float radius);

glm::vec3 largeStonePoint(int index);

// Model matrices; the pose comes from the pickup's physics body.
glm::mat4 heartMatrix(const glm::mat4& pose);
glm::mat4 carrotMatrix(const glm::mat4& pose);
glm::mat4 trunkMatrix(const glm::vec3& position);
glm::mat4 largeStoneMatrix(int index);
glm::mat4 smallStoneMatrix(const glm::vec3& stored);
// The point a small stone is tested at: the translation of its matrix.
glm::vec3 smallStonePoint(const glm::vec3& stored);
glm::mat4 crateMatrix();
glm::mat4 tunnelWallMatrix();
glm::mat4 sequencePlaneMatrix();
