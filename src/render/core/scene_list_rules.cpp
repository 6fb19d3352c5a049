#include "render/core/scene_list_rules.h"

#include <algorithm>
#include <initializer_list>

#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/view_layers.h"
#include "scene/plane_object.h"

namespace {

struct Range {
    int lo, hi;
};
bool InRanges(int value, std::initializer_list<Range> ranges) {
    return std::any_of(ranges.begin(), ranges.end(), [&](Range r) { return value >= r.lo && value <= r.hi; });
}

const Objex* RootOfBase(const PlaneObject* piece) {
    return piece->baseObject ? GetRootObject(piece->baseObject) : nullptr;
}
int16_t Object3DType(const PlaneObject* piece) { return piece->object3D ? piece->object3D->type : 0; }

// Electrical, plumbing and HVAC pieces by their 3D object's type or subtype.
bool HiddenService(const PlaneObject* piece, int32_t hide) {
    const Objex* o = piece->object3D;
    if (!o) return false;
    const int t = o->type, s = o->subtype;
    if ((hide & hideflag::kElectrical) &&
        (InRanges(t, {{68, 69}, {71, 72}, {79, 82}, {88, 88}, {146, 152}}) ||
         InRanges(s, {{55, 55}, {65, 67}, {70, 70}, {73, 78}, {83, 87}})))
        return true;
    if ((hide & hideflag::kPlumbing) &&
        (t == 98 || t == 110 || InRanges(s, {{90, 97}, {99, 99}, {109, 109}})))
        return true;
    return (hide & hideflag::kHVAC) && (InRanges(t, {{117, 123}}) || s == 124);
}

enum class Rule : uint8_t {
    RoofAttachmentPiece,  // under a skylight or roof cut-out, with the roofs
    GroupedObject,        // under a group of subtype 111, with the objects
    Roof,
    Object,
    DoorPiece,            // with the roofs under a skylight, else with the doors
    Cabinet,              // under a cabinet part, with the objects
    Service,
};
struct VisibilityRow {
    Range kinds;
    Rule rule;
};
constexpr VisibilityRow kVisibility[] = {
    {{1, 6}, Rule::RoofAttachmentPiece}, {{19, 19}, Rule::RoofAttachmentPiece},
    {{61, 61}, Rule::RoofAttachmentPiece}, {{10, 10}, Rule::GroupedObject},
    {{42, 42}, Rule::GroupedObject},       {{14, 14}, Rule::Roof},
    {{32, 35}, Rule::Roof},                {{41, 41}, Rule::Roof},
    {{57, 57}, Rule::Roof},                {{59, 59}, Rule::Roof},
    {{15, 15}, Rule::Object},              {{136, 136}, Rule::Object},
    {{20, 20}, Rule::DoorPiece},           {{128, 128}, Rule::DoorPiece},
    {{52, 52}, Rule::Cabinet},             {{111, 111}, Rule::Service},
};

bool Applies(Rule rule, const PlaneObject* piece, int32_t hide) {
    const bool roofs = hide & hideflag::kRoofs, objects = hide & hideflag::kObjects;
    switch (rule) {
    case Rule::RoofAttachmentPiece: {
        const int16_t t = Object3DType(piece);
        return roofs && (t == objtype::kSkylight || t == objtype::kRoofCutout);
    }
    case Rule::GroupedObject: {
        const Objex* root = RootOfBase(piece);
        return objects && root && root->type == objtype::kGroup && root->subtype == 111;
    }
    case Rule::Roof: return roofs;
    case Rule::Object: return objects;
    case Rule::DoorPiece:
        return Object3DType(piece) == objtype::kSkylight ? roofs : (hide & hideflag::kDoors) != 0;
    case Rule::Cabinet:
        return objects && piece->baseObject && piece->baseObject->type == objtype::kCabinetPart;
    case Rule::Service: return HiddenService(piece, hide);
    }
    return false;
}

}  // namespace

FaceDrawer FaceDrawerFor(const PlaneObject* piece) {
    const uint16_t kind = piece->pieceKind;
    if (kind >= 1 && kind <= 5) return FaceDrawer::Trim;
    if (kind == piecekind::kImported && HasInteriorWallMark(piece->baseObject)) return FaceDrawer::AutoGen;
    if (kind == piecekind::kFiller) return FaceDrawer::Filler;
    return FaceDrawer::Plane;
}

bool HiddenByRenderValue(const PlaneObject* piece, int32_t hideFlags) {
    for (const VisibilityRow& row : kVisibility)
        if (piece->pieceKind >= row.kinds.lo && piece->pieceKind <= row.kinds.hi)
            return Applies(row.rule, piece, hideFlags);
    return false;
}

bool IsFloorPassKind(uint16_t kind) {
    using namespace piecekind;
    for (uint16_t k : {kWallOutline, kCeiling, kFloorUnderside, kFloorHoleAbove, kDeck, kFloorHoleBelow,
                       kInsetOutline, kInset})
        if (kind == k) return true;
    return false;
}

bool DrawnInMainWalk(const PlaneObject* piece) {
    if (IsFloorPassKind(piece->pieceKind)) return false;
    if (piece->pieceKind != piecekind::kFloor) return true;
    const Objex* base = piece->baseObject;
    return base && (base->subtype == 170 || base->subtype == 177);
}

bool HasInteriorWallMark(const Objex* object) { return object && object->auxColor.red == 1; }

bool CastsNoShadow(const PlaneObject* piece) { return RootCastsNoShadow(RootOfBase(piece)); }

bool RootCastsNoShadow(const Objex* root) {
    if (!root) return false;
    if (objfield::no_shadow::kMark(*root) == 1) return true;
    const bool imported = root->type == objtype::kFentrix ||
                          (root->type == objtype::kGroup && root->firstChild &&
                           root->firstChild->type == objtype::kFentrix);
    return imported && objfield::fentrix::kShadowOff(*root) == 1;
}

std::array<Layer*, 3> FirstThreeFloors() {
    std::array<Layer*, 3> floors{};
    size_t n = 0;
    for (Layer* l = GetFirstFloorLayer(); l && n < floors.size(); l = l->next)
        if (!IsViewLayer(l)) floors[n++] = l;
    return floors;
}

bool FloorHoleDrawn(const PlaneObject* p, const Layer* floor, const DocState& ds, bool& eyeAbove) {
    using namespace piecekind;
    const uint16_t k = p->pieceKind;
    if ((k != kFloorHoleBelow && k != kInsetOutline && k != kFloorHoleAbove) || (p->baseObject && p->baseObject->layer != floor))
        return false;
    if (ds.cameraMode != 1)
        eyeAbove = true;
    else if (p->planes && p->planes->count > 0)
        eyeAbove = ds.eyeHeight > -p->planes->vertices[0].V;
    return k == kInsetOutline || (k == kFloorHoleAbove && eyeAbove) || (k == kFloorHoleBelow && !eyeAbove);
}

bool DrawnInFloorWalk(const PlaneObject* p, const Layer* floor) {
    using namespace piecekind;
    const uint16_t k = p->pieceKind;
    if (k != kFloor && k != kWallOutline && k != kCeiling && k != kFloorUnderside && k != kDeck) return false;
    // A kind-13 piece without a base object is never drawn.
    const Objex* base = p->baseObject;
    return !base ? k != kFloor : base->layer == floor && base->subtype != 170 && base->subtype != 177;
}
