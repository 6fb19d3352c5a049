#include "tools/wall_components.h"

#include <algorithm>

#include "app/core/localization_seams.h"
#include "geometry/openings/attachment_frames.h"
#include "model/point_edits.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_defaults.h"
#include "tools/attachment_layout.h"
#include "tools/attachment_placement.h"
#include "tools/light_defaults.h"
#include "tools/wall_attachments.h"
#include "model/click_info.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int16_t kWallDimensionSymbol = 138;
constexpr int16_t kWallBreakSymbol = 303;
constexpr int16_t kFloodLightSymbol = 83;
constexpr int16_t kComponentPenStyle = 6;
constexpr int16_t kFullScale = 100;
constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};

void Sheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

void NotOnAWall(int16_t symbol, bool hitSomething) {
    if (symbol == kWallBreakSymbol)
        return Sheet("Unable to place wall break.",
                     "To place a wall break, click on a wall segment of sufficient length and then "
                     "drag to position "
                     "the break.");
    if (symbol == kWallDimensionSymbol && hitSomething)
        return Sheet("Unable to place wall dimension.",
                     "To place a wall dimension, click on a wall segment of sufficient length and "
                     "then drag to "
                     "position the dimension line.");
    Sheet("Unable to place component.", "To place a component, click on a wall segment of "
                                        "sufficient length and then drag to position the "
                                        "component.");
}

void TooShort(int16_t symbol) {
    if (symbol == kWallDimensionSymbol)
        return Sheet("Unable to attach dimension line.",
                     "The wall segment is not long enough to attach the dimension line.  Please "
                     "lengthen the segment "
                     "and try again.");
    if (symbol == kWallBreakSymbol)
        return Sheet("Unable to break wall segment.",
                     "The wall segment is not long enough to break.  Please lengthen the segment "
                     "and try again.");
    Sheet("Unable to place component.", "The wall segment is not long enough to accommodate the "
                                        "selected component.  Please lengthen the segment "
                                        "and try again.");
}

int32_t PlanBitsOfTool(int16_t tool, const DocState* ds) {
    if (tool == toolid::kWallDimension) return ds->currentPlanBit;
    if (tool == toolid::kWallBreak) return 0;
    if ((tool >= 7200 && tool <= 7210)) return 8;
    if (tool == 7407) return 32;
    return 4;
}

float Distance(const Poinz* from, FloatPoint to) {
    return GetLineLength(from->position[0], from->position[2], to.floatH, to.floatV);
}

Poinz* PointAt(Objex* owner, FloatPoint at, int16_t dimensionSetting) {
    Poinz* p = CreatePoint(0, 0, 0, 0, 0, 0, at.floatH, 0, at.floatV, 0, 0, 0, 0, 0, 0, owner);
    if (p) p->dimensionMethod = dimensionSetting;
    return p;
}

void BreakWall(WallPlacement& p) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    AddPointAtPosition(p.wall, p.segStart, ds, p.start.floatH, p.segStart->position[1],
                       p.start.floatV);
    ReRenderObject(p.wall);
    Refresh();
}

bool IsChildOf(const Objex* o, const Objex* parent) {
    for (const Objex* c = parent->firstChild; c; c = c->next)
        if (c == o) return true;
    return false;
}

Objex* MakeComponent(WallPlacement& p, int16_t symbol) {
    DocState* ds = CurrentDocState();
    Layer* layer = TreeFloor(p.wall);
    if (!ds || !layer) return nullptr;
    const float centre = Distance(p.segStart, p.start) + p.size.floatH / 2;
    AttachmentRecord* r = NewComponentRecord(symbol, p.segStart, p.segEnd, centre, p.side);
    if (!r) return nullptr;
    Objex* o = CreateObject(objtype::kComponent, 0, 1, &ds->fillColor, &ds->penColor, 1.0f,
                            kComponentPenStyle, 0, nullptr, nullptr, nullptr, p.wall, layer,
                            TypeData::OfAttachment(r));
    if (!o) return nullptr;
    o->subtype = symbol;
    o->texture = 0;
    o->penColor = kNoColor;
    o->rows = 1;
    for (FloatPoint at : {p.start, p.end, p.third})
        if (Poinz* q = PointAt(o, at, ds->accessoryKind)) AppendPointToObject(q, o);
    AppendChildToObject(o, p.wall);
    UpdateObjectBounds(o);
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    SelectObj(o, selmode::kSelect, 0);
    Refresh();
    if (symbol == kWallDimensionSymbol) {
        UpdateAttachedDim(o, p.wall);
        UpdateAllWallAttachments(p.wall);
        // The refit may have found no room for it after all.
        if (!IsChildOf(o, p.wall)) o = nullptr;
    } else {
        LayWallAttachment(o);
    }
    ReRenderObject(p.wall);
    if (o) SelectObj(o, selmode::kDeselect, 0);
    return o;
}

void SelectAlone(Objex* o) {
    if (gCurDocument) SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    SelectObj(o, selmode::kSelect, 0);
    Refresh();
}

} // namespace

