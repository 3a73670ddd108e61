#version 430 core
layout (location = 0) in vec3 aPos;
layout (location = 1) in vec3 aNormal;
layout (location = 2) in vec2 aTexCoords;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;

out vec3 normal;
out vec2 texCoords;

void main() {
    normal = mat3(model) * aNormal;
    texCoords = aTexCoords;
    gl_Position = projection * view * model * vec4(aPos, 1.0);
}
