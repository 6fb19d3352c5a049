#pragma once
// GL state a render changes for a while and gives back however it ends.
#include "render/gl.h"

// The colour writes as they were.
class ScopedColorWrites {
public:
    explicit ScopedColorWrites(bool on) {
        glGetBooleanv(GL_COLOR_WRITEMASK, saved_);
        glColorMask(on, on, on, on);
    }
    ~ScopedColorWrites() { glColorMask(saved_[0], saved_[1], saved_[2], saved_[3]); }
    ScopedColorWrites(const ScopedColorWrites&) = delete;
    ScopedColorWrites& operator=(const ScopedColorWrites&) = delete;

private:
    GLboolean saved_[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
};
