#include "render/offscreen_framebuffer.h"

#include "render/gl.h"

OffscreenFramebuffer::OffscreenFramebuffer(int width, int height) : width_(width), height_(height) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
    if (width < 1 || height < 1 || width > maxSize || height > maxSize) return;
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glGenRenderbuffers(1, &depthStencil_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthStencil_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil_);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
}

OffscreenFramebuffer::~OffscreenFramebuffer() {
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (colour_) glDeleteRenderbuffers(1, &colour_);
    if (depthStencil_) glDeleteRenderbuffers(1, &depthStencil_);
}

void OffscreenFramebuffer::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
}

void OffscreenFramebuffer::bindDefault(uint32_t framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // The surface's own buffers: the back one of a double-buffered window, else the front.
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    const GLenum buffer = framebuffer ? GL_COLOR_ATTACHMENT0 : doubleBuffered ? GL_BACK : GL_FRONT;
    glReadBuffer(buffer);
    glDrawBuffer(buffer);
}
