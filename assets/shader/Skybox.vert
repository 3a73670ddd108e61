#version 430 core
layout (location = 0) in vec3 aPos;
uniform mat4 view;
uniform mat4 projection;
out vec3 direction;

void main() {
    direction = aPos;
    vec4 clip = projection * view * vec4(aPos, 1.0);
    // Depth 1 after the divide: the sky lies behind everything drawn later.
    gl_Position = clip.xyww;
}
