#pragma once
// The virtual ruler: a yellow measuring strip between the model's `itsVRStartPt` and
// `itsVREndPt` (plan units, unzoomed), drawn over the whole plan with its ticks, end handles,
// hairs and length, hit-tested by a click and dragged by its body or an end. Every routine
// does nothing without a current document or while the ruler is hidden.
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

// Hit parts.
inline constexpr uint8_t kRulerNothing = 0;
inline constexpr uint8_t kRulerBody = 1;
inline constexpr uint8_t kRulerStartHandle = 2;
inline constexpr uint8_t kRulerEndHandle = 3;

// 1 when the view point lies on the ruler; `result` gets the part and a 0 (cleared when the
// point misses). A missing argument or ruler leaves `result` alone and answers 0.
uint8_t PointInVirtualRuler(const POINT* point, uint8_t result[2]);

// The body's four view corners: start and end on one side, end and start on the other.
void ComputeRulerBoundaryFrame(POINT corners[4]);
// The square handle frames, a handle's width inside the ends.
void ComputeRulerStartPtFrame(RECT* frame);
void ComputeRulerEndPtFrame(RECT* frame);

// The last step of the plan frame, into the current drawing context.
void DrawVirtualRuler(void* dc);
// The stored length, along the ruler through the plan view's text.
void UpdateRulerText();
// Ticks at the snap spacing, short and long by turns, stroked in black.
void DrawRulerTickMarks();
// Short hairs beyond the body's edges at both ends, stroked in the current colour.
void DrawRulerEdgeHairs();

// The drag of one part: begin with the press (view point) and the part hit, move with each
// view point the mouse reaches, end on release. An end dragged shorter than an inch (72 plan
// units) from the other is put back at 72 along the same line.
class TrackVirtualRuler {
public:
    // False (and nothing done) without a document, settings or a shown ruler.
    bool begin(POINT press, uint16_t part);
    void move(POINT at);
    void end();

private:
    bool active_ = false;
    uint16_t part_ = 0;
    POINT last_;
    FloatPoint anchor_, start_, end_;
};
