#pragma once
// A framebuffer object with an 8-bit RGBA colour buffer and a 24-bit depth, 8-bit stencil
// buffer, in the current context. Made, bound and freed while that context is current.
#include <cstdint>

class OffscreenFramebuffer {
public:
    OffscreenFramebuffer(int width, int height);
    ~OffscreenFramebuffer();
    OffscreenFramebuffer(const OffscreenFramebuffer&) = delete;
    OffscreenFramebuffer& operator=(const OffscreenFramebuffer&) = delete;

    // False when the context could not make it complete.
    bool ok() const { return complete_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void bind() const;
    // Binds `framebuffer` (0 for the surface's own) for drawing and reading.
    static void bindDefault(uint32_t framebuffer);

private:
    int width_, height_;
    uint32_t framebuffer_ = 0, colour_ = 0, depthStencil_ = 0;
    bool complete_ = false;
};
