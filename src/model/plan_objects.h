#pragma once
// Line weights, plan membership and plan colours of objects, and the print and drawing-mode
// state the plan draw sets and the model (bounds, hit tests, curve flattening) reads.
#include <cstdint>

struct Objex;
struct RGBColor;

// 1 while the print view draws (line weights then follow the print scale).
extern uint8_t gPrinting;
// Paper scale of a print, horizontal and vertical; 1.0 until the print code sets them.
extern float gHPrintScale;
extern float gVPrintScale;
// The translation the print view applies before drawing, set by the print code.
extern float gAffineTranslateX;
extern float gAffineTranslateY;
// 1 while a tracker draws rubber-band feedback: plan lines go into the plan view's engine.
extern uint8_t gDynamicDrawing;
// 1 while a transform tracker draws moved, scaled or turned copies into transform elements.
extern uint8_t gTransformationDrawing;
// 1 while the camera or the live view is driven in real time: coarser curves, no filtering.
extern uint8_t gRealTimeDraw;
// 1 while the wall-segment selection feedback draws its clearance dimensions: their readouts
// turn red at a fixed height.
extern uint8_t gSelectionState;

// The object's plan line weight in whole points: 1 for a null object; a positive pen width
// zoomed (flag set), times the horizontal print scale while printing, rounded, at least 1;
// a width from -0.1 up to 0, or not a number, draws no line (0); below -0.1 gives 1.
int16_t GetLineWeight(const Objex* object, uint8_t zoom);
// For a weight above 1 both offsets become minus half the weight; otherwise untouched.
void GetPenOffset(int16_t weight, int16_t* dx, int16_t* dy);
// Whether the object shows under the plan mask (bit 1 << plan index). Walls, doors and
// windows show through on the floor, electrical, plumbing and HVAC plans.
bool IsObjectOnCurrentPlan(const Objex* object, int32_t planMask);
// The colour the object's lines take on the current floor: walls the floor colour (the
// landscape colour for a landscape-only wall), one-plan objects their plan's colour, any
// other the pen colour. Without a settings record (0, 16448, 34952); without a document or
// with null arguments nothing is written.
void GetObjectPlanColor(const Objex* object, RGBColor* color);
