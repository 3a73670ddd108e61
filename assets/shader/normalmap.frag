#version 430 core
in vec2 texCoords;
in vec3 tangentLightPos;
in vec3 tangentViewPos;
in vec3 tangentFragPos;

uniform sampler2D diffuse;
uniform sampler2D normalMap;

layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

void main() {
    vec3 n = normalize(texture(normalMap, texCoords).rgb * 2.0 - 1.0);
    vec3 base = texture(diffuse, texCoords).rgb;
    vec3 toLight = normalize(tangentLightPos - tangentFragPos);
    vec3 viewDir = normalize(tangentViewPos - tangentFragPos);
    float diff = max(dot(toLight, n), 0.0);
    float spec = pow(max(dot(n, normalize(toLight + viewDir)), 0.0), 32.0);
    vec3 colour = base * 0.45 + base * diff * 0.6 + vec3(0.15) * spec;
    fragColor = vec4(colour, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
