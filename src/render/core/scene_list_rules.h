#pragma once
// What the scene list's walks decide before anything is drawn, shared by the full-quality and
// the real-time walks: which pieces the live view's hide flags leave out, which pieces the
// floor passes draw instead of the main walk, and which face drawer a piece goes to.
#include <array>
#include <cstdint>

struct DocState;
struct Layer;

struct Objex;
struct PlaneObject;

// Piece kinds the walks treat apart.
namespace piecekind {
inline constexpr uint16_t kFloor = 13;          // main walk only under a base of subtype 170 or 177
inline constexpr uint16_t kImported = 15;       // interior-wall pieces take the generated-coordinate drawer
inline constexpr uint16_t kWallOutline = 36;
inline constexpr uint16_t kFloorHoleAbove = 48; // a hole seen only from above
inline constexpr uint16_t kFloorUnderside = 47;
inline constexpr uint16_t kCeiling = 46;
inline constexpr uint16_t kDeck = 51;
inline constexpr uint16_t kOpeningMask = 61;
inline constexpr uint16_t kFloorHoleBelow = 127; // a hole seen only from below
inline constexpr uint16_t kInsetOutline = 171;   // always a hole; its inset shows inside it
inline constexpr uint16_t kInset = 173;
inline constexpr uint16_t kFiller = 900;         // drawn only while picking
}  // namespace piecekind

// The drawer a face or trim goes to.
enum class FaceDrawer : uint8_t {
    Plane,    // RenderGLPlaneObject
    Trim,     // RenderGLTrimPlaneObject
    AutoGen,  // RenderGLAutoGenPlaneObject
    Filler,   // RenderGLPlaneObject, and only while picking
};
FaceDrawer FaceDrawerFor(const PlaneObject* piece);

// Whether the hide flags (`renderValue`, hideflag::) leave the piece out.
bool HiddenByRenderValue(const PlaneObject* piece, int32_t hideFlags);

// Piece kinds the floor passes draw (holes, insets, floors and wall outlines).
bool IsFloorPassKind(uint16_t pieceKind);
// Whether the main walk draws the piece: no floor-pass kind, and a kind-13 piece only with a
// base object of subtype 170 or 177 (one without a base object is never drawn).
bool DrawnInMainWalk(const PlaneObject* piece);

// The interior-wall mark of an object (a wall's auxColor red word, 1).
bool HasInteriorWallMark(const Objex* object);
// Whether the root of the piece's base object casts no shadow: its no-shadow mark, or an
// imported object's (or its group's) shadow switch.
bool CastsNoShadow(const PlaneObject* piece);
// The same test on a root object.
bool RootCastsNoShadow(const Objex* root);

// The floors the floor passes walk: the first three by their place in the layer list,
// whatever they are named (null where there are fewer).
std::array<Layer*, 3> FirstThreeFloors();
// The hole walk of a floor pass: whether `piece` is a hole of `floor` that is drawn into the
// stencil. Kind 171 always is, kind 48 only seen from above, kind 127 only from below;
// `eyeAbove` (false before the first floor) carries from hole to hole and floor to floor.
bool FloorHoleDrawn(const PlaneObject* piece, const Layer* floor, const DocState& ds, bool& eyeAbove);
// The floor walk of a floor pass: floors, wall outlines, ceilings, undersides and decks of
// `floor` (or of no object, except kind 13), drawn around the holes.
bool DrawnInFloorWalk(const PlaneObject* piece, const Layer* floor);
