#pragma once
// The plan view's zoom limits and fitting the design to the window; the zoom arithmetic
// itself is the model's (model/zoom_units.h).
#include <cstdint>

#include "model/types.h"
#include "model/zoom_units.h"
#include "port/winrecords.h"

class Base2DViewHost;

struct DocState;
struct Poinz;

// The smallest zoom the lot allows: 0.01 for lots over 1500 feet down to 0.06 over 100 feet;
// 0.045 for a smaller lot. 0.01 without a settings record.
float GetMinZoom();
// Lowers the zoom so the plan extents stay within 32000 units: the whole-number limit
// 32000 / larger side, or that quotient itself when it is below 1 (so the zoom never becomes
// 0). 1 when the zoom changed; 0 for a null record or extents without size.
uint8_t PinMaxZoom(DocState* docState);
// Zooms and scrolls the main plan view so the whole design (the plan extents when it is
// empty) shows with a margin of 5, centred; keeps the zoom as the top view's and redraws.
void FitToWindow();
// Sizes the view to the paper, its origin at the paper's centre, and scrolls so (cx, cy) (view
// units) lies in the middle of what shows.
void FramePaperAround(Base2DViewHost& host, float cx, float cy);
// The same about the middle of the design at the current zoom: of everything drawn, as
// printed, or of the plan extents when nothing is.
void FramePaperAroundDesign(Base2DViewHost& host);
// Scrolls the main plan view, zoom unchanged, when neither the lot's outline nor any object
// would show in its window: the objects' bounds (an empty design's lot) come to the window's
// centre. With `mayZoomOut` (a new design, whose zoom nobody chose) an empty design whose lot
// is larger than the window is first zoomed out until the whole lot fits, so it never opens as
// a blank page. A design that shows keeps its place. True when it scrolled.
bool BringDesignIntoView(bool mayZoomOut);
