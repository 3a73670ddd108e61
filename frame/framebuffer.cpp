#include "frame/framebuffer.h"

#include <iostream>

#include "frame/messages.h"

Framebuffer::Framebuffer(int width, int height) : width_(width), height_(height) {
    glGenFramebuffers(1, &framebuffer_);
}

Framebuffer::~Framebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer_);
    glBindTexture(GL_TEXTURE_2D, 0);
    for (const auto& entry : textures_) glDeleteTextures(1, &entry.second);
    if (renderbuffer_ != 0) glDeleteRenderbuffers(1, &renderbuffer_);
}

void Framebuffer::addColorTexture(GLenum internalFormat, GLenum pixelType) {
    bind();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width_, height_, 0, GL_RGBA, pixelType, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const GLenum attachment = GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(textures_.size());
    glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    unbind();
    textures_.emplace(attachment, texture);
    drawBuffers_.push_back(attachment);
}

void Framebuffer::addDepthStencilBuffer() {
    bind();
    glGenRenderbuffers(1, &renderbuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width_, height_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, renderbuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    unbind();
}

void Framebuffer::finish() {
    bind();
    glDrawBuffers(static_cast<GLsizei>(drawBuffers_.size()), drawBuffers_.data());
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::cout << frametext::FramebufferIncomplete << std::endl;
    }
    unbind();
}

void Framebuffer::bind() const { glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_); }

void Framebuffer::unbind() const { glBindFramebuffer(GL_FRAMEBUFFER, 0); }

GLuint Framebuffer::getTexture(GLenum attachment) const {
    const auto found = textures_.find(attachment);
    return found == textures_.end() ? static_cast<GLuint>(-1) : found->second;
}

void Framebuffer::blitColor(const Framebuffer& source, const Framebuffer& destination) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source.framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, destination.framebuffer_);
    glReadBuffer(GL_COLOR_ATTACHMENT1);
    glBlitFramebuffer(source.originX_, source.originY_, source.originX_ + source.width_,
                      source.originY_ + source.height_, destination.originX_, destination.originY_,
                      destination.originX_ + destination.width_, destination.originY_ + destination.height_,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
}
