#pragma once
#include <vector>

#include <glm/glm.hpp>

struct PhysicsScene;

// The pickups' store in the physics world: one body per pickupLayout row. The
// world is never stepped, so every body keeps the pose it was made with.

// Adds the static anchor and the 18 pickup bodies; the scene owns them from
// then on and frees them with itself.
void createPickupActors(PhysicsScene& scene);

// The pose matrices of the pickup bodies in creation order (the anchor left
// out); entry i belongs to pickupLayout row i. Fewer than 18 when the scene
// holds fewer bodies.
std::vector<glm::mat4> readPickupPositions(const PhysicsScene& scene);
