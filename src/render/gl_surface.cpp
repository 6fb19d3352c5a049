#include "render/gl_surface.h"

#include "render/gl.h"
#include "render/offscreen_framebuffer.h"

GLSurface::GLSurface() = default;
GLSurface::~GLSurface() = default;

SurfaceSize GLSurface::size() const {
    if (offscreen_) return {offscreen_->width(), offscreen_->height()};
    return surfaceSize();
}

std::vector<uint8_t> GLSurface::readPixels() const {
    const SurfaceSize s = size();
    std::vector<uint8_t> pixels(static_cast<size_t>(s.width) * static_cast<size_t>(s.height) * 4);
    if (pixels.empty()) return pixels;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(0, 0, s.width, s.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    return pixels;
}

bool GLSurface::beginOffscreen(int width, int height) {
    endOffscreen();
    if (!makeCurrent()) return false;
    auto target = std::make_unique<OffscreenFramebuffer>(width, height);
    if (!target->ok()) return false;
    offscreen_ = std::move(target);
    offscreen_->bind();
    return true;
}

void GLSurface::endOffscreen() {
    if (!offscreen_) return;
    if (makeCurrent()) {
        OffscreenFramebuffer::bindDefault(surfaceFramebuffer());
        offscreen_.reset();
    } else {
        // Without the context its objects cannot be freed; they go with the context.
        (void)offscreen_.release();
    }
}

void GLSurface::bindOffscreen() {
    if (offscreen_) offscreen_->bind();
}
