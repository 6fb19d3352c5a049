#include "scene/scene_build.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/core/localization_seams.h"
#include "scene/wall_framing.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "model/rebuild_table.h"
#include "model/scoped_restore.h"
#include "model/texture_mapping.h"
#include "model/view_layers.h"
#include "render/core/display_list_seams.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/face_materials.h"
#include "scene/plane_object.h"
#include "scene/roof_masks.h"
#include "scene/surfaces.h"
#include "scene/terrain.h"
#include "scene/wall_faces.h"

namespace {

// Types an object is built under, and the piece kinds and subtypes the builder tells apart.
constexpr int16_t kExcavationFace = 135;
constexpr int16_t kMultiPartFloor = 170;
constexpr int32_t kMultiPartFloorShown = 171;
constexpr int32_t kFloorPartSubtype = 177;
constexpr int16_t kGridSurface = 173;  // a type-10 grid of this subtype is one piece
constexpr int32_t kWindowGlass = objtype::kWindow;  // glass of this subtype takes the window glass opacity
constexpr int32_t kOpaque = 255;
constexpr RGBColor kFramingGrey{0xC0C0, 0xC0C0, 0xC0C0};
constexpr int32_t kFlatLumber = 2203;
constexpr int16_t kUpperFace = 1;
constexpr int16_t kLowerFace = 0;

bool HasOwnGeometry(int type) {
    switch (type) {
    case 15: case 18: case 19: case 20: case 59: case 60: case 111: case 127: case 128: case 131:
    case 134: case 135: case 136: case 139: case 158: case 170: case 173: case 900:
        return true;
    default:
        return (type >= 8 && type <= 13) || (type >= 23 && type <= 28) || (type >= 32 && type <= 36) ||
               (type >= 38 && type <= 52);
    }
}

bool BuiltInFramingView(int type) {
    switch (type) {
    case objtype::kWall: case objtype::kFloor: case objtype::kRoof: case objtype::kStaircase:
    case objtype::kFloorCutout: case objtype::kDeck: case objtype::kFreehandRoof: case buildtype::kFloorCutout:
        return true;
    default:
        return false;
    }
}

// The gate of every build. `background`: background rendering lets it run while hidden.
bool PassGate(bool background) {
    if (!gGLPlaneObjects || gRenderOnShow) gForceRenderObjectNow = 0;
    if (!LiveViewControllerExists()) return false;
    if (!gForceRenderObjectNow) {
        if (!LiveViewIsVisible() && !(background && gEnableBackgroundRendering)) {
            gRenderOnShow = 1;
            return false;
        }
        gRenderOnShow = 0;
    }
    return true;
}

using dvx::Restore;

// How an object is built under another type.
enum BuildAs : unsigned {
    kTypeOnly = 0,
    kCappedFace = 1,     // a closed face with caps
    kWithoutOwner = 2,   // its own material, whatever owns it
    kStaysClosed = 4,    // left marked closed after
};

// One build of an object under another type: its type code, closed flag, face-builder flag
// and render-owner link come back however the build ends.
class BuildUnderType {
public:
    BuildUnderType(Objex* o, int16_t type, unsigned how)
        : o_(o), type_(o->type), closed_(o->closed), faceBuilder_(o->flagA), owner_(o->sourceObject),
          staysClosed_((how & kStaysClosed) != 0) {
        o->type = type;
        if (how & kCappedFace) o->closed = 1, o->flagA = 1;
        if (how & kWithoutOwner) o->sourceObject = nullptr;
    }
    ~BuildUnderType() {
        o_->type = type_;
        if (!staysClosed_) o_->closed = closed_;
        o_->flagA = faceBuilder_;
        o_->sourceObject = owner_;
    }
    BuildUnderType(const BuildUnderType&) = delete;
    BuildUnderType& operator=(const BuildUnderType&) = delete;

private:
    Objex* o_;
    int16_t type_;
    uint8_t closed_, faceBuilder_;
    Objex* owner_;
    bool staysClosed_;
};

void RenderObjectAs(Objex* object, int16_t type, unsigned how = kTypeOnly) {
    BuildUnderType as(object, type, how);
    RenderObject(object);
}

// Texture coordinates and running lengths as the face builders read them, for the builds in
// its scope only: the object's own mapping is put back when the scope ends, so showing the live
// view or a floor changes no object (what a step left is what a save writes).
class MappedForBuild {
public:
    explicit MappedForBuild(Objex* o)
        : o_(o), rect_(o->textureFaceRect), rect2_(o->textureFaceRect2), axis_(o->faceAxis) {
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            points_.push_back({p->textureU, p->textureV, p->rowLength, p->rowPerimeter});
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
    }
    ~MappedForBuild() {
        o_->textureFaceRect = rect_, o_->textureFaceRect2 = rect2_, o_->faceAxis = axis_;
        size_t i = 0;
        for (Poinz* p = o_->firstPoint; p && i < points_.size(); p = p->next, ++i)
            p->textureU = points_[i][0], p->textureV = points_[i][1], p->rowLength = points_[i][2],
            p->rowPerimeter = points_[i][3];
    }
    MappedForBuild(const MappedForBuild&) = delete;
    MappedForBuild& operator=(const MappedForBuild&) = delete;

private:
    Objex* o_;
    FloatRect rect_, rect2_;
    int16_t axis_;
    std::vector<std::array<float, 4>> points_;
};

// Builds a part as the object whose geometry is built now.
void RenderPart(Objex* part, Objex* actual) {
    gActual3DObject = actual;
    RenderObject(part);
}

void RenderMarkedPart(Objex* part, Objex* actual) {
    part->needsRebuild = 1;
    RenderPart(part, actual);
}

// The generated pieces a builder hung under the object: a roof built from walls keeps its
// panels in its type record.
Objex* PartsOf(Objex* object) {
    if (objtype::IsRoof(object->type) && object->typeData.kind == TypeDataKind::RoofPanels)
        return object->typeData.roofPanels;
    return object->firstPart;
}

AttachmentRecord* AttachmentOf(Objex* o) {
    return o && o->typeData.kind == TypeDataKind::Attachment ? o->typeData.attachment : nullptr;
}

float Thickness(const Objex* o) { return objfield::face::kThickness(*o); }

// --- the generic builder ---

// Piece kind and opacity by the object's type (outlines and grids share all but the grid surface).
void SetKindAndAlpha(PlaneObject* p, const Objex* o, bool grid) {
    p->pieceKind = static_cast<uint16_t>(o->type);
    SetPieceAlpha(p, o, grid);
    switch (o->type) {
    case buildtype::kCabinetUnderside:
        if (!grid) p->pieceKind = objtype::kCabinetPart;
        break;
    case kMultiPartFloor:
        if (!grid) p->pieceKind = static_cast<uint16_t>(kMultiPartFloor + (o->subtype == kMultiPartFloorShown));
        break;
    case objtype::kClosedSolid:
        if (grid && o->subtype == kGridSurface) p->pieceKind = kGridSurface;
        break;
    default:
        break;
    }
}

// A new piece of the object: its colours, and under a wall the base of the segment that
// carries the opening or fitting being built.
PlaneObject* NewPiece(const Objex* o, bool grid) {
    PlaneObject* p = CreatePlaneObject();
    if (!p) return nullptr;
    p->frontColor = o->fillColor;
    p->backColor = o->penColor;
    if (gBase2DObject && gBase2DObject->type == objtype::kWall && gActual3DObject) {
        const int16_t t = gActual3DObject->type;
        const AttachmentRecord* r = AttachmentOf(gActual3DObject);
        if ((t == objtype::kDoor || t == objtype::kWindow || t == objtype::kComponent || t == objtype::kAccessory) &&
            r && r->segmentStart)
            p->elevationOverride = r->segmentStart->baseElevation;
    }
    SetKindAndAlpha(p, o, grid);
    return p;
}

// Into the scene when it has planes, else freed; false when freed.
bool Finish(PlaneObject* p, Objex* owner) {
    if (!p->planes) {
        DeletePlaneObject(p);
        return false;
    }
    AppendPlaneObject(p, owner);
    return true;
}

// The flag word's grey bit, on types whose word holds no other quantity.
bool GreyInFraming(const Objex* o) {
    switch (o->type) {
    case objtype::kFloor: case objtype::kFloorCutout: case objtype::kDetail: case objtype::kDeck: case objtype::kWall:
        return false;
    default:
        return (objfield::flags::kWord(*o) & objfield::flags::kFramingGrey) != 0;
    }
}

void ColourOutline(PlaneObject* p, Objex* o, const DocState* ds) {
    if (!ds->framingView) {
        p->frontColor = o->fillColor;
        p->backColor = o->penColor;
        return;
    }
    if (!o->layer || GreyInFraming(o)) {
        p->frontColor = p->backColor = kFramingGrey;
        p->frontTexture = p->backTexture = 0;
        return;
    }
    facemat::Framing(p, ds, kFlatLumber);
    facemat::SetRepeats(p, o->bounds.floatRight - o->bounds.floatLeft, o->bounds.floatBottom - o->bounds.floatTop);
}

void BuildOutline(Objex* o, Objex* owner, const DocState* ds) {
    if (!o->firstPoint || !o->flagA) return;
    PlaneObject* p = NewPiece(o, false);
    if (!p) return;
    gCurPlaneObject = p;
    RenderPlanarSurface(o->firstPoint, o->pointCount, o->fillColor, 1, o);
    ColourOutline(p, o, ds);
    if (o->type == objtype::kPlant) {
        p->surfaceKind = o->subtype == objsubtype::kUserPlant ? kUserPlantSurface : kPlantSurface;
        float width = 0, height = 0;
        GetPlantBounds(o, &width, &height, 0);
        p->plantHalfWidth = width * 0.5f;
        p->plantHeight = height;
    }
    if (Finish(p, owner)) {
        if (p->pieceKind == objtype::kRoofPanel)
            CarveAllRoofAttachments(gBase2DObject, p->planes, o->subtype, kUpperFace);
        else if (p->pieceKind == objtype::kRoofPiece41)
            CarveAllRoofAttachments(gBase2DObject, p->planes, o->subtype, kLowerFace);
    }
    gCurPlaneObject = nullptr;
}

// A cap of a closed grid through one row's points: the bottom row faces front, the top back.
void BuildCap(Objex* o, Objex* owner, Poinz* first, int32_t count, bool top) {
    PlaneObject* building = gCurPlaneObject;  // a grid surface collecting its cells
    PlaneObject* cap = NewPiece(o, true);
    if (!cap) return;
    gCurPlaneObject = cap;
    RenderPlanarSurface(first, count, o->fillColor, top ? 0 : 1, o);
    if (o->type == objtype::kClosedSolid && o->subtype == objsubtype::kWallSolid) {
        cap->surfaceKind = kWallSolidCap;
        const Poinz* base = gBase2DObject ? gBase2DObject->firstPoint : nullptr;
        cap->elevationOverride = top && base ? objfield::wall_segment::kFirstHeight(*base) : 0.0f;
    }
    if (Finish(cap, owner) && cap->pieceKind == objtype::kPanelSlab)
        CarveAllRoofPanelAttachments(gBase2DObject, cap->planes, top ? kUpperFace : kLowerFace);
    gCurPlaneObject = building;
}

void BuildGrid(Objex* o, Objex* owner) {
    const int32_t rows = o->rows, columns = o->pointCount / rows;
    if (columns < 2) return;
    const size_t count = static_cast<size_t>(rows) * static_cast<size_t>(columns);
    std::vector<Poinz*> points;
    points.reserve(count);
    for (Poinz* p = o->firstPoint; p && points.size() < count; p = p->next) points.push_back(p);
    if (points.size() < count) return;  // fewer points than the count says
    auto at = [&](int32_t r, int32_t c) { return points[static_cast<size_t>(r) * columns + c]; };
    Objex* wall = o->sourceObject && o->sourceObject->type == objtype::kWall ? o->sourceObject : nullptr;
    const bool collect = o->type == objtype::kClosedSolid && o->subtype == kGridSurface;
    const bool capped = o->closed && o->flagA;
    PlaneObject* grid = nullptr;

    for (int32_t r = 0; r + 1 < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            const bool wrap = c + 1 == columns;
            if (wrap && !o->closed) break;
            const int32_t next = wrap ? 0 : c + 1;
            Poinz *p00 = at(r, c), *p10 = at(r + 1, c), *p01 = at(r, next), *p11 = at(r + 1, next);
            PlaneObject* p = collect && grid ? grid : NewPiece(o, true);
            if (!p) return;
            if (collect) grid = p;
            gCurPlaneObject = p;
            RenderBicubicSurface(p00, p10, p01, p11, 1, o);
            if (!gCurPlaneObject) {  // a curved cell: its strips went in on their own
                if (collect) grid = nullptr;
                continue;
            }
            if (wall && p->planes) CarveWindowsAndDoors(o, wall, p00, p10, p01, p11, c, p->planes);
            if (!collect) Finish(p, owner);
            gCurPlaneObject = collect ? grid : nullptr;
        }
        if (r == 0 && capped && owner->type != objtype::kEdging) BuildCap(o, owner, at(0, 0), columns, false);
    }
    if (grid) Finish(grid, owner);
    gCurPlaneObject = nullptr;
    if (capped) BuildCap(o, owner, at(rows - 1, 0), columns, true);
    gCurPlaneObject = nullptr;
}

