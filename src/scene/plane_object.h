#pragma once
// The 3D scene: every plan object with a 3D form becomes plane objects (flat polygons sharing
// one material, colour pair and source object) in one list the live view draws, picks from
// and exports. A plane object owns its planes and its mask and trim lists; its model links
// are borrowed and live only as long as the model object does (`DeleteObj` removes an
// object's pieces first).
//
// Scene coordinates are plan units: x and z the plan position, y the negated height (10 units
// up is y = -10).
#include <cstdint>

#include "model/planar_polygons.h"
#include "model/types.h"

struct Objex;
struct Poinz;
struct TrimRecord;
class QMDDocumentModel;

// One corner of a plane: H, V, D are x, y, z; `flag` is the wireframe tag of the edge that
// leaves the corner (after tessellation 0 drawn, anything else hidden; generators write
// kHiddenEdge). The same record the planar polygon builders fill, freed with
// DeletePlanarPolygon.
using PlaneVertex = PolygonVertex;
inline constexpr uint16_t kHiddenEdge = 10000;

// One flat polygon; owns its vertex array.
struct Plane {
    Plane* prev = nullptr;
    PlaneVertex* vertices = nullptr;
    uint32_t count = 0;
    float nx = 0, ny = 0, nz = 0;
    Plane* next = nullptr;
};

// Surface kinds: how a piece's geometry was made.
inline constexpr uint16_t kShapedWallFace = 3;
inline constexpr uint16_t kPlanarSurface = 6;
inline constexpr uint16_t kMeshStrip = 7;
inline constexpr uint16_t kPlantSurface = 8;
inline constexpr uint16_t kUserPlantSurface = 9;   // a plant of subtype 153
inline constexpr uint16_t kFramingMember = 37;
inline constexpr uint16_t kWallSolidCap = 126;
inline constexpr uint16_t kPhotoSurface = 131;

struct PlaneObject {
    PlaneObject* prev = nullptr;
    uint16_t renderClass = 0;        // 1 or 2 once appended
    uint16_t surfaceKind = 0;
    uint16_t pieceKind = 0;          // the type built from, or an override (61 opening mask, ...)
    Plane* planes = nullptr;         // owned
    RGBColor frontColor;             // all 0xFFFF: no colour, the texture shows
    RGBColor backColor;
    int32_t frontTexture = 0;
    uint16_t frontTextureSize[2] = {100, 100};  // per cent
    int16_t* frontScaleField = nullptr;         // the model's two per-cent values, or null
    float frontRepeat[2] = {1.0f, 1.0f};
    int32_t* frontTextureField = nullptr;
    RGBColor* frontColorField = nullptr;
    int32_t backTexture = 0;
    uint16_t backTextureSize[2] = {100, 100};
    int16_t* backScaleField = nullptr;
    float backRepeat[2] = {1.0f, 1.0f};
    int32_t* backTextureField = nullptr;
    RGBColor* backColorField = nullptr;
    Objex* sourceObject = nullptr;   // the owner for picking and materials
    Objex* baseObject = nullptr;     // the top plan object whose build made it: the deletion key
    Objex* object3D = nullptr;       // whose geometry it is (the object or one of its parts)
    uint16_t object3DType = 0;
    float plantHalfWidth = 1.0f;
    float plantHeight = 1.0f;
    PlaneObject* masks = nullptr;    // opening masks, owned
    PlaneObject* trims = nullptr;    // trims drawn after the face, owned
    float elevationOverride = 0;     // base elevation of the carrying wall segment, world units
    TrimRecord** trimRecordField = nullptr;  // wall faces: the segment point's trim record of this side
    uint16_t alpha = 255;
    Poinz* segmentStart = nullptr;   // wall faces: the segment's start point
    PlaneObject* next = nullptr;
};

// The scene, in append order, and the terrain's own pieces (filled by the renderer); both
// are emptied together.
extern PlaneObject* gGLPlaneObjects;
extern PlaneObject* gGLTopoTrimPlaneObjects;
// The piece being built: builders create it when null and reset it once appended or deleted.
extern PlaneObject* gCurPlaneObject;
// The top plan object being built, and the object whose geometry is built right now.
extern Objex* gBase2DObject;
extern Objex* gActual3DObject;
// Set by every append; the renderer clears it after a full draw.
extern uint8_t gDisableRenderInterrupt;

// --- records ---

// Texture sizes 100/100, repeats, plant sizes 1.0 and alpha 255, the rest zero; null when
// memory runs out.
PlaneObject* CreatePlaneObject();
// A plane holding the vertex array, which it owns from now on (freed here when the plane
// cannot be made); null for a null array. A normal whose largest component m reaches 1.0 is
// stored times 0.99 / m, so no stored component reaches 1.0.
Plane* CreatePlane(PlaneVertex* vertices, uint32_t count, float nx, float ny, float nz);
// The same, linked at the tail of the piece's planes. The array is owned either way (freed
// without a piece).
void AppendPlane(PlaneVertex* vertices, uint32_t count, float nx, float ny, float nz, PlaneObject* planeObject);
// The same, its normal the plane through the first three vertices (none for fewer than three).
void AppendPlaneThroughFirstThree(PlaneVertex* vertices, uint32_t count, PlaneObject* planeObject);
void DeletePlane(Plane* plane);
// The plane and every one after it.
void DeletePlaneList(Plane* first);
// Frees the piece with its planes, masks and trims, and sets gRenderDirty; does not unlink it.
void DeletePlaneObject(PlaneObject* planeObject);
// Links the piece at the tail of a list.
void AppendPlaneObjectToList(PlaneObject*& head, PlaneObject* planeObject);
// Frees every piece of a list and empties it.
void DeletePlaneObjectList(PlaneObject*& head);
// The copies of cut-out pieces real-time navigation once kept are drawn by nothing: starting
// navigation only empties the list.
void SetupTopoTrimObjectList();

// --- entering the scene ---

// Records its source (`owner`), base and 3D object, places it on its elevation, classes it by
// the owner's type, tessellates it (not plants, photos and roofs) and links it at the tail of
// the scene. Nothing without a document, either argument or a plane (the caller deletes it).
void AppendPlaneObject(PlaneObject* planeObject, Objex* owner);
// An opening mask: placed, class 2, at the tail of the parent's masks.
void AppendPlaneObjectChild(PlaneObject* mask, PlaneObject* parent);
// A trim: placed, class 2, owned by gBase2DObject, at the tail of the parent's trims.
void AppendPlaneObjectAttachment(PlaneObject* trim, PlaneObject* parent);

// --- leaving it ---

// Unlinks and frees every scene piece whose base object is `object`, after asking the
// renderer to drop its display list; nothing on an empty scene.
void DeleteRendererObject(Objex* object);
// Empties the scene and the terrain's pieces.
void DeleteAllRendererObjects();
// Whether the scene's pieces were built from the document's objects (an empty scene was not).
bool SceneBuiltFrom(const QMDDocumentModel* doc);
// Empties both lists when the scene was built from the document's objects, so the document
// can free them wholesale without a scene walk per object; another document's scene stays.
void DeleteDocumentRendererObjects(const QMDDocumentModel* doc);
