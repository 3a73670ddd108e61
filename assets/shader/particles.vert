#version 430 core
layout (location = 0) in vec3 aPos;
layout (location = 1) in vec3 aNormal;
layout (location = 2) in vec2 aTexCoords;
// One matrix per star, columns in attributes 3 to 6.
layout (location = 3) in mat4 instanceMatrix;

uniform mat4 view;
uniform mat4 projection;

out vec2 texCoords;
out float facing;

void main() {
    texCoords = aTexCoords;
    vec3 n = normalize(mat3(instanceMatrix) * aNormal);
    facing = abs(n.y) * 0.5 + 0.5;
    // Matrix times vector three times, rather than matrix products for every vertex.
    gl_Position = projection * (view * (instanceMatrix * vec4(aPos, 1.0)));
}
