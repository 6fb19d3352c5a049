#pragma once
// Built-in 2D symbols drawn from the loaded symbol list, placed at an origin, scaled and
// turned; and wall components (tubs, spas, showers) standing against their wall's face with
// their symbol, size and name. The a and b arguments are passed along and not read.
#include <cstdint>

struct Objex;
struct Poinz;

// Whether the type has a built-in symbol in the loaded list.
bool Draws2DSymbol(int16_t symbolType);
// `origin` is (h, d); `angle` radians; scales are factors (1.0 as drawn). Types without a
// built-in symbol, or not in the loaded list, draw nothing. With gDynamicDrawing set the
// lines and curves go into the plan view's rubber-band engine.
void SetupToDraw2DSymbolObject(void* dc, int32_t a, int32_t b, float angle, const float* origin,
                               int16_t symbolType, float scaleH, float scaleV);
// One drawing object of a symbol: only one-row objects with points.
void Draw2DSymbolObject(void* dc, const Objex* object, int32_t a, int32_t b, float angle,
                        const float* origin, float scaleH, float scaleV);
void Draw2DSymbolSegment(void* dc, const Objex* object, const Poinz* first, const Poinz* second,
                         int32_t a, int32_t b, float angle, const float* origin, float scaleH,
                         float scaleV);
// The factors that draw a bath fixture's symbol (95, 96, 97) at its width and height (plan
// units); 1 x 1 for any other symbol.
void FixtureSymbolScale(int16_t symbolType, float width, float height, float* scaleH, float* scaleV);
void DrawComponent(void* dc, const Objex* object, int32_t flags, int32_t a, int32_t b,
                   int16_t symbolType);
