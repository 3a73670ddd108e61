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

layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

// Light in a few flat bands, the colour flattened too: the cartoon look.
float band(float x, float steps) { return floor(x * steps + 0.5) / steps; }

void main() {
    vec3 base = texture(texture_diffuse1, texCoords).rgb;
    base = floor(base * 5.0 + 0.5) / 5.0;
    vec3 n = normalize(normal);
    vec3 toLight = normalize(-light.direction);
    float diff = band(abs(dot(n, toLight)), 3.0);
    vec3 viewDir = normalize(viewPos - fragPos);
    float spec = step(0.6, pow(max(dot(n, normalize(toLight + viewDir)), 0.0), material.shininess));
    // A dark outline where a curved surface turns away from the eye. Flat
    // surfaces keep their light at any angle: the far meadow is seen at a
    // grazing angle too, and its normal does not change from pixel to pixel.
    float curved = step(0.01, length(fwidth(n)));
    float outline = 1.0 - curved * (1.0 - step(0.25, abs(dot(n, viewDir))));

    vec3 colour = (light.ambient * base + light.diffuse * 1.6 * diff * base + light.specular * spec) * mix(0.25, 1.0, outline);
    // Never true for the game's values; keeps the three uniforms active.
    if (specularAlpha < -1.0e30) colour += diffuseColor * materialCoefficients;
    fragColor = vec4(colour, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
