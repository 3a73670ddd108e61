#version 430 core
layout (location = 0) in vec3 aPos;
layout (location = 1) in vec3 aNormal;
layout (location = 2) in vec2 aTexCoords;
layout (location = 3) in vec3 aTangent;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
uniform vec3 lightPos;
uniform vec3 viewPos;

out vec2 texCoords;
out vec3 tangentLightPos;
out vec3 tangentViewPos;
out vec3 tangentFragPos;

void main() {
    vec3 fragPos = vec3(model * vec4(aPos, 1.0));
    mat3 normalMatrix = transpose(inverse(mat3(model)));
    vec3 n = normalize(normalMatrix * aNormal);
    vec3 t = normalize(normalMatrix * aTangent);
    t = normalize(t - dot(t, n) * n);
    // No bitangent in the vertex: it follows from the other two.
    vec3 b = cross(n, t);
    mat3 toTangent = transpose(mat3(t, b, n));
    tangentLightPos = toTangent * lightPos;
    tangentViewPos = toTangent * viewPos;
    tangentFragPos = toTangent * fragPos;
    texCoords = aTexCoords;
    gl_Position = projection * view * vec4(fragPos, 1.0);
}
