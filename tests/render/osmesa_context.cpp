#include "osmesa_context.h"

#include <GL/gl.h>
#include <cstdlib>

namespace dvxtest {

OffscreenGL::OffscreenGL(int width, int height) : width_(width), height_(height) {
    // Depth, stencil and accumulation as the renderer asks of its pixel format.
    ctx_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 16, nullptr);
    if (!ctx_) return;
    buffer_.assign(static_cast<size_t>(width) * height * 4, 0);
    ok_ = makeCurrent();
    if (ok_) glViewport(0, 0, width, height);
}

OffscreenGL::~OffscreenGL() {
    if (!ctx_) return;
    if (offscreen() && makeCurrent()) endOffscreen();
    if (OSMesaGetCurrentContext() == ctx_) OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
    OSMesaDestroyContext(ctx_);
}

bool OffscreenGL::makeCurrent() {
    if (!ctx_ || !OSMesaMakeCurrent(ctx_, buffer_.data(), GL_UNSIGNED_BYTE, width_, height_)) return false;
    bindOffscreen();
    return true;
}

void OffscreenGL::present() { glFinish(); }

uint32_t OffscreenGL::pixel(int x, int y) const {
    uint8_t p[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool NearColor(uint32_t rgba, uint8_t r, uint8_t g, uint8_t b, int tolerance) {
    auto near = [tolerance](int a, int e) { return std::abs(a - e) <= tolerance; };
    return near((rgba >> 24) & 0xFF, r) && near((rgba >> 16) & 0xFF, g) &&
           near((rgba >> 8) & 0xFF, b);
}

} // namespace dvxtest
