#pragma once
// A place the renderer draws: the live view's window in the program, an OSMesa buffer in
// tests and benchmarks. Whatever is drawn after makeCurrent() lands in the current target:
// the surface itself, or the offscreen target between beginOffscreen() and endOffscreen()
// (image export and printing ask for sizes the window cannot have).
#include <cstdint>
#include <memory>
#include <vector>

class OffscreenFramebuffer;

struct SurfaceSize {
    int width = 0;
    int height = 0;
};

class GLSurface {
public:
    GLSurface();
    virtual ~GLSurface();
    GLSurface(const GLSurface&) = delete;
    GLSurface& operator=(const GLSurface&) = delete;

    // Makes the surface's context current (and binds the offscreen target while one is
    // begun); false when there is no context.
    virtual bool makeCurrent() = 0;
    // Shows what was drawn on the surface; may be called in the middle of a render.
    virtual void present() = 0;
    // Pixels of the current target.
    SurfaceSize size() const;
    // RGBA, four bytes a pixel, rows from the bottom one up, of the current target.
    std::vector<uint8_t> readPixels() const;

    // Draws go to a target of this size until endOffscreen(); false (and no target) when the
    // context cannot make one.
    bool beginOffscreen(int width, int height);
    void endOffscreen();
    bool offscreen() const { return offscreen_ != nullptr; }

protected:
    // The size of the surface itself.
    virtual SurfaceSize surfaceSize() const = 0;
    // The framebuffer object that stands for the surface (0 for a window or OSMesa's buffer).
    virtual uint32_t surfaceFramebuffer() const { return 0; }
    // Binds the offscreen target again after the context was made current.
    void bindOffscreen();

private:
    std::unique_ptr<OffscreenFramebuffer> offscreen_;
};
