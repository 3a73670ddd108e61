#version 430 core
in vec2 texCoords;
in float facing;

uniform sampler2D texture_diffuse1;

layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

void main() {
    vec3 colour = texture(texture_diffuse1, texCoords).rgb * facing;
    fragColor = vec4(colour, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
