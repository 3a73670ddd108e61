#pragma once
#include <glm/glm.hpp>

#include "game/game_world.h"
#include "game/key_source.h"
#include "game/scene_visitor.h"

struct PhysicsScene;

// The game's parts of one frame, for the frame loop to call at their stages.

// Before any drawing: the film and jump timers, then the countdown.
void advanceGameTimers(GameWorld& world, float deltaTime);

// The meadow's objects in their fixed order: pickups, the film, the
// jump, trunks, tunnel wall, side edges, large and small stones, crate. Each
// object's rule runs right before its visitor call, so later objects see the
// rabbit where the earlier ones left it.
void runSceneStage(GameWorld& world, const KeySource& keys, float deltaTime, glm::vec3& cameraPosition,
                   const PhysicsScene& physics, SceneVisitor& visitor);

// The steps of the meadow's objects, in their order.
void runPickupStage(GameWorld& world, const PhysicsScene& physics, SceneVisitor& visitor);
void runFilmStage(GameWorld& world, SceneVisitor& visitor);
void runTrunkStage(GameWorld& world, float deltaTime, SceneVisitor& visitor);
void runObstacleStage(GameWorld& world, const KeySource& keys, float deltaTime, glm::vec3& cameraPosition,
                      SceneVisitor& visitor);

// The end decision, made anew every frame, then the time-up latch, which
// follows the HUD's hurry line and so only acts while the HUD is shown.
EndDecision decideEnd(GameWorld& world, bool hudShown);
