#pragma once
#include "game/camera.h"
#include "game/game_world.h"
#include "game/key_source.h"

// The walk on W, A, S and D, in the keyboard stage until the game has ended:
// the rabbit along the world axes at motion::WalkSpeed, the camera along its
// own axes at its speed. Every held key applies, in the order W, A, S, D, and
// of two opposite keys the later one sets the rabbit's facing.
void walkRabbit(const KeySource& keys, float deltaTime, Camera& camera, GameWorld& world);
