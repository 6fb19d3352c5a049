#pragma once
// What the drafting trackers share: the main plan view's rubber-band engine, the two axes of
// the view kind a shape is drawn in, view lines, the click that makes nothing, and the
// attributes a new detail shape takes from the settings record.
#include <cstdint>

#include "model/types.h"
#include "files/windows_records.h"
#include "port/winrecords.h"

class QMDDynamicDrawEngine;
struct DocState;
struct Layer;
struct Objex;

namespace feedback {

// The main plan view's engine; null without a view.
QMDDynamicDrawEngine* Engine();
// Path 0 active and every path emptied; nothing without a view.
void Clear();
// The plan view is drawn again.
void Redraw();

// The two coordinates (0 H, 1 V, 2 D) a shape is drawn in by the view kind (plan H and D,
// front H and V, side D and V) and the third, which keeps the press's value.
struct Axes {
    int a1 = 0, a2 = 2, third = 1;
};
Axes AxesOf(int16_t viewKind);
float& At(Float3DPoint& p, int axis);
float At(const Float3DPoint& p, int axis);

Float3DPoint Down();
Float3DPoint Up();

// The point projected into the view (zoomed, perspective when gPerspective), + 0.5, truncated
// to 16-bit whole numbers.
PlatformPoint ToView(Float3DPoint p);
// A line between two model points into the engine's active path.
void Line(QMDDynamicDrawEngine* engine, const Float3DPoint& a, const Float3DPoint& b);

// A rubber-band dimension between two plan points (H, D): through them (`throughPoints`) or
// set off by `offset`.
void Dimension(float h1, float d1, float h2, float d2, float offset, bool throughPoints);

// The release of a gesture that was a click: the standard tool again, the feedback cleared,
// nothing made.
void EndAsClick();

// The current layer of the current document, or null.
Layer* CurrentLayer();

// A new detail shape (type 29) of the subtype: pen width, plan bit and the two drawing-attribute
// words from the settings record; arcs and curves (`ownFirstWord`) keep their first word with
// bit 0 set. An open shape gets fill pattern 0.
void DressDetailShape(Objex* shape, int32_t subtype, bool ownFirstWord, const DocState* ds);

// Sets gDynamicDrawing for as long as it lives.
class DynamicDrawing {
public:
    DynamicDrawing();
    ~DynamicDrawing();
    DynamicDrawing(const DynamicDrawing&) = delete;
    DynamicDrawing& operator=(const DynamicDrawing&) = delete;

private:
    uint8_t saved_;
};

}  // namespace feedback
