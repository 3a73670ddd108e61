#version 430 core
in vec3 normal;
in vec2 texCoords;

uniform sampler2D image;
// Explicit locations shared with the lit and cel programs (see Lighting.frag).
layout (location = 20) uniform vec3 diffuseColor;
// Ambient, diffuse and specular weights of the phong model.
layout (location = 21) uniform vec3 materialCoefficients;
layout (location = 22) uniform float specularAlpha;

layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

void main() {
    vec3 n = normalize(normal);
    float diff = abs(n.y);
    float spec = pow(diff, specularAlpha);
    vec3 texel = texture(image, texCoords).rgb;
    vec3 k = materialCoefficients / (materialCoefficients.x + materialCoefficients.y + materialCoefficients.z);
    vec3 colour = texel * (k.x + k.y * diff) + diffuseColor * k.z * spec * 0.1;
    fragColor = vec4(colour, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
