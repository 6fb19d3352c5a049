#pragma once
// The sum of a final render's jittered passes. Each pass is drawn in the current colour
// buffer, added with a weight, and the sum comes back into the colour buffer at the end.
// A context with accumulation bits (OSMesa) uses glAccum; the program's window surfaces have
// none, so there the sum is kept in a 32-bit float RGBA framebuffer object that each pass is
// blended into additively. The sum covers the viewport read at clear(). Made, used and freed
// while one context is current.
#include <cstdint>

class AccumBuffer {
public:
    enum class Path { Accumulation, Framebuffer };

    // The path the current context supports.
    AccumBuffer();
    // A chosen path (the tests and benchmarks compare the two).
    explicit AccumBuffer(Path path);
    ~AccumBuffer();
    AccumBuffer(const AccumBuffer&) = delete;
    AccumBuffer& operator=(const AccumBuffer&) = delete;

    Path path() const { return path_; }
    // Whether the context can keep the sum (false: add and return do nothing).
    bool ok() const { return ok_; }

    // Empties the sum (to 0, 0, 0, 0), sized to the current viewport.
    void clear();
    // Adds the colour buffer's viewport, each channel times `weight`.
    void add(float weight);
    // Replaces the colour buffer's viewport with the sum times `factor`.
    void returnScaled(float factor);

private:
    void release();
    void drawQuad(uint32_t texture, float factor);

    Path path_;
    bool ok_ = false;
    int32_t viewport_[4] = {};
    uint32_t framebuffer_ = 0, sum_ = 0, pass_ = 0;
    int sumWidth_ = 0, sumHeight_ = 0;
};

// Whether the current context has an accumulation buffer.
bool HasAccumulationBits();