// --- per type ---

void RenderWall(Objex* wall, const DocState* ds) {
    // The automatic floor: the outline closed as a face, an open wall's across its open side.
    if (wall->pointCount > 2 && wall->auxColor.red == 0) {
        RenderObjectAs(wall, buildtype::kWallOutline, kCappedFace | kWithoutOwner);
        if (!ds->framingView && wall->layer)
            RenderObjectAs(wall, buildtype::kWallOutlineLayer, kCappedFace | kWithoutOwner);
    }
    if (wall->typeData.kind == TypeDataKind::WallSolid && wall->typeData.wallSolid) {
        Restore<uint8_t> pending(wall->needsRebuild, 1);
        StartWallTops();
        RenderObject(wall->typeData.wallSolid);
        // Only the faces close a wall's sides; its top is closed here, outside the framing view.
        if (ds->framingView) StartWallTops();
        CloseWallTops(wall);
    }
    if (ds->framingView) {
        FrameWindowsAndDoors(wall);
        return;
    }
    for (Objex* child = wall->firstChild; child; child = child->next) {
        if (child->type == objtype::kComponent) {
            for (Objex* part = child->firstPart; part; part = part->next) RenderMarkedPart(part, child);
        } else if (AttachmentRecord* r = AttachmentOf(child)) {
            for (Objex* part = r->generatedParts; part; part = part->next) RenderMarkedPart(part, child);
        }
    }
}

