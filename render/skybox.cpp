#include "render/skybox.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include <stb_image.h>

#include "render/image_decode.h"
#include "render/messages.h"
#include "render/texture.h"

namespace {
constexpr const char* VertexPath = "../assets/shader/Skybox.vert";
constexpr const char* FragmentPath = "../assets/shader/Skybox.frag";

// In target order +X, -X, +Y, -Y, +Z, -Z: left goes on +X and back on +Z.
constexpr const char* FacePaths[6] = {"../assets/objects/skybox/left.jpg", "../assets/objects/skybox/right.jpg",
                                      "../assets/objects/skybox/top.jpg",  "../assets/objects/skybox/bottom.jpg",
                                      "../assets/objects/skybox/back.jpg", "../assets/objects/skybox/front.jpg"};

constexpr float CubeVertices[108] = {
    -1, 1,  -1, -1, -1, -1, 1,  -1, -1, 1,  -1, -1, 1,  1,  -1, -1, 1,  -1, -1, -1, 1,  -1, -1, -1, -1, 1,  -1,
    -1, 1,  -1, -1, 1,  1,  -1, -1, 1,  1,  -1, -1, 1,  -1, 1,  1,  1,  1,  1,  1,  1,  1,  1,  -1, 1,  -1, -1,
    -1, -1, 1,  -1, 1,  1,  1,  1,  1,  1,  1,  1,  1,  -1, 1,  -1, -1, 1,  -1, 1,  -1, 1,  1,  -1, 1,  1,  1,
    1,  1,  1,  -1, 1,  1,  -1, 1,  -1, -1, -1, -1, -1, -1, 1,  1,  -1, -1, 1,  -1, -1, -1, -1, 1,  1,  -1, 1};

// Grey (and grey with alpha) pixels as RGB, the grey in all three; the
// alpha goes, as the faces are stored without it.
std::vector<unsigned char> greyToRgb(const unsigned char* pixels, int width, int height, int channels) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<unsigned char> rgb(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char grey = pixels[i * static_cast<std::size_t>(channels)];
        rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = grey;
    }
    return rgb;
}

// Decodes one face; false when the file does not open or decode.
bool uploadFace(GLenum target, const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = decodeImageFile(file, &width, &height, &channels);
    std::fclose(file);
    // Every face is stored as GL_RGB, because a cube map with mixed formats is
    // incomplete. Colour faces are read with the format of their own channels;
    // grey ones are widened to RGB first, since GL would read one grey channel
    // as red alone.
    const GLenum format = formatForChannels(channels);
    if (!pixels || format == 0) {
        stbi_image_free(pixels);
        return false;
    }
    // Decoded rows are tightly packed, whatever their length.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (channels <= 2) {
        const std::vector<unsigned char> rgb = greyToRgb(pixels, width, height, channels);
        glTexImage2D(target, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    } else {
        glTexImage2D(target, 0, GL_RGB, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    }
    stbi_image_free(pixels);
    return true;
}
}  // namespace

glm::mat4 rotationOnly(const glm::mat4& view) { return glm::mat4(glm::mat3(view)); }

Skybox::Skybox() : program(VertexPath, FragmentPath), vertices(std::begin(CubeVertices), std::end(CubeVertices)) {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);

    glGenTextures(1, &cubeMap);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMap);
    for (GLenum i = 0; i < 6; ++i) {
        if (!uploadFace(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, FacePaths[i]))
            std::cout << rendertext::SkyboxFaceFailed << FacePaths[i] << std::endl;
    }
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);

    program.bind();
    program.setUniformInt("skybox", 0);
}

Skybox::~Skybox() {
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vbo);
    glDeleteTextures(1, &cubeMap);
}

void Skybox::draw(glm::mat4 view, glm::mat4 projection) {
    glDepthFunc(GL_LEQUAL);
    program.bind();
    program.setUniformMat4("view", rotationOnly(view));
    program.setUniformMat4("projection", projection);
    glBindVertexArray(vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMap);
    glDrawArrays(GL_TRIANGLES, 0, 36);
    glBindVertexArray(0);
    glDepthFunc(GL_LESS);
}
