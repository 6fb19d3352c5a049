#pragma once
// The OSMesa surface of the render tests and benchmarks: a GL context drawing into memory,
// current while the object lives (and again after makeCurrent()). The program's window
// surface lives in src/app; both are GLSurfaces.
#include <GL/osmesa.h>
#include <cstdint>
#include <vector>

#include "render/gl_surface.h"

namespace dvxtest {

class OffscreenGL final : public GLSurface {
public:
    OffscreenGL(int width, int height);
    ~OffscreenGL() override;

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // RGBA of pixel (x, y) of the current target, y counted from the bottom as GL does.
    uint32_t pixel(int x, int y) const;

    bool makeCurrent() override;
    // OSMesa draws into its buffer directly: presenting only finishes the drawing.
    void present() override;

protected:
    SurfaceSize surfaceSize() const override { return {width_, height_}; }

private:
    int width_, height_;
    bool ok_ = false;
    OSMesaContext ctx_ = nullptr;
    std::vector<uint8_t> buffer_;
};

// True when each channel of two RGBA values differs by at most `tolerance`.
bool NearColor(uint32_t rgba, uint8_t r, uint8_t g, uint8_t b, int tolerance = 8);

} // namespace dvxtest
