#pragma once
// An offscreen GL context for render tests, current while the object lives.
#include <GL/osmesa.h>
#include <cstdint>
#include <vector>

namespace dvxtest {

class OffscreenGL {
public:
    OffscreenGL(int width, int height);
    ~OffscreenGL();
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // RGBA of pixel (x, y), y counted from the bottom as GL does.
    uint32_t pixel(int x, int y) const;

private:
    int width_, height_;
    bool ok_ = false;
    OSMesaContext ctx_ = nullptr;
    std::vector<uint8_t> buffer_;
};

// True when each channel of two RGBA values differs by at most `tolerance`.
bool NearColor(uint32_t rgba, uint8_t r, uint8_t g, uint8_t b, int tolerance = 8);

} // namespace dvxtest
