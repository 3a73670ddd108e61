#include "render/texture.h"

#include <iostream>

#include <stb_image.h>

#include "render/image_decode.h"
#include "render/messages.h"

GLenum formatForChannels(int channels) {
    switch (channels) {
        case 1: return GL_RED;
        // Grey with alpha: two channels, kept as two.
        case 2: return GL_RG;
        case 3: return GL_RGB;
        case 4: return GL_RGBA;
        default: return 0;
    }
}

GLuint uploadImage2D(const std::string& path, const std::string& failurePath) {
    GLuint id = 0;
    glGenTextures(1, &id);
    int width = 0, height = 0, channels = 0;
    // No vertical flip: rows go up in file order, the importer flips v instead.
    unsigned char* pixels = decodeImageFile(path.c_str(), &width, &height, &channels);
    const GLenum format = formatForChannels(channels);
    if (pixels && format != 0) {
        glBindTexture(GL_TEXTURE_2D, id);
        // Decoded rows are tightly packed, whatever their length.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
        glGenerateMipmap(GL_TEXTURE_2D);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        std::cout << rendertext::TextureFailed << failurePath << std::endl;
    }
    stbi_image_free(pixels);
    return id;
}

GLuint loadModelTexture(const char* fileName, const std::string& directory) {
    return uploadImage2D(directory + "/" + fileName, fileName);
}

GLuint loadTexture2D(const char* path) { return uploadImage2D(path, path); }

Texture::Texture(GLuint id, std::string prefix, std::string file)
    : textureId(id), samplerPrefix(std::move(prefix)), fileName(std::move(file)) {}

Texture::~Texture() {
    glDeleteTextures(1, &textureId);
    std::cout << rendertext::DeletingTexture << std::endl;
}

Textures::Textures(const char* path) : textureId(loadTexture2D(path)) {}

Textures::~Textures() { glDeleteTextures(1, &textureId); }
