#version 430 core
in vec2 texCoords;
uniform sampler2D text;
uniform vec3 textColor;
out vec4 color;

void main() {
    // The glyph's coverage is its alpha; the start-up blending does the rest.
    color = vec4(textColor, texture(text, texCoords).r);
}
