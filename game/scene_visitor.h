#pragma once
#include <string>

#include <glm/glm.hpp>

#include "game/level_layout.h"

// Called by the scene stage at the moment each object would be drawn, after
// its rules ran: the renderer draws there, the simulator does nothing.
class SceneVisitor {
public:
    virtual ~SceneVisitor() = default;
    virtual void drawPickup(int /*index*/, PickupKind /*kind*/, const glm::mat4& /*model*/) {}
    // Before drawScreen in the same frame: the screen shows the new image at once.
    virtual void changeFilmImage(const std::string& /*path*/) {}
    virtual void drawScreen(const glm::mat4& /*model*/) {}
    virtual void drawTrunk(int /*index*/, const glm::mat4& /*model*/) {}
    virtual void drawTunnelWall(const glm::mat4& /*model*/) {}
    virtual void drawLargeStone(int /*index*/, const glm::mat4& /*model*/) {}
    virtual void drawSmallStone(int /*index*/, const glm::mat4& /*model*/) {}
    virtual void drawCrate(const glm::mat4& /*model*/) {}
};