void RenderEachPart(Objex* o) {
    for (Objex* part = PartsOf(o); part; part = part->next) RenderPart(part, part);
}

// Floors, cut-outs and cabinet parts: an underside first (not in the framing view for floors
// and cabinets), then the object, then its parts when it has a thickness.
void RenderSlab(Objex* o, int16_t underside, bool undersideInFraming, const DocState* ds) {
    if (undersideInFraming || !ds->framingView) RenderObjectAs(o, underside);
    RenderObject(o);
    if (Thickness(o) <= 0) return;
    const bool sharesElevation =
        o->type == objtype::kFloor && (o->subtype == kMultiPartFloor || o->subtype == kFloorPartSubtype);
    for (Objex* part = PartsOf(o); part; part = part->next) {
        if (!sharesElevation) {
            RenderPart(part, part);
            continue;
        }
        Restore<float> elevation(part->elevation, o->elevation);
        RenderPart(part, part);
    }
}

void RenderRoof(Objex* roof) {
    RenderEachPart(roof);
    for (Objex* child = roof->firstChild; child; child = child->next) {
        if (child->type != objtype::kSkylight || child->typeData.kind != TypeDataKind::RoofAttachment) continue;
        const RoofAttachmentRecord* r = child->typeData.roofAttachment;
        if (!r) continue;
        // The parts built where the skylight stands (its fillers, a custom one's frame and
        // lens), not those of its definition.
        for (Objex* part = r->customParts; part; part = part->next)
            if (part->type == objtype::kDoorHardware || part->type == objtype::kFrameGroup ||
                part->type == objtype::kWindowSeparator)
                RenderPart(part, child);
    }
}

