#pragma once
// Questions about the selection. Selection is never a list: it is the `selected` flag of
// each point, and these queries turn the flags into answers about objects.
#include <cstdint>

struct Objex;

// Types always selected whole, also while tools work on points (detail shapes only at edit
// level 0).
bool IsWholeObjectType(const Objex* object);

// Whether the object is selected point by point under the tool (tool <= 0 or no object:
// the point-orientation mode).
bool ToolIsPointOriented(int16_t tool, const Objex* object);

// One of its own points is selected; otherwise a roof counts its children only while the
// mouse is tracked, walls and decks never, any other object when a child is selected.
bool IsObjectSelected(const Objex* object);
// One of its own points is selected (children ignored).
bool IsRootObjectSelected(const Objex* object);
bool IsRoofObjectSelected(const Objex* object);
// Every own point is selected (true without points).
bool IsEntireRoofObjectSelected(const Objex* object);
// Every own point selected and, except for walls and decks, every child entirely selected.
bool IsEntireObjectSelected(const Objex* object);

// Like IsObjectSelected for every type: an own selected point or a selected child. The
// object that answered is left in gIsAnyObjectSelectedObject (null when false).
bool IsAnyObjectSelected(Objex* object);
extern Objex* gIsAnyObjectSelectedObject;

// A point of the object or of any descendant is locked / not detectable.
bool IsObjectLocked(const Objex* object);
bool IsObjectUndetectable(const Objex* object);

// The first selected object of the current layer; false when there is none.
bool FindFirstSelectedObjectID(uint32_t* outID);
