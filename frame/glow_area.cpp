#include "frame/glow_area.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// One axis of blurReach: [from, to) of `size` pixels onto `half` texels.
bool reachAxis(int from, int to, int size, int half, int reach, int& first, int& last) {
    if (from >= to) return false;
    // Texel i samples pixel floor((i + 0.5) * size / half); one texel of slack
    // each side covers the rounding.
    const double scale = static_cast<double>(half) / size;
    first = static_cast<int>(std::floor(from * scale)) - 1 - reach;
    last = static_cast<int>(std::ceil(to * scale)) + 1 + reach;
    if (first < 0 || last > half) {
        first = 0;
        last = half;
    }
    return true;
}

// Where a sphere lands in normalised device coordinates: the projection of
// its view-space box's corners, which holds the sphere's own.
enum class Landing { Behind, AroundCamera, InFront };

Landing projectSphere(const glm::vec4& sphere, const glm::mat4& view, const glm::mat4& projection, float& left,
                      float& right, float& bottom, float& top) {
    const glm::vec3 centre = glm::vec3(view * glm::vec4(glm::vec3(sphere), 1.0f));
    const float radius = sphere.w;
    // Behind the camera: clipped away whole.
    if (centre.z - radius >= 0.0f) return Landing::Behind;
    // Reaching behind it: the projection of its corners folds over.
    if (centre.z + radius >= 0.0f) return Landing::AroundCamera;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 offset((corner & 1) ? radius : -radius, (corner & 2) ? radius : -radius,
                               (corner & 4) ? radius : -radius);
        const glm::vec4 clip = projection * glm::vec4(centre + offset, 1.0f);
        left = std::min(left, clip.x / clip.w);
        right = std::max(right, clip.x / clip.w);
        bottom = std::min(bottom, clip.y / clip.w);
        top = std::max(top, clip.y / clip.w);
    }
    return Landing::InFront;
}

// Whether [from, to] of normalised device coordinates holds a pixel centre of
// a size-pixel axis. The slack, far wider than the rounding of the two ways
// of working out a vertex and of the rasteriser's snapping, keeps it safe.
bool holdsPixelCentre(float from, float to, int size) {
    constexpr float Slack = 1.0f / 32.0f;
    const float half = 0.5f * static_cast<float>(size);
    const float first = std::ceil((from + 1.0f) * half - Slack - 0.5f);
    const float last = std::floor((to + 1.0f) * half + Slack - 0.5f);
    return std::max(first, 0.0f) <= std::min(last, static_cast<float>(size - 1));
}

}  // namespace

glm::vec4 boundingSphere(const glm::mat4& model, float modelRadius) {
    // The Frobenius norm bounds how far the matrix can stretch any vector.
    const glm::mat3 linear(model);
    const float stretch =
        std::sqrt(glm::dot(linear[0], linear[0]) + glm::dot(linear[1], linear[1]) + glm::dot(linear[2], linear[2]));
    return {glm::vec3(model[3]), modelRadius * stretch};
}

TexelRect screenBounds(const std::vector<glm::vec4>& spheres, const glm::mat4& view, const glm::mat4& projection,
                       int width, int height) {
    constexpr float Far = std::numeric_limits<float>::max();
    float left = Far, right = -Far, bottom = Far, top = -Far;
    for (const glm::vec4& sphere : spheres) {
        if (projectSphere(sphere, view, projection, left, right, bottom, top) == Landing::AroundCamera)
            return TexelRect::whole(width, height);
    }
    if (left > right || bottom > top) return {};
    // Window pixels, a pixel of slack each side, clamped to the window.
    const auto pixel = [](float ndc, int size) { return (ndc + 1.0f) * 0.5f * static_cast<float>(size); };
    TexelRect rect;
    rect.x0 = std::max(0, static_cast<int>(std::floor(pixel(std::max(left, -2.0f), width))) - 1);
    rect.x1 = std::min(width, static_cast<int>(std::ceil(pixel(std::min(right, 2.0f), width))) + 1);
    rect.y0 = std::max(0, static_cast<int>(std::floor(pixel(std::max(bottom, -2.0f), height))) - 1);
    rect.y1 = std::min(height, static_cast<int>(std::ceil(pixel(std::min(top, 2.0f), height))) + 1);
    return rect.empty() ? TexelRect{} : rect;
}

bool reachesPixelCentre(const glm::vec4& sphere, const glm::mat4& view, const glm::mat4& projection, int width,
                        int height) {
    constexpr float Far = std::numeric_limits<float>::max();
    float left = Far, right = -Far, bottom = Far, top = -Far;
    switch (projectSphere(sphere, view, projection, left, right, bottom, top)) {
        case Landing::Behind: return false;
        case Landing::AroundCamera: return true;
        case Landing::InFront: break;
    }
    return holdsPixelCentre(left, right, width) && holdsPixelCentre(bottom, top, height);
}

TexelRect blurReach(const TexelRect& window, int width, int height, int halfWidth, int halfHeight, int reach) {
    TexelRect rect;
    if (!reachAxis(window.x0, window.x1, width, halfWidth, reach, rect.x0, rect.x1)) return {};
    if (!reachAxis(window.y0, window.y1, height, halfHeight, reach, rect.y0, rect.y1)) return {};
    return rect;
}
