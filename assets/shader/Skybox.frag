#version 430 core
in vec3 direction;
uniform samplerCube skybox;
layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

void main() {
    fragColor = texture(skybox, direction);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
