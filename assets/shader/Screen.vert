#version 430 core
layout (location = 0) in vec4 aPos;
layout (location = 2) in vec2 aTexCoords;
out vec2 texCoords;

void main() {
    texCoords = aTexCoords;
    gl_Position = aPos;
}
