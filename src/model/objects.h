#pragma once
// The records of a design: layers (floors and view layers), their objects and the objects'
// points, with the operations that create, link, unlink, look up and group them. All lists
// are doubly linked, `prev` first and `next` last; the owner holds the head. Records are
// allocated zero-filled and work on the current document `gCurDocument`.
//
// Units: H and D are plan units (72 to a paper inch at the drawing scale); V, `elevation`,
// `baseElevation` and a layer's `height` are inches.
#include <cstdint>
#include <memory>

#include "model/object_types.h"
#include "model/type_data.h"
#include "model/types.h"

struct PlantInfo;
struct Objex;
struct Poinz;
struct PlanIndex;

// Frees a layer's plan index (model/plan_index.cpp).
struct PlanIndexDeleter {
    void operator()(PlanIndex* index) const;
};

inline constexpr int kLayerNameSize = 256;

struct Layer {
    Layer* prev = nullptr;
    char name[kLayerNameSize] = {};
    uint8_t visible = 0;
    uint8_t active = 0;          // editable; hit tests and the current floor need visible too
    Objex* firstObject = nullptr;
    float height = 0;            // floor-to-floor, inches (96 on creation)
    Layer* next = nullptr;
    // The list's last object as the last append or unlink left it: a hint that appends check
    // before they trust it, so an append stays constant-time without every list edit keeping it.
    Objex* lastObject = nullptr;
    // The plan boxes of the list's objects, built on the first search and then kept by every
    // link, unlink and bounds update (model/plan_index.h). Never stored.
    std::unique_ptr<PlanIndex, PlanIndexDeleter> planIndex;
    // The selection roster holds every object of this list that has a selected point while
    // this is the roster's current epoch (model/selection_roster.h). Never stored.
    uint32_t rosterEpoch = 0;
};

struct Objex {
    Objex* prev = nullptr;
    int16_t type = 0;
    uint8_t closed = 0;
    uint8_t visible = 0;
    RGBColor fillColor;
    RGBColor auxColor;           // walls: red 1 marks interior and retaining walls
    RGBColor penColor;
    float penWidth = 0;          // walls: the thickness
    int16_t penStyle = 0;
    int16_t fillPattern = 0;
    FloatRect bounds;
    Float3DRect bounds3D;
    Poinz* firstPoint = nullptr;
    Objex* firstChild = nullptr;
    Objex* parent = nullptr;
    Objex* firstPart = nullptr;  // generated 3D pieces, owned
    Layer* layer = nullptr;
    TypeData typeData;           // owned
    int16_t rows = 0;
    int32_t pointCount = 0;
    // Scratch of the lot drawing: 5 leaves this cut-out out of the surface being drawn, 0 lets
    // it cut. Never stored; every surface clears it again.
    int16_t cutoutFlag = 0;
    uint8_t flagA = 0;
    int16_t elevationMode = 0;
    int32_t texture = 0;
    FloatRect textureFaceRect;
    FloatRect textureFaceRect2;
    int16_t faceAxis = 0;
    uint8_t needsRebuild = 0;
    float plantAge = 0;
    // Generated pieces: the plan object built from (not owned). A photo keeps its image path
    // in `typeData` (ImagePath), so releasing its image never loses the path.
    Objex* sourceObject = nullptr;
    void* linkB = nullptr;          // kept empty
    int32_t groupKind = 0;          // groups: 123 symbol editor, 117 section detail
    PlantInfo* plantInfo = nullptr; // owned
    int32_t subtype = 0;
    int32_t texture2 = 0;
    int32_t texture3 = 0;
    RGBColor color2;
    RGBColor color3;
    float elevation = 0;
    uint8_t onTerrain = 0;
    int32_t texture4 = 0;
    RGBColor color4;
    int32_t texture5 = 0;
    RGBColor color5;
    ShortPoint textureScales[5];    // slots 2, 3, 4, 5 and 1, in that order
    int32_t planBits = 0;
    float params[5] = {};
    int32_t optionA = 0;
    int32_t optionB = 0;            // text objects keep their font in the text record instead
    char* text = nullptr;           // owned
    PlatformObject* platformObject = nullptr;  // owned
    uint32_t objectID = 0;
    // Roof sections (32, 59): the plane a, b, c, d and offset e of the surface (memory only;
    // generated pieces are never stored). Read through objfield::roof_section.
    float sectionPlane[5] = {};
    Objex* next = nullptr;
};

struct Poinz {
    Poinz* prev = nullptr;
    int16_t kind = 0;
    uint8_t selected = 0;
    uint8_t detectable = 0;
    uint8_t locked = 0;
    float inTangent[3] = {};     // H, V, D relative to the point
    float position[3] = {};      // H, V, D
    float outTangent[3] = {};
    float acrossTangent[3] = {};
    Objex* owner = nullptr;
    int32_t texture1 = 0;
    int32_t texture2 = 0;
    float textureU = 0;
    float textureV = 0;
    float rowLength = 0;
    float rowPerimeter = 0;
    RGBColor color1;
    RGBColor color2;
    float baseElevation = 0;
    int32_t wallStyle = 0;
    int16_t dimensionMethod = 0;
    int16_t dimensionFlipped = 0;
    int32_t segmentFlags = 0;
    // Wall points own a trim record per side; other types carry a plain value instead.
    TrimRecord* trim1 = nullptr;
    TrimRecord* trim2 = nullptr;
    int32_t trimValue1 = 0;
    int32_t trimValue2 = 0;
    float segmentValues[5] = {};
    int32_t valueQ = 0;
    int16_t valueR = 0;
    ShortPoint faceScale1;
    ShortPoint faceScale2;
    uint32_t pointID = 0;
    Poinz* next = nullptr;
};

