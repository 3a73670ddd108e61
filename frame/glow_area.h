#pragma once
#include <vector>

#include <glm/glm.hpp>

// A rectangle of pixels or texels: x0 <= x < x1, y0 <= y < y1, from the lower left.
struct TexelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool operator==(const TexelRect& other) const {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
    bool operator!=(const TexelRect& other) const { return !(*this == other); }
    static TexelRect whole(int width, int height) { return {0, 0, width, height}; }
};

// A sphere that holds a model of radius `modelRadius` wherever `model` puts
// it: xyz the model's origin, w the radius.
glm::vec4 boundingSphere(const glm::mat4& model, float modelRadius);

// The pixels of a width by height window that spheres (xyz the world centre,
// w the radius) can cover through view and projection: empty when every
// sphere lies behind the camera or off the window, the whole window when one
// reaches behind the camera.
TexelRect screenBounds(const std::vector<glm::vec4>& spheres, const glm::mat4& view, const glm::mat4& projection,
                       int width, int height);

// Whether a sphere can cover the centre of a pixel of a width by height
// viewport. A triangle that covers no pixel centre makes no fragment, so what
// lies within a sphere that cannot need not be drawn at all.
bool reachesPixelCentre(const glm::vec4& sphere, const glm::mat4& view, const glm::mat4& projection, int width,
                        int height);

// The texels of the half-size blur targets that the blur can make non-black
// when the glow lies within `window` of the full-size window: the shrink's
// nearest sampling, then `reach` texels along each axis. The blur targets
// repeat, so an axis the reach carries past an edge is taken whole.
TexelRect blurReach(const TexelRect& window, int width, int height, int halfWidth, int halfHeight, int reach);
