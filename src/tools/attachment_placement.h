#pragma once
// The drag that places a door, window, accessory or wall component along one wall segment.
// It runs as a tracker loop (tracker_loops.h) on drags, the release and keys; Tab steps the
// snap mode and the release ends it, then `done` runs with the result. While it runs the
// document's grid spacings are held at 1 and come back however the loop ends. Positions are
// plan (H, D), kept in FloatPoint as (floatH = H, floatV = D).
#include <cstdint>
#include <functional>

#include "model/types.h"
#include "port/winrecords.h"

struct Objex;
struct Poinz;

// How far an opening keeps from either end of its range, and the narrowest an end drag makes it.
inline constexpr float kPlacementKeepClear = 5.0f;
inline constexpr float kNarrowestOpening = 18.0f;

struct WallPlacement {
    Objex* wall = nullptr;
    Poinz* segStart = nullptr;
    Poinz* segEnd = nullptr;
    FloatPoint size; // width along the wall, height (a component's reach off the wall)
    float workingLength = 0;
    float rangeStart = 0;
    float rangeEnd = 0;
    POINT click;
    bool dragStart = false;
    bool dragEnd = false;
    int16_t ownerType = 0;     // door or window type, or the component's symbol
    Objex* existing = nullptr; // a placed attachment being moved, with its record
    // An attached dimension dragged by its measured end: the pointer sets its reach as well.
    bool dimensionByPointer = false;
    // A wall dimension's line starts at the centre, or at the wall's face when the moved one
    // measures to faces (its first point's dimension setting).
    bool fromCentre = true;
    // Results.
    FloatPoint start, end, centre, third;
    uint8_t side = 0;
};
// `moved` is 1 when the release point differs from the press point.
using PlacementDone = std::function<void(int16_t moved, WallPlacement& placement)>;

// Doors and windows: the pointer's distance from the segment start places the opening.
void TrackDoorPlacement(WallPlacement placement, PlacementDone done);
// Accessories and components: the pointer's foot on the segment places it and its side of
// the wall is the pointer's; the third point lies the height off the centre on that side.
void TrackAttachmentPlacement(WallPlacement placement, PlacementDone done);

// One step of each: the opening s..e along the segment, kept 5 clear of the range's ends;
// dragging one end moves only that end and keeps 18 between the ends.
void PositionDoor(const Poinz* segStart, const Poinz* segEnd, FloatPoint size, float workingLength,
                  float rangeStart, float rangeEnd, float pointerH, float pointerD,
                  FloatPoint* start, FloatPoint* end, bool dragEnd, bool dragStart);
// Also the segment angle and the centre; returns the side (1: at the segment angle + 90 degrees).
uint8_t PositionAttachment(const Poinz* segStart, const Poinz* segEnd, FloatPoint size,
                           float workingLength, float rangeStart, float rangeEnd, float mouseH,
                           float mouseD, FloatPoint* start, FloatPoint* end, bool dragEnd,
                           bool dragStart, float* outAngle, FloatPoint* outCentre);
// The rubber-band feedback of one step of a component, accessory or wall break.
void DrawAttachment(const WallPlacement& placement, float angle);
