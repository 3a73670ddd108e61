#include "frame/clip_test.h"

#include <algorithm>

float modelRadius(const ModelAsset& model) {
    float radius = 0.0f;
    for (const auto& mesh : model.meshes) {
        for (const MeshVertex& vertex : mesh->vertices) radius = std::max(radius, glm::length(vertex.position));
    }
    return radius;
}

float largestScale(const glm::mat4& m) {
    return std::max({glm::length(glm::vec3(m[0])), glm::length(glm::vec3(m[1])), glm::length(glm::vec3(m[2]))});
}

bool outsideClipPlanes(const glm::mat4& viewProjection, const glm::vec3& centre, float radius) {
    const glm::vec4 w{viewProjection[0][3], viewProjection[1][3], viewProjection[2][3], viewProjection[3][3]};
    for (int axis = 0; axis < 3; ++axis) {
        const glm::vec4 row{viewProjection[0][axis], viewProjection[1][axis], viewProjection[2][axis],
                            viewProjection[3][axis]};
        for (const float side : {1.0f, -1.0f}) {
            if (axis == 2 && side < 0.0f) continue;
            const glm::vec4 plane = w + side * row;
            const float distance = glm::dot(glm::vec3(plane), centre) + plane.w;
            if (distance < -radius * glm::length(glm::vec3(plane))) return true;
        }
    }
    return false;
}

bool modelOutsideView(const glm::mat4& viewProjection, const glm::mat4& model, float radius) {
    const float reach = radius * largestScale(model) * 1.01f + 0.01f;
    return outsideClipPlanes(viewProjection, glm::vec3(model[3]), reach);
}
