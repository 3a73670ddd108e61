#pragma once
#include <memory>
#include <string>

#include <glad/gl.h>

// The upload rule for every 2D image: format from the channel count, full
// mipmap chain, repeat, trilinear. Returns a new texture name even when the
// file does not decode; failurePath is what the failure line shows.
GLuint uploadImage2D(const std::string& path, const std::string& failurePath);

// The GL format for a decoded channel count (0 for a count no image has).
GLenum formatForChannels(int channels);

// A model material's texture: reads directory + "/" + file name, reports the name alone.
GLuint loadModelTexture(const char* fileName, const std::string& directory);

// A stand-alone texture, owned by the caller.
GLuint loadTexture2D(const char* path);

// The sampler base names a model texture can carry; the mesh numbers them.
namespace samplerprefix {
inline constexpr const char* Diffuse = "texture_diffuse";
inline constexpr const char* Specular = "texture_specular";
inline constexpr const char* Normal = "texture_normal";
inline constexpr const char* Height = "texture_height";
}  // namespace samplerprefix

// One texture of a model, shared by the meshes that name it.
struct Texture {
    GLuint textureId = 0;
    std::string samplerPrefix;
    // As the material names it; the model's cache key.
    std::string fileName;

    Texture(GLuint id, std::string prefix, std::string file);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
};

// A texture on its own; deleted, silently, with its last owner.
class Textures {
public:
    explicit Textures(const char* path);
    ~Textures();
    Textures(const Textures&) = delete;
    Textures& operator=(const Textures&) = delete;

    GLuint textureId = 0;
};
