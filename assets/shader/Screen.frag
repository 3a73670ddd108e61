#version 430 core
in vec2 texCoords;
uniform sampler2D map1;
uniform sampler2D map2;
out vec4 fragColor;

void main() {
    vec3 picture = texture(map1, texCoords).rgb;
    vec3 glow = texture(map2, texCoords).rgb;
    // Additive bloom, then squeezed back below white.
    vec3 colour = picture + glow * 1.6;
    fragColor = vec4(min(colour, vec3(1.0)), 1.0);
}
