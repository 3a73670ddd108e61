#pragma once
#include <unordered_map>
#include <vector>

#include <glad/gl.h>

// One off-screen render target. The n-th colour texture added goes to
// GL_COLOR_ATTACHMENT0 + n; finish() hands the attachments to glDrawBuffers in
// the order they were added. Owns its framebuffer, textures and renderbuffer.
class Framebuffer {
public:
    Framebuffer(int width, int height);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    // Nearest filtering, no wrap mode set; the texture is allocated without data.
    void addColorTexture(GLenum internalFormat, GLenum pixelType);
    void addDepthStencilBuffer();
    // Once, after all attachments; prints a line when the target is incomplete.
    void finish();

    // Neither touches the viewport.
    void bind() const;
    void unbind() const;

    // All bits set when nothing is attached there.
    GLuint getTexture(GLenum attachment) const;

    // The glow output (attachment 1) of source, scaled with nearest filtering
    // onto the whole of destination's first colour attachment.
    static void blitColor(const Framebuffer& source, const Framebuffer& destination);

    GLuint name() const { return framebuffer_; }
    GLuint renderbuffer() const { return renderbuffer_; }
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<GLenum>& drawBuffers() const { return drawBuffers_; }

private:
    GLuint framebuffer_ = 0;
    GLuint renderbuffer_ = 0;
    int width_ = 0;
    int height_ = 0;
    int originX_ = 0;
    int originY_ = 0;
    std::unordered_map<GLenum, GLuint> textures_;
    std::vector<GLenum> drawBuffers_;
};
