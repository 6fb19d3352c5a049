#pragma once
// Doors, windows and wall accessories in the plan: the gap cut through the wall with the
// door style's symbol (swing, sliding and pocket panels, bi-fold chevron, garage travel), a
// window's box across its wall, an accessory's box with a V on one face. Doors and windows
// take their colours from the settings record (so the red highlight does not reach them);
// accessories draw in the colour DrawObject set. The device-context argument is always null.
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

struct Objex;
struct TransformRecord;

// The opening, then the symbol of styles 502, 503, 510 and 511.
void DrawDoor(void* dc, Objex* door, const RECT* rect, int32_t flags, const TransformRecord* transform);
// Each needs a settings record, the attachment record, the parent wall and two points.
void DrawDoorOpening(void* dc, const Objex* door);
void DrawSlidingDoor(void* dc, const Objex* door);
void DrawGarageDoor(void* dc, const Objex* door);
void DrawPocketDoor(void* dc, const Objex* door);
void DrawBiFoldDoor(void* dc, const Objex* door);
// The swing of radius (radius - 3) about the hinge from `direction` (radians) to the leaf end,
// and the leaf; nothing for a whole-degree sweep within -2..2 or outside -179..180. Swing flag 4
// turns the other way round.
void DrawDoorArc(void* dc, int32_t hingeH, int32_t hingeD, int32_t leafH, int32_t leafD, float direction,
                 float radius, int16_t swingFlags, const RGBColor& color);

// The styles drawn with a swing: 501 hinged, 506 and 507 arched, 508 French, 509 nine-lite,
// 512 custom.
bool IsHingedDoorStyle(int16_t style);
// Whether the door's opening draws a swing arc and leaf for its record as stored.
bool DoorSwingShows(const Objex* door);

// Only in the plan view without perspective.
void DrawWindow(void* dc, const Objex* window);
void DrawAccessory(void* dc, const Objex* accessory);
// One plan line A-B (floatV read as the plan's D) in the current colour.
void DrawRecept(void* dc, const Objex* object, const FloatPoint* a, const FloatPoint* b);