int16_t ComponentSymbolOfTool(int16_t tool) {
    const DocState* ds = CurrentDocState();
    const int32_t receptacle = ds ? ds->receptacleStyle : 8;
    const int32_t switches = ds ? ds->switchStyle : 8;
    const int32_t switches2 = ds ? ds->switchStyle2 : 8;
    switch (tool) {
    case 7100:
        return 55;
    case 7101:
        return receptacle == 9 ? 66 : receptacle == 10 ? 67 : 65;
    case 7103:
        return 70;
    case 7105:
        return 73;
    case 7106:
        return switches == 9 ? 75 : switches == 10 ? 76 : 74;
    case 7107:
        return switches2 == 9 ? 78 : 77;
    case 7110:
        return kFloodLightSymbol;
    case 7112:
    case 7113:
    case 7114:
    case 7115:
        return int16_t(84 + tool - 7112);
    case 7200:
        return 99;
    case 7201:
        return 109;
    case 7203:
    case 7204:
    case 7205:
    case 7206:
    case 7207:
    case 7208:
    case 7209:
    case 7210:
        return int16_t(90 + tool - 7203);
    case 7407:
        return 124;
    case toolid::kWallDimension:
        return kWallDimensionSymbol;
    case toolid::kWallBreak:
        return kWallBreakSymbol;
    default:
        return 55;
    }
}

void TrackComponent(float worldX, float worldY, float worldZ, int16_t stage, int16_t toolID) {
    if (stage != 1 || !CurrentDocState()) return;
    TrackWallAttachment(worldX, worldY, worldZ, stage, ComponentSymbolOfTool(toolID),
                        [toolID](Objex* o) {
                            const DocState* ds = CurrentDocState();
                            if (!ds) return;
                            o->planBits = PlanBitsOfTool(toolID, ds);
                            if (toolID == 7110) CopyLightDefaults(o, ds);
                        });
}

void TrackWallAttachment(float worldX, float worldY, float worldZ, int16_t stage,
                         int16_t symbolType, ComponentMade made) {
    if (!CurrentDocState()) return;
    FloatPoint size;
    ComponentDefaultSize(symbolType, &size.floatH, &size.floatV);
    const ClickInfo click = gClickInfo;
    SupportTrackAttachment(worldX, worldY, worldZ, stage, &click, gTrackModifiers, size, symbolType,
                           std::move(made));
    gMouseCaptured = 0;
}

void SupportTrackAttachment(float, float, float, int16_t stage, const ClickInfo* click, int16_t,
                            FloatPoint size, int16_t symbolType, ComponentMade made) {
    if (stage != 1 || !click || !gCurDocument || !CurrentDocState()) return;
    if (!click->ciHit || !click->ciSegmentHit || !click->ciPoint || !click->ciPoint2 ||
        !click->ciObject)
        return NotOnAWall(symbolType, false);
    if (click->ciObject->type != objtype::kWall) return NotOnAWall(symbolType, true);
    float rangeStart = 0, rangeEnd = 0;
    const float working =
        GetWallSegmentWorkingLength(0, 0, click->ciPoint, click->ciPoint2, &rangeStart, &rangeEnd);
    if (size.floatH > working) return TooShort(symbolType);
    WallPlacement p;
    p.wall = click->ciObject, p.segStart = click->ciPoint, p.segEnd = click->ciPoint2;
    p.size = size, p.workingLength = working, p.rangeStart = rangeStart, p.rangeEnd = rangeEnd;
    p.click = click->ciWhere, p.ownerType = symbolType;
    TrackAttachmentPlacement(p, [symbolType, made](int16_t, WallPlacement& placed) {
        if (symbolType == kWallBreakSymbol) return BreakWall(placed);
        Objex* o = MakeComponent(placed, symbolType);
        if (o && made) made(o);
    });
}

void TranslateWallComponent() {
    const ClickInfo click = gClickInfo;
    Objex* o = click.ciObject;
    AttachmentRecord* r = o ? AttachmentRecordOf(o) : nullptr;
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !r || !r->segmentStart || !r->segmentEnd || !o->parent) return;
    const bool onSegment = click.ciSegmentHit && click.ciPoint && click.ciPoint2;
    if (!onSegment && !click.ciPointHit) return SelectAlone(o);
    const float length = SegmentSpan(r->segmentStart, r->segmentEnd);
    WallPlacement p;
    p.wall = o->parent, p.segStart = r->segmentStart, p.segEnd = r->segmentEnd;
    p.size = FloatPoint{r->width, r->height};
    p.workingLength = length + kAttachmentOverhang, p.rangeStart = 0, p.rangeEnd = length;
    p.click = click.ciWhere,
    p.ownerType = o->type == objtype::kAccessory ? objtype::kAccessory : r->ownerType;
    p.existing = o;
    p.dimensionByPointer = o->subtype == kWallDimensionSymbol && !onSegment;
    TrackAttachmentPlacement(p, [o](int16_t moved, WallPlacement& placed) {
        AttachmentRecord* rec = AttachmentRecordOf(o);
        const DocState* state = CurrentDocState();
        if (!moved || !rec || !state) return;
        rec->centreDistance = Distance(placed.segStart, placed.start) + rec->width / 2;
        rec->sideFlag = placed.side;
        if (o->subtype == kWallDimensionSymbol) {
            LayOnSegment(o, rec, rec->height, false);
            UpdateObjectBounds(o);
            if (placed.wall->type != objtype::kWall) return SelectAlone(o);
            UpdateAttachedDim(o, placed.wall);
            UpdateAllWallAttachments(placed.wall);
        } else {
            LayWallAttachment(o);
        }
        ReRenderObject(placed.wall);
        SelectAlone(o);
    });
}