// Each edging piece dropped first so that its first point lies on the ground.
void RenderEdging(Objex* o) {
    for (Objex* part = PartsOf(o); part; part = part->next) {
        if (o->onTerrain && part->firstPoint) {
            const Poinz* first = part->firstPoint;
            const float drop = first->position[1] - GetTopoElevationAtGridPt(first->position[0], first->position[2]);
            for (Poinz* p = part->firstPoint; p; p = p->next) p->position[1] -= drop;
        }
        RenderPart(part, part);
    }
}

void RenderDeck(Objex* deck, const DocState* ds) {
    for (Objex* part = PartsOf(deck); part; part = part->next)
        if (!(ds->framingView && part->type == objtype::kDeckPart)) RenderPart(part, part);
    RenderPart(deck, deck);
}

void RenderComponentParts(Objex* o) {
    for (Objex* part = o->firstPart; part; part = part->next) {
        part->needsRebuild = 1;
        RenderObject(part);
    }
}

void RenderFixedComponent(Objex* o) {
    if (!o->parent) return RenderComponentParts(o);
    Restore<uint8_t> pending(o->parent->needsRebuild, 1);
    RenderComponentParts(o);
}

void RenderExcavation(Objex* o) {
    if (o->pointCount <= 2) return;
    {
        MappedForBuild mapped(o);
        RenderObjectAs(o, kExcavationFace, kCappedFace | kStaysClosed);
    }
    Restore<uint8_t> pending(o->needsRebuild, 1);
    for (Objex* band = o->firstPart; band; band = band->next) RenderObject(band);
}

