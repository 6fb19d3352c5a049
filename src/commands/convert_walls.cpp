// Shapes made into walls, and walls switched between interior and exterior.
#include <new>
#include <string_view>

#include "model/convert_internal.h"
#include "model/attached_dimension_batch.h"
#include "model/bounds.h"
#include "commands/convert_type.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/rebuild_table.h"
#include "model/selection_roster.h"
#include "model/texture_mapping.h"
#include "scene/scene_build.h"
#include "plan/refresh_seams.h"
#include "tools/wall_joins.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"

using convert_detail::kWhite;

namespace {

constexpr int32_t kWallTexture = 1700;
constexpr int32_t kWallSecondTexture = 2213;
constexpr float kExteriorBaseOffset = 0.5f;
constexpr float kRetainingWallHeight = 36.0f;
constexpr float kSegmentPitch = 12.0f;
constexpr int16_t kFullScale = 100;
constexpr int32_t kFloorPlanBits = 2;
constexpr int32_t kFoundationPlanBits = 1;

}  // namespace

namespace {

void ApplyWallPointDefaults(Objex* wall, const DocState* ds, float height, bool interiorTrims, bool faceScales) {
    int16_t flipped = 0;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        p->texture1 = 0;
        p->texture2 = 0;
        p->color1 = ds->wallColor;
        p->color2 = ds->wallColor;
        DeleteTrimRecord(p->trim1);
        DeleteTrimRecord(p->trim2);
        p->trim1 = NewWallTrimRecord(interiorTrims);
        p->trim2 = NewWallTrimRecord(interiorTrims);
        p->wallStyle = 0;
        p->dimensionMethod = 0;
        p->dimensionFlipped = flipped;
        flipped = flipped ? 0 : 1;
        p->baseElevation = ds->currentElevation;
        p->segmentValues[0] = height;
        p->segmentValues[1] = kSegmentPitch;
        p->segmentValues[2] = kSegmentPitch;
        p->segmentValues[3] = height;
        p->segmentValues[4] = height;
        if (faceScales) {
            p->faceScale1 = ShortPoint{kFullScale, kFullScale};
            p->faceScale2 = ShortPoint{kFullScale, kFullScale};
        }
        p->selected = 1;
    }
    NoteSelectionUnknown();
}

Poinz* LastPoint(Objex* object) {
    Poinz* p = object->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// An open wall's ends are joined to the walls they touch, first end first; what comes back
// may be another wall that the converted one was merged into.
Objex* JoinWallEnds(Objex* wall) {
    if (wall->closed || wall->pointCount < 2) return wall;
    Objex* joined = ConnectWallPoint(wall, wall->firstPoint);
    if (joined && !joined->closed) joined = ConnectWallPoint(joined, LastPoint(joined));
    return joined;
}

void RebuildSwitchedWall(Objex* wall) {
    Update3DWall(wall);
    UpdateAllWallAttachments(wall);
    RenderSingleObject(wall);
    Refresh();
}

}  // namespace

void convert_detail::ConvertToWall(Objex* o, int32_t command, const DocState* ds, Layer* layer) {
    const bool exterior = command == convertcmd::kExteriorWall;
    const bool retaining = command == convertcmd::kRetainingWall;
    ConvertObjectCurvesToPolygons(o);
    o->flagA = 0;
    o->type = objtype::kWall;
    o->subtype = exterior ? objsubtype::kExteriorWall : 0;
    o->auxColor.red = exterior ? 0 : 1;
    o->penWidth = ds->wallThickness;
    o->fillColor = ds->wallColor;
    o->penColor = ds->doorColor;  // the wall pen colour of the wall tools
    if (retaining)
        o->planBits = ds->currentPlanBit;
    else if (exterior)
        o->planBits = layer->name == std::string_view("First Floor") ? kFoundationPlanBits : kFloorPlanBits;
    else
        o->planBits = kFloorPlanBits;
    o->texture = kWallTexture;
    o->texture2 = kWallSecondTexture;
    o->color2 = kWhite;
    if (retaining) {
        o->textureScales[4] = ShortPoint{kFullScale, kFullScale};  // slot 1
    } else {
        for (ShortPoint& s : o->textureScales) s = ShortPoint{kFullScale, kFullScale};
    }
    objfield::wall::kStudSpacing(*o) = ds->studSpacing;
    // The floor's height, as a read gives a wall without one (and as the wall tools set it).
    if (objfield::wall::kHeight(*o) < 0.5f)
        if (const Layer* floor = TreeFloor(o)) objfield::wall::kHeight(*o) = floor->height;
    objfield::wall::kBaseOffset(*o) = exterior ? kExteriorBaseOffset : 0.0f;
    if (exterior) objfield::wall::kQuickWallWidth(*o) = ds->foundationWidth;
    const float height = retaining ? kRetainingWallHeight : layer->height;
    ApplyWallPointDefaults(o, ds, height, command == convertcmd::kInteriorWall, !retaining);
    // Its curves became points: mapped and measured as a read of the wall does.
    MapFacesAndLengths(o);
    UpdateObjectBounds(o);
    Update3DWall(o);
    Objex* result = retaining ? o : JoinWallEnds(o);
    if (result) rebuild::ReRenderObject(result);
    // A wall made where none stood: a dimension across it stops at it, as a read would measure.
    MeasureFloorOfWalls(result ? result : o);
}

void ConvertWallToInterior(Objex* wall) {
    if (!wall || wall->type != objtype::kWall) return;
    SelectObj(wall, selmode::kDeselect, 0);
    if (wall->planBits == kFoundationPlanBits) wall->planBits = kFloorPlanBits;
    wall->subtype = 0;
    objfield::wall::kBaseOffset(*wall) = kExteriorBaseOffset;
    wall->auxColor.red = 1;
    RebuildSwitchedWall(wall);
}

void ConvertWallToExterior(Objex* wall) {
    if (!wall || wall->type != objtype::kWall) return;
    SelectObj(wall, selmode::kDeselect, 0);
    wall->subtype = objsubtype::kExteriorWall;
    objfield::wall::kBaseOffset(*wall) = kExteriorBaseOffset;
    wall->auxColor.red = 0;
    RebuildSwitchedWall(wall);
}
