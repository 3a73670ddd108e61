#version 430 core
in vec2 texCoords;
uniform sampler2D image;
// 1: blur along y, 0: along x.
uniform int vertical;
layout (location = 0) out vec4 fragColor;

const float weights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);

void main() {
    vec2 step = 1.0 / vec2(textureSize(image, 0));
    step = vertical == 1 ? vec2(0.0, step.y) : vec2(step.x, 0.0);
    // Taps two texels apart: a wider halo for the same cost.
    vec3 sum = texture(image, texCoords).rgb * weights[0];
    for (int i = 1; i < 5; ++i) {
        sum += texture(image, texCoords + step * float(2 * i)).rgb * weights[i];
        sum += texture(image, texCoords - step * float(2 * i)).rgb * weights[i];
    }
    fragColor = vec4(sum, 1.0);
}
