#pragma once
// Where and how large the plan goes on paper: the drawing's bounds, the scale that fits it
// on a page or prints it at the plan scale, the pages a scaled drawing covers, and the view
// state a print job changes and gives back. Lengths on paper are points, 72 to the inch.
#include <cstdint>
#include <vector>

#include "files/windows_records.h"
#include "model/types.h"

// Every floor (and the topography layer when its lines are shown), measured as printed. An
// empty design measures as its plan extents.
FloatRect PrintDrawingBounds();

// The drawing grown by 72 points on every side, fitted to the paper: the smaller of the two
// ratios. 1.0 without either rectangle.
float CalculatePaperScale(FloatRect* drawing, const FloatRect* paper);
// The scale that prints the drawing at the document's plan scale (36 over the scale's ratio);
// grows the drawing by 72 points on every side. 1.0, the drawing unchanged, without a
// document or a drawing.
float CalculateTileScale(FloatRect* drawing);

// A page's piece of a drawing `width` x `height` points cut into pages of `pageWidth` x
// `pageHeight`, left to right, then top to bottom.
struct PrintTile {
    float left = 0, top = 0;
};
std::vector<PrintTile> PrintTiles(float width, float height, float pageWidth, float pageHeight);

// The view state printing changes: the three zooms, the view origin, offsets, working
// elevation and projection, and the plan view's frame and scroll. Captured on construction,
// given back (and the plan view redrawn) by restore().
class SavedViewState {
public:
    SavedViewState();
    void restore() const;

    float zoomFactor = 1, topZoom = 1, otherZoom = 1;

private:
    bool hadDocument_ = false;
    Float3DPoint viewOrigin_;
    float workingElevation_ = 0;
    float offsets_[3] = {};
    float angles_[6] = {};
    uint8_t perspective_ = 0;
    float viewFactor_ = 1;
    bool hadPlanView_ = false;
    PlatformSize frame_;
    PlatformPoint boundsOrigin_;
    PlatformRect visible_;
};

// The print globals (printing flag, scales, translation) are set only while one lives.
class PrintGlobalsScope {
public:
    PrintGlobalsScope(float scale, float translateX, float translateY);
    ~PrintGlobalsScope();
    PrintGlobalsScope(const PrintGlobalsScope&) = delete;
    PrintGlobalsScope& operator=(const PrintGlobalsScope&) = delete;
};
