#pragma once
#include <glm/glm.hpp>

#include "render/model_asset.h"

// Draws the rasteriser would clip away entirely still cost their vertex work
// on a software renderer; these let a caller skip them.

// The distance of the model's farthest vertex from its origin.
float modelRadius(const ModelAsset& model);

// The largest factor by which the matrix stretches a length.
float largestScale(const glm::mat4& matrix);

// True when the sphere lies wholly outside one of the clip volume's left,
// right, bottom, top or near planes (x, y >= -w and <= w, z >= -w), where the
// rasteriser would clip all of it away. The far plane is left alone.
bool outsideClipPlanes(const glm::mat4& viewProjection, const glm::vec3& centre, float radius);

// The same for a model drawn with a matrix, its radius from modelRadius, with
// a little slack for rounding so a model on the edge is drawn.
bool modelOutsideView(const glm::mat4& viewProjection, const glm::mat4& model, float radius);
