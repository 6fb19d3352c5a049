#pragma once
// What the OK of the key-entry sheets does to the segment they were opened on. Lengths are
// plan units, angles radians as GetLineLengthAndAngle gives them (plan y grows downwards).
#include <cstdint>

struct Objex;
struct Poinz;

// The segment the key-entry sheet resizes: its object, its two points in the object's point
// order, the shown length at opening and the shown length minus the segment's own length
// (non-zero only for a wall measured by its dimension method), and the segment's direction.
struct KeyEntrySegment {
    Objex* object = nullptr;
    Poinz* start = nullptr;
    Poinz* end = nullptr;
    float lengthOffset = 0;
    float initialLength = 0;
    float angle = 0;
};

// Which end stays: 1 both ends move about the middle; 2 and 3 one end moves, chosen by the
// sign of the start point's key-entry mark.
namespace keyentry {
inline constexpr int16_t kBothEnds = 1, kSecond = 2, kThird = 3;
}

// Resizes the segment so that it shows `shown` (the typed length, plan units); with `linked`
// the points beyond each moving end (round the ends of a closed object) move along. Remembers
// the length, the tag and the link state for the next opening; rebuilds the object when it
// changed and stores "Resize Segment" either way. Nothing without a current document or a
// whole segment.
void ResizeSegmentToLength(const KeyEntrySegment& segment, float shown, int16_t tag, bool linked);
// After OK or Cancel: deselects every object of the shown floors, redraws, and ends the
// tracking's capture.
void FinishKeyEntry();

// The wall key-entry sheet: the end of a just-drawn wall segment moves to `typed` (plan units)
// along its direction unless the length is the same; the wall is rebuilt.
void SetWallSegmentLength(Objex* wall, Poinz* start, Poinz* end, float drawnLength, float angle, float typed);
// "Exterior Wall Tool" for a segment the tool 7051 drew, "Interior Wall Tool" otherwise:
// stored on OK and Cancel alike, the drawing having stored none. `drawingTool` is the tool
// that opened the sheet, not the one current at its end (a palette stays live under it).
void StoreWallToolStep(int16_t drawingTool);