void Dispatch(Objex* o, const DocState* ds) {
    const int16_t type = o->type;
    if (objtype::IsFixedComponent(type)) return RenderFixedComponent(o);
    switch (type) {
    case objtype::kWall:
        return RenderWall(o, ds);
    case objtype::kFloor:
        return RenderSlab(o, buildtype::kFloorUnderside, false, ds);
    case objtype::kFloorCutout:
        return RenderSlab(o, buildtype::kFloorCutout, true, ds);
    case objtype::kCabinetPart:
        return RenderSlab(o, buildtype::kCabinetUnderside, false, ds);
    case objtype::kRoof:
    case objtype::kFreehandRoof:
        return RenderRoof(o);
    case objtype::kPath:
    case objtype::kFence:
    case objtype::kStaircase:
    case objtype::kRailing:
    case objtype::kPhoto:
        return RenderEachPart(o);
    case objtype::kEdging:
        return RenderEdging(o);
    case objtype::kDeck:
        return RenderDeck(o, ds);
    case objtype::kExcavation:
        return RenderExcavation(o);
    case kMultiPartFloor:
        if (o->subtype == kMultiPartFloorShown) RenderObject(o);
        return;
    default:
        return RenderObject(o);
    }
}

uint16_t ObjectAlpha(const Objex* o) {
    return static_cast<uint16_t>(std::clamp(objfield::translucent::kAlpha(*o), 0, kOpaque));
}

// An accessory's translucency, 0 (opaque) to 255, as the opacity of its plane.
uint16_t AccessoryAlpha(const Objex* accessory) {
    const float glass = objfield::accessory::kTranslucency(*accessory);
    if (!(glass > 0.0f)) return kOpaque;
    return static_cast<uint16_t>(std::clamp(static_cast<int32_t>(255.0f - std::min(glass, 255.0f)), 0, kOpaque));
}

}  // namespace

void SetPieceAlpha(PlaneObject* p, const Objex* o, bool grid) {
    if (!p || !o) return;
    switch (o->type) {
    case objtype::kFentrix:
        if (o->subtype == objtype::kSkylightPart) p->alpha = ObjectAlpha(o);
        break;
    case objtype::kSkylightPart:
        p->alpha = o->subtype == kWindowGlass ? gWindowGlassTransparency : ObjectAlpha(o);
        break;
    case objtype::kAccessoryPlane:
        if (grid && gBase2DObject && gBase2DObject->type == objtype::kWall && gActual3DObject &&
            gActual3DObject->type == objtype::kAccessory)
            p->alpha = AccessoryAlpha(gActual3DObject);
        break;
    default:
        break;
    }
}

