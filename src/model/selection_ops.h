#pragma once
// Changing the selection: a mode applied to one point, to an object (whole or point by point,
// by ToolIsPointOriented), to its tree, to a layer or to every layer. Selection is only the
// points' flags; nothing here keeps a list.
//
// Modes: 1 select (detectable points only), 2 deselect, 3 toggle, 4 make detectable, 5 hide a
// selected point, 7 lock a selected point, 8 unlock it. Other values of 3 or below act as 1;
// 6 and values above 8 do nothing.
//
// Redraw: with the redraw flag, doors, windows, roof panels, deck steps and staircases whose
// selected state changed through a point-wise operation get their selection line redrawn.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

namespace selmode {
inline constexpr int8_t kSelect = 1;
inline constexpr int8_t kDeselect = 2;
inline constexpr int8_t kToggle = 3;
inline constexpr int8_t kDetectable = 4;
inline constexpr int8_t kHide = 5;
inline constexpr int8_t kLock = 7;
inline constexpr int8_t kUnlock = 8;
}  // namespace selmode

// --- one point ---

// Applies the mode to the point; first erases a shown wall segment dimension (also for a
// null point). The flag has no lasting effect.
void SelectPoint(Poinz* point, int8_t mode, uint8_t flag);
// Modes 4, 5, 7 and 8 on one point; other modes do nothing.
void SpecialSelectPoint(Poinz* point, int8_t mode, uint8_t flag);

// --- flags through an object tree (depth first, list order) ---

void SetObjectSelectFlags(Objex* object, uint8_t value);
// Every detectable point of the tree selected, whatever part of it was selected before.
void SelectObjectWhole(Objex* object);
void SetObjectDetectionFlags(Objex* object, uint8_t value);
void SetObjectLockFlags(Objex* object, uint8_t value);

// --- whole objects ---

// Modes below 4 set the whole tree to the wanted state (refusing to select an undetectable
// object); true when something changed. Modes 4 and above: SpecialSelectObject.
bool DoSelectObject(Objex* object, int8_t mode);
// Make detectable (4), hide (5), lock (7) or unlock (8) a whole object; true when done.
bool SpecialSelectObject(Objex* object, int8_t mode);
// Whole-object selection, or point-wise (DoSelectObjectPoints) when the tool works on this
// object's points or the object is a line.
bool SelectObj(Objex* object, int8_t mode, uint8_t redraw);

// --- point-wise ---

// What a click found: the point, or the segment p1 -> p2, of the object.
void SelectObjectPoint(Poinz* point, Objex* object, int8_t mode, uint8_t redraw);
void SelectObjectSpline(Poinz* p1, Poinz* p2, Objex* object, int8_t mode, uint8_t redraw);
// Every point of the object and of its children. Selecting a roof's points leaves its
// attachments; deselecting it deselects them.
void DoSelectObjectPoints(Objex* object, int8_t mode, uint8_t redraw);

// --- layers ---

// SelectObj on every object of a visible, active layer.
void SelectLayer(Layer* layer, int8_t mode, uint8_t redraw);
// SelectLayer on every layer from firstLayer on; then the inspector shows the new selection
// (not under the skylight tool).
void SelectAllLayers(Layer* firstLayer, int8_t mode, uint8_t redraw);

// --- only what shows on the plans in force ---

void SelectVisualObj(Objex* object, int8_t mode, uint8_t redraw, int32_t planMask);
void DoSelectVisualObjectPoints(Objex* object, int8_t mode, uint8_t redraw, int32_t planMask);
void SelectVisualLayer(Layer* layer, int8_t mode, uint8_t redraw);
void SelectVisualAllLayers(Layer* firstLayer, int8_t mode, uint8_t redraw);

// --- attachments and roofs ---

// Deselects the doors, windows and other attachments of every wall, roof and deck of the
// current layer.
void DeselectAllAttachmentObjects();
// Selects whole every selected attachment of the roof (roof panels excluded).
void SelectEntireRoofAttachments(Objex* roof);
// Selects the roof's own points and its roof panels.
void Select3DRoofPanelObj(Objex* roof);
// A child other than a roof panel has a selected point.
bool IsAnyRoofAttachmentSelected(const Objex* roof);