// --- creation and linking ---

// A new unlinked object with the creation defaults; takes the next object ID. Without a
// current document or settings record it comes back zero-filled and unnumbered (holding only
// the given type-specific record).
Objex* CreateObject(int16_t type, uint8_t closed, uint8_t visible, const RGBColor* fillColor,
                    const RGBColor* penColor, float penWidth, int16_t penStyle, int16_t fillPattern,
                    const FloatRect* bounds, Poinz* firstPoint, Objex* firstChild, Objex* parent,
                    Layer* layer, TypeData typeData);
// A new unlinked point; takes the next point ID. Null (and no ID taken) without a current
// document or settings record.
Poinz* CreatePoint(int16_t kind, uint8_t selected, uint8_t locked,
                   float inH, float inV, float inD, float h, float v, float d,
                   float outH, float outV, float outD, float acrossH, float acrossV, float acrossD,
                   Objex* owner);
// Names longer than 255 bytes are cut to 255.
Layer* CreateLayer(const char* name, uint8_t visible, uint8_t active, Objex* firstObject);

// The floor link of a tree is kept by the linking below, never by their callers: every piece
// of a tree (children, generated parts, its points' trim profiles, the objects its attachment
// or roof attachment record holds, a wall's solid, a roof's panels) names its root's layer or
// none. A root joining a layer takes its whole tree there; an object joining a tree takes the
// tree's floor with everything under it. Pieces hung on none (parts a read clears) stay on
// none, and a tree whose root stands on none keeps its names until the root is placed; a
// group's members name its floor.
//
// The floor an object's tree stands on: its root's layer, else the current floor (a tree not
// placed yet). Pieces built for an object are made on it.
Layer* TreeFloor(const Objex* object);
// The one walk over an object's tree: the object takes `layer`, and so does every piece under
// it that names a layer; with `everyPiece`, the pieces on none too. Lists and plan indexes are
// the caller's.
void SetTreeFloor(Objex* object, Layer* layer, bool everyPiece = false);

// Constant time while the layer's remembered last object still ends its list.
void AppendObjectToLayer(Objex* object, Layer* layer);
void AppendChildToObject(Objex* child, Objex* parent);  // tail of the child list, parent set
// The same, after `tail` when it is the child list's last object (constant time in a loop
// that keeps it), else after the list's end. Gives the child, the list's new tail.
Objex* AppendChildAfter(Objex* child, Objex* parent, Objex* tail);
// Links the object into its parent's child list right after `sibling` (first when null).
void InsertChildAfter(Objex* child, Objex* parent, Objex* sibling);
void AppendPointToObject(Poinz* point, Objex* object);
// The same, after `tail` when it is the object's last point (constant time in a loop that
// keeps it, as a reader's), else after the list's end. Gives the point, the list's new tail.
Poinz* AppendPointAfter(Poinz* point, Objex* object, Poinz* tail);
// Tail of a list that is no layer's or child list (a record's part list, held by `owner`,
// whose tree's floor the object takes; null for a list no object holds yet); only the sibling
// links change. Constant time while one list is appended to one object after another (a
// reader's or a rebuild's loop), whatever its length: the last append is remembered until its
// object or the list's head is unlinked.
void AppendObjectToList(Objex*& head, Objex* object, const Objex* owner);
// The same for the owner's generated parts (`firstPart`).
void AppendPartToObject(Objex* owner, Objex* piece);
// The number of the owner's generated parts; constant time in the same loop.
int32_t PartCount(Objex* owner);
void InsertPointInObject(Poinz* point, Objex* object, Poinz* after);
void InsertPointInObjectAndUpdatePointInfo(Poinz* point, Objex* object, Poinz* after);
void AppendLayerToDocument(Layer* layer);
// Links an unlinked object into the layer's list right after `after` (first when null).
void InsertObjectInLayer(Objex* object, Layer* layer, Objex* after);

// --- unlinking ---

// Only a root (no parent) is taken from its layer's list and plan index; a piece's layer is
// never read here, so one left naming a freed layer cannot be read through.
Objex* UnlinkObject(Objex* object);
void UnlinkLayer(Layer* layer);
bool DeleteEntireWallObject(Objex* object);

// --- lookups ---

Layer* GetLayerFromName(const char* name);
float GetLayerAbsBaseHeight(Layer* layer);
Objex* GetObjectFromObjectID(uint32_t id);
Objex* GetObjectFromPointID(uint32_t id);
Poinz* GetPointFromPointID(uint32_t id);
Objex* FindObjectWithID(uint32_t id);
Objex* GetRootObject(Objex* object);

// --- groups ---

// The group being built by GroupObject.
extern Objex* gGroupLeader;
void GroupObject(Objex* object);
bool IsObjectGrouped(Objex* object);

// --- predicates ---

bool IsObjectSymbolEditorObject(Objex* object);
bool IsObjectSectionDetailObject(Objex* object);
bool CanObjectTypeBeSelected(int16_t type);
bool StillDown();
void Point2Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RECT* rect);
