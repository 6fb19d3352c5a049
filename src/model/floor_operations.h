#pragma once
// Small model operations of the floor, height, nudge and style commands: moving objects to
// the floor above or below, fitting them under their floor's wall height, raising them,
// nudging selected points for an arrow key, the line weight and fill pattern of detail
// objects, and the stored bounds of groups. Each needs a current document with its settings
// record and does nothing for a null argument.
#include <cstdint>

#include "model/command_ids.h"

struct Layer;
struct Objex;

namespace floorcmd {
inline constexpr int32_t kMoveUp = cmd::kMoveToUpperFloor;
inline constexpr int32_t kMoveDown = cmd::kMoveToLowerFloor;
inline constexpr int32_t kCopyUp = cmd::kCopyToUpperFloor;
inline constexpr int32_t kCopyDown = cmd::kCopyToLowerFloor;
}  // namespace floorcmd

// Raises the elevations of the object's root by the current floor's height (5168, 5170) or
// lowers them by the height of the floor below (5169, 5171); nothing without that floor. A
// wall moves its selected segments' base elevations and takes the lowest of them.
void SendToNeighboringFloor(Objex* object, int32_t command);
// SendToNeighboringFloor, then moves the object into the neighbouring layer, deselected. A
// wall moving up into "Second Floor" gets plan bits 2, down into "First Floor" plan bits 1,
// and is rebuilt with its attachments.
void MoveToNeighboringFloor(Objex* object, int32_t command);

// Caps every point's V at the top of the object's floor (in plan units) and fits a door's or
// window's opening 6.0 below it; children too.
void ScaleObjectToWallHeight(Objex* object);
void ScaleLayerToWallHeight(Layer* layer);
// Raises every point's V by delta; children too.
void RaiseObjectToBaseHeight(Objex* object, float delta);
void RaiseLayerToBaseHeight(Layer* layer, float delta);

// Arrow-key directions of NudgeObject.
namespace nudge {
inline constexpr int16_t kUp = 0;
inline constexpr int16_t kLeft = 1;
inline constexpr int16_t kDown = 2;
inline constexpr int16_t kRight = 3;
}  // namespace nudge

// Moves the selected points by the distance in the direction as the current view shows it;
// a roof carries its skylights (with their symbols) and dormer cut-outs. The caller updates
// bounds and rebuilds.
void NudgeObject(Objex* object, float distance, int16_t direction);

// Detail objects (29) of subtype 1-9 outside symbol-editor and section-detail groups take the
// document's current pen width.
void SetLineWeight(Objex* object);
// Closed detail objects of subtype 1, 2, 3, 4, 7, 8 or 9 outside those groups take the pattern.
void ChangePattern(Objex* object, int16_t pattern);

// UpdateObjectRootBounds(group, a, b) for each top-level group of a visible layer (only the
// selected ones with selectedOnly); the second form for the layer and every following one.
void UpdateLayerRootBounds(Layer* layer, uint8_t a, uint8_t b, uint8_t selectedOnly);
void UpdateAllLayerRootBounds(Layer* firstLayer, uint8_t a, uint8_t b, uint8_t selectedOnly);

// Kept for their callers; they change nothing.
void TextBlockLayerVisibility();
void SetTextObjectVisibility();
