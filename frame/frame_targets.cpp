#include "frame/frame_targets.h"

int halfSize(int size) { return static_cast<int>(size * 0.5); }

FrameTargets::Scene::Scene(int width, int height) : Framebuffer(width, height) {
    addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
    addColorTexture(GL_RGBA8, GL_UNSIGNED_BYTE);
    addDepthStencilBuffer();
    finish();
}

FrameTargets::Blur::Blur(int width, int height) : Framebuffer(halfSize(width), halfSize(height)) {
    addColorTexture(GL_RGBA16F, GL_FLOAT);
    finish();
}

FrameTargets::FrameTargets(int width, int height) : scene(width, height), blur1(width, height), blur2(width, height) {}
