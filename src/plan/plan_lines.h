#pragma once
// Every plan outline ends here: a line is zoomed, projected into the current view, scaled
// for printing, dropped when it leaves the 16-bit plane, and sent to one sink: the rubber-band
// engine, the transform element being drawn, the accelerated buffer (groups and edging) or a
// one-line path stroked at once. Above it, object segments and links between rows, straight or
// cubic, become lines. The device-context argument is always null; drawing goes to the
// current drawing context.
#include <cstdint>

#include "files/windows_records.h"
#include "model/style_state.h"
#include "port/winrecords.h"

struct Objex;
struct Poinz;
struct TransformRecord;


// Line segments collected per top-level object (pairs of points) and stroked together.
extern PlatformPoint* gAcclLineBuffer;
extern int32_t gAcclLinePointCount;
extern int32_t gAcclLinePointCap;
// Start-up makes room for 1000 points; exit frees the buffer. False when memory runs out.
bool AllocateAcclLineBuffer();
void FreeAcclLineBuffer();
// Appends the segment unrounded; grows by 1000 points when full. Nothing without a buffer or
// when growing fails.
void ApplePortAcceleratedDrawLine(float x1, float y1, float x2, float y2);

// One plan line between two model points (h, v, d). `zoom` zooms the coordinates first
// (ignored while printing); `object` picks the dash or width and the sink, `point` (the
// segment's first point, may be null) marks a gate in a fence.
void DrawLine(void* dc, float h1, float v1, float d1, float h2, float v2, float d2, uint8_t zoom,
              const Objex* object, const Poinz* point);
// One segment of the object's outline, straight or cubic, moved by the transform record as
// the flags say (16 translate, 32 scale, 64 shear, 128 rotate); stairs get their arrowhead.
void DrawObjectSegment(void* dc, const Objex* object, const Poinz* p1, const Poinz* p2,
                       int32_t flags, const TransformRecord* transform);
// A link between corresponding points of two rows, along their across-row tangents.
void DrawLinkSegment(void* dc, const Objex* object, const Poinz* p1, const Poinz* p2,
                     int32_t flags, const TransformRecord* transform);
// While alive, the current context strokes at the line width and dash DrawLine gives the
// object's lines, so each of them finds its pen already set (a fence's gate lines still set
// their own).
class ObjectLineStyle {
public:
    explicit ObjectLineStyle(const Objex* object);
    ~ObjectLineStyle();
    ObjectLineStyle(const ObjectLineStyle&) = delete;
    ObjectLineStyle& operator=(const ObjectLineStyle&) = delete;
};
// A screen line (zoomed when asked): into the engine while drawing feedback, else stroked.
void Draw2DLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint8_t zoom);
// The two barbs of a stair's direction arrow at the tip, pointing away from `back` (view
// coordinates), stroked in the current colour.
void DrawStairArrowhead(void* dc, const Objex* object, float tipX, float tipY, float backX,
                        float backY);

// Fills the record for detail line styles 7 to 14 (dashes zoomed, gaps widened for pens
// above 1); any other style leaves it as it was.
void LoadStyle(int16_t style, StyleState* record, float penWidth);

// Operations of the Windows drawing that do nothing here.
void DrawStyledLine(void* dc, float h1, float v1, float d1, float h2, float v2, float d2,
                    const Objex* object);
void DrawPageBreaks(void* dc);
void DrawMoveTo(void* dc, int16_t x, int16_t y);
void DrawLineTo(void* dc, int16_t x, int16_t y);
void AdjustPtList(POINT* points, int32_t count);
void DrawCrosshair(void* dc, int16_t x, int16_t y);
