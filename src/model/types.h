#pragma once
// Small value records shared by the model, its files and its drawing.
#include <cstdint>

struct RGBColor {
    uint16_t red = 0;
    uint16_t green = 0;
    uint16_t blue = 0;
};

inline bool operator==(const RGBColor& a, const RGBColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

struct FloatPoint {
    float floatH = 0;
    float floatV = 0;
};

struct Float3DPoint {
    float floatH = 0;
    float floatV = 0;
    float floatD = 0;
};

struct FloatRect {
    float floatTop = 0;
    float floatLeft = 0;
    float floatBottom = 0;
    float floatRight = 0;
};

struct Float3DRect {
    float floatTop = 0;
    float floatLeft = 0;
    float floatBack = 0;
    float floatBottom = 0;
    float floatRight = 0;
    float floatFront = 0;
};

struct ShortPoint {
    int16_t x = 0;
    int16_t y = 0;
};
