#version 430 core
struct Material {
    sampler2D diffuse;
    sampler2D specular;
    float shininess;
};
struct Light {
    vec3 position;
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
};

in vec3 fragPos;
in vec3 normal;
in vec2 texCoords;

uniform Material material;
uniform Light light;
uniform vec3 viewPos;

layout (location = 0) out vec4 fragColor;
layout (location = 1) out vec4 glowColor;

void main() {
    vec3 base = texture(material.diffuse, texCoords).rgb;
    vec3 shine = texture(material.specular, texCoords).rgb;
    vec3 n = normalize(normal);
    vec3 toLight = normalize(light.position - fragPos);
    float diff = max(dot(n, toLight), 0.0);
    vec3 viewDir = normalize(viewPos - fragPos);
    vec3 reflected = reflect(-toLight, n);
    float spec = pow(max(dot(viewDir, reflected), 0.0), material.shininess);
    // The light sits far from the crate: keep the wood readable on every face.
    vec3 colour = light.ambient * base * 2.5 + light.diffuse * diff * base + light.specular * spec * shine;
    fragColor = vec4(colour, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
