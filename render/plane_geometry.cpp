#include "render/plane_geometry.h"

PlaneGeometry makePlaneGeometry(float width, float depth) {
    const float x = width / 2.0f;
    const float z = depth / 2.0f;
    PlaneGeometry plane;
    plane.positions = {{-x, 0.0f, -z}, {x, 0.0f, -z}, {x, 0.0f, z}, {-x, 0.0f, z}};
    plane.normals.assign(4, glm::vec3(0.0f, 1.0f, 0.0f));
    plane.texCoords = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
    plane.indices = {0, 3, 2, 2, 1, 0};
    return plane;
}