namespace {

// An edit reached the object. What stands on the ground is placed by the edit, on every floor
// and whether or not the live view shows (a build places nothing, so showing the live view or
// a floor moves no point): inside a ground batch its top-level object waits for the batch's
// end (true: nothing is built now); else a group standing on the ground stands on it now, and
// the top-level object whose members moved is returned in `whole`, to be built whole.
bool HeldForGround(Objex* object, Objex** whole) {
    Objex* root = GetRootObject(object);
    if (!root || !root->layer) return false;
    if (rebuild::GroundHeld()) {
        if (!root->onTerrain && !(object->type == objtype::kGroup && object->onTerrain)) return false;
        HoldOnGround(root);
        return true;
    }
    if (StandGroupsOnGround(root) && root != object) *whole = root;
    return false;
}

void BuildSingleObject(Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    gRenderDirty = 1;
    gRefreshRender = 1;
    if (!PassGate(true) || !object) return;
    // A floor the live view does not show holds no pieces (a whole-plan command reaches it).
    Objex* root = GetRootObject(object);
    if (root && root->layer && !root->layer->visible) return;
    // Inside a ground batch what stands on the ground is built when the batch ends: the ground
    // and a group's members may still move.
    if (root && root->layer && (root->onTerrain || (object->type == objtype::kGroup && object->onTerrain)) &&
        rebuild::GroundHeld())
        return HoldOnGround(root);
    // A group builds nothing of its own.
    if (object->type == objtype::kGroup) return;
    // Pieces are built from scratch copies (of openings' outlines, trims, casings) that are
    // never looked up by number: the design's counters stay as they were, so a save after the
    // live view was shown or walked writes what the one before it wrote.
    KeepNumberCounters numbers(CurrentDocState());
    gBase2DObject = gActual3DObject = object;
    if (!ds->framingView || BuiltInFramingView(object->type)) Dispatch(object, ds);
    ResetSceneDisplayList();
    gBase2DObject = gActual3DObject = nullptr;
}

}  // namespace

void ReRenderObject(Objex* object) {
    Objex* whole = nullptr;
    if (object && HeldForGround(object, &whole)) return;
    if (!PassGate(false) || !object) return;
    if (whole) return BuildEntireObject(whole);
    DeleteRendererObject(object);
    BuildSingleObject(object);
    // A group builds nothing of its own: its members are placed by it and follow it.
    if (object->type != objtype::kGroup) return;
    for (Objex* member = object->firstChild; member; member = member->next) {
        DeleteRendererObject(member);
        BuildEntireObject(member);
    }
}

void RenderAllLayers() {
    gRefreshRender = 1;
    gForceRenderObjectNow = 0;
    if (!CurrentDocState() || !LiveViewControllerExists()) return;
    if (!LiveViewIsVisible()) {
        gRenderOnShow = 1;
        return;
    }
    gRenderOnShow = 0;
    ResetAnimatedLVStatus();
    DeleteAllRendererObjects();
    gPrevPlaneParentObject = nullptr;
    gPrevPlaneColor = {};
    InitializeAnimatedLVStatus();
    for (Layer* layer = GetFirstFloorLayer(); layer; layer = layer->next) RenderLayer(layer);
    NoteSceneGround();
    ResetAnimatedLVStatus();
}

void RenderLayer(Layer* layer) {
    if (!LiveViewControllerExists()) return;
    if (!LiveViewIsVisible()) {
        gRenderOnShow = 1;
        return;
    }
    gRenderOnShow = 0;
    if (!layer || !layer->visible || !layer->firstObject) return;
    SetLVStatusString(LocalizedString("Preparing LiveView").c_str());
    for (Objex* o = layer->firstObject; o; o = o->next) BuildEntireObject(o);
}

void RenderEntireObject(Objex* object) {
    Objex* whole = nullptr;
    if (object && HeldForGround(object, &whole)) return;
    BuildEntireObject(whole ? whole : object);
}

void BuildEntireObject(Objex* object) {
    if (!PassGate(true) || !object) return;
    DeleteRendererObject(object);
    BuildSingleObject(object);
    for (Objex* child = object->firstChild; child; child = child->next) {
        DeleteRendererObject(child);
        BuildEntireObject(child);
    }
}

void RenderSingleObject(Objex* object) {
    Objex* whole = nullptr;
    if (object && HeldForGround(object, &whole)) return;
    if (whole) return BuildEntireObject(whole);
    BuildSingleObject(object);
}

void RenderObject(Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds || !PassGate(true) || !object) return;
    gCurPlaneObject = nullptr;
    Objex* owner = object->sourceObject ? object->sourceObject : object;
    if (!gEnableBackgroundRendering) object->needsRebuild = 0;
    if (HasOwnGeometry(object->type)) {
        if (object->rows > 1)
            BuildGrid(object, owner);
        else
            BuildOutline(object, owner, ds);
    }
    for (Objex* child = object->firstChild; child; child = child->next) RenderObject(child);
}
