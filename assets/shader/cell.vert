#version 430 core
layout (location = 0) in vec3 aPos;
layout (location = 1) in vec3 aNormal;
layout (location = 2) in vec2 aTexCoords;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;

out vec3 fragPos;
out vec3 normal;
out vec2 texCoords;

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    fragPos = world.xyz / world.w;
    // The inverse transpose of the model's 3x3 part, by cofactors: the same
    // normal matrix as inverse() gives, at a small part of its per-vertex cost.
    mat3 m = mat3(model);
    mat3 cofactors = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1]));
    normal = cofactors * aNormal / dot(m[0], cofactors[0]);
    texCoords = aTexCoords;
    // Matrix times vector twice, rather than a matrix product for every vertex.
    gl_Position = projection * (view * world);
}
