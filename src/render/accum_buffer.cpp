#include "render/accum_buffer.h"

#include "render/gl.h"
#include "render/texture_load.h"

bool HasAccumulationBits() {
    GLint red = 0;
    glGetIntegerv(GL_ACCUM_RED_BITS, &red);
    return red > 0;
}

AccumBuffer::AccumBuffer() : AccumBuffer(HasAccumulationBits() ? Path::Accumulation : Path::Framebuffer) {}

AccumBuffer::AccumBuffer(Path path) : path_(path) {}

AccumBuffer::~AccumBuffer() { release(); }

void AccumBuffer::release() {
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (sum_) glDeleteTextures(1, &sum_);
    if (pass_) glDeleteTextures(1, &pass_);
    framebuffer_ = sum_ = pass_ = 0;
    sumWidth_ = sumHeight_ = 0;
}

namespace {

// Texture IDs are GL texture names: a generated name could take a stock texture's place.
GLuint NewTexture(GLint format, GLenum type, int width, int height) {
    const GLuint texture = NewRendererTextureName();
    if (!texture) return 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, GL_RGBA, type, nullptr);
    return texture;
}

// The bindings a pass leaves as it found them (glPushAttrib keeps the rest).
struct Bindings {
    Bindings() {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    }
    ~Bindings() {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    }
    GLint draw = 0, read = 0, texture = 0;
};

}  // namespace

void AccumBuffer::clear() {
    glGetIntegerv(GL_VIEWPORT, viewport_);
    if (path_ == Path::Accumulation) {
        ok_ = HasAccumulationBits();
        if (!ok_) return;
        glClearAccum(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_ACCUM_BUFFER_BIT);
        return;
    }
    const int width = viewport_[2], height = viewport_[3];
    Bindings keep;
    if (width != sumWidth_ || height != sumHeight_ || !framebuffer_) {
        release();
        ok_ = false;
        if (width < 1 || height < 1) return;
        sum_ = NewTexture(GL_RGBA32F, GL_FLOAT, width, height);
        pass_ = NewTexture(GL_RGBA8, GL_UNSIGNED_BYTE, width, height);
        if (!sum_ || !pass_) {
            release();
            return;
        }
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sum_, 0);
        if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(keep.draw));
            release();
            return;
        }
        sumWidth_ = width, sumHeight_ = height;
    }
    ok_ = true;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
}

void AccumBuffer::drawQuad(uint32_t texture, float factor) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_FOG);
    glDisable(GL_DITHER);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // The sum is unbounded until it returns; a factor above 1 must not be cut at the vertex.
    glClampColor(GL_CLAMP_VERTEX_COLOR, GL_FALSE);
    glClampColor(GL_CLAMP_FRAGMENT_COLOR, GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(factor, factor, factor, factor);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(-1, -1);
    glTexCoord2f(1, 0), glVertex2f(1, -1);
    glTexCoord2f(1, 1), glVertex2f(1, 1);
    glTexCoord2f(0, 1), glVertex2f(-1, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glPopAttrib();
}

void AccumBuffer::add(float weight) {
    if (!ok_) return;
    if (path_ == Path::Accumulation) {
        glAccum(GL_ACCUM, weight);
        return;
    }
    Bindings keep;
    // The pass as a texture, then blended into the sum.
    glBindTexture(GL_TEXTURE_2D, pass_);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, viewport_[0], viewport_[1], sumWidth_, sumHeight_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    glPushAttrib(GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, sumWidth_, sumHeight_);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_ONE, GL_ONE);
    drawQuad(pass_, weight);
    glPopAttrib();
}

void AccumBuffer::returnScaled(float factor) {
    if (!ok_) return;
    if (path_ == Path::Accumulation) {
        glAccum(GL_RETURN, factor);
        return;
    }
    Bindings keep;
    glPushAttrib(GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT);
    glViewport(viewport_[0], viewport_[1], sumWidth_, sumHeight_);
    glDisable(GL_BLEND);
    drawQuad(sum_, factor);
    glPopAttrib();
}
