#version 430 core
struct Material {
    float shininess;
};
struct Light {
    vec3 direction;
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
};

in vec3 fragPos;
in vec3 normal;
in vec2 texCoords;

uniform sampler2D texture_diffuse1;
uniform Material material;
uniform Light light;
uniform vec3 viewPos;
// The film screen's material sets these through its own program's locations
// while this program is current: the same explicit locations and types make
// those sets land here instead of failing.
layout (location = 20) uniform vec3 diffuseColor;
layout (location = 21) uniform vec3 materialCoefficients;
layout (location = 22) uniform float specularAlpha;
// 1 only while the glowing stars are drawn.
uniform int glow;

layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

void main() {
    vec4 texel = texture(texture_diffuse1, texCoords);
    vec3 base = texel.rgb;
    vec3 n = normalize(normal);
    vec3 toLight = normalize(-light.direction);
    // Two-sided: thin parts (ears, leaves, the film screen) light from either side.
    float diff = abs(dot(n, toLight));
    vec3 viewDir = normalize(viewPos - fragPos);
    vec3 halfway = normalize(toLight + viewDir);
    float spec = pow(max(dot(n, halfway), 0.0), material.shininess);

    vec3 colour = light.ambient * base + light.diffuse * diff * base + light.specular * spec;
    if (glow == 1) {
        vec3 hot = vec3(1.0, 0.85, 0.3) * (0.6 + 0.4 * base);
        fragColor = vec4(hot, 1.0);
        glowColor = vec4(hot, 1.0);
    } else {
        // Never true for the game's values; keeps the three uniforms active.
        if (specularAlpha < -1.0e30) colour += diffuseColor * materialCoefficients;
        fragColor = vec4(colour, 1.0);
        glowColor = vec4(0.0, 0.0, 0.0, 1.0);
    }
}
