#pragma once
// The holes excavations and cut-out exterior walls make in the lot's ground, as plain plan
// geometry: which cut-outs may cut this surface, which ground patches they touch and the trim
// curves GLU takes in a patch's parameter square. Cut-outs are excavations (134) and exterior
// walls whose cut-out word is 1, on the floors from the first on, groups searched through
// their children. A cut-out whose `cutoutFlag` is 5 is left out of the surface being drawn;
// every surface clears the flags again (ResetIntersectingFlags). Outlines are the points'
// plan positions (H, D), closed.
#include <cstdint>
#include <functional>
#include <vector>

#include "model/types.h"

struct Layer;
struct Objex;

inline constexpr int16_t kCutoutUsable = 0;
inline constexpr int16_t kCutoutExcluded = 5;

// A ground patch in plan coordinates: x from xa to xb; its parameter w runs from the near
// edge at D = za (w 0) to the far edge at D = zb (w 1).
struct NurbPatch {
    float xa = 0, xb = 0;
    float za = 0, zb = 0;
};

bool IsTopoCutout(const Objex* object);
// Every cut-out of the floors from the first on, groups through their children, in order.
void ForEachTopoCutout(const std::function<void(Objex*)>& fn);

// Marks the cut-outs that cannot cut this surface: those whose outline crosses itself, those
// lying wholly inside another, and of two whose outlines cross the one with the smaller (or
// equal) bounding box.
void FindIntersectingTopoCutouts();
// The tests of one usable cut-out of `layer`: itself, then against the others.
void FindIntersectingTopoCutout(Objex* object, Layer* layer);
// The cut-out against every other one of `layer` and the floors after it.
void FindIntersectingTopoCutoutEx(Objex* object, Layer* layer);
// Every cut-out usable again.
void ResetIntersectingFlags();

// True when two edges of the closed outline (4 points or more) cross away from the corners
// they share.
bool DoesObjIntersectItself(const Objex* object);
// True when the segment crosses an edge of the object's closed outline.
bool DoesSegmentIntersectObject(float x1, float y1, float x2, float y2, const Objex* object);
// True when every point of `inner` lies inside the outline of `outer`.
bool IsObjectInsideObject(const Objex* inner, const Objex* outer);
// False when an edge crosses the closing edge (last point back to the first) anywhere but at
// the two edges' end points: GLU could not take the outline as one trim.
bool IsObjectPWLCompatible(const Objex* object);

// True when a usable cut-out touches the patch; `wholeInside` (may be null) is set when the
// patch lies wholly inside one, and such a patch is not drawn at all.
bool DoesNurbPatchTouchCutouts(const NurbPatch& patch, bool* wholeInside);
// The same over a list gathered once per surface (UsableTopoCutouts).
bool DoesNurbPatchTouchCutouts(const std::vector<Objex*>& cutouts, const NurbPatch& patch, bool* wholeInside);
// The cut-outs whose flag lets them cut, in walk order.
std::vector<Objex*> UsableTopoCutouts();
// One cut-out (groups: their children): its corners all inside (`wholeInside` set), a patch
// edge crossing its outline, or its outline lying inside the patch.
bool DoesNurbPatchTouchObjectCutout(const NurbPatch& patch, const Objex* object, bool* wholeInside);
bool IsWholeNurbInsideObject(const NurbPatch& patch, const Objex* object);
bool DoesNurbSegmentIntersectObject(float x1, float y1, float x2, float y2, const Objex* object);

// Plan extents that overlap or touch (top < bottom, left < right).
bool DoBoundsTouch(const FloatRect& a, const FloatRect& b);
bool DoSegmentsBoundsTouch(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
// The point within the extents of both segments, each widened by 2.
bool IsPointInSegmentsBounds(float x, float y, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                             float y4);

// The outline's plan extents from its points (its children's for a group).
FloatRect CutoutExtents(const Objex* object);

// The cut-out's outline as a closed piecewise-linear trim in the patch's parameter square
// (u, w pairs; n + 1 points), clockwise there so that GLU takes it as a hole. Empty for an
// outline of fewer than 3 points.
std::vector<float> PWLTrimCurve(const Objex* object, const NurbPatch& patch);
// The outer trim: counter-clockwise round the unit square and every hole given, with room.
std::vector<float> OuterTrimCurve(const std::vector<std::vector<float>>& holes);
// The usable, trimmable outlines (groups: their children) whose extents touch the patch.
std::vector<const Objex*> PatchTrimOutlines(const NurbPatch& patch);
std::vector<const Objex*> PatchTrimOutlines(const std::vector<Objex*>& cutouts, const NurbPatch& patch);
