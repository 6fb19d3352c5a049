#include "tools/wall_openings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "app/core/localization_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/custom_definitions.h"
#include "files/ini.h"
#include "geometry/openings/attachment_frames.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/default_textures.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/selection_ops.h"
#include "model/tool_defaults.h"
#include "model/transform_support.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/doors.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "files/custom_textures.h"
#include "scene/scene_build.h"
#include "tools/attachment_defaults.h"
#include "tools/attachment_layout.h"
#include "tools/attachment_placement.h"
#include "tools/wall_attachments.h"
#include "model/click_info.h"
#include "tracking/evaluate_point.h"
#include "tracking/line_trackers.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int16_t kPlanViewKind = 2;
constexpr int16_t kOverheadDoor = 503;
constexpr int16_t kCustomDoor = 512;
constexpr int16_t kCustomWindow = 626;
constexpr int32_t kFloorPlan = 2;
constexpr int16_t kAttachmentPenStyle = 6;
constexpr uint32_t kSwingMask = 34; // pointer moves and the press
constexpr int16_t kShiftModifier = 4;
constexpr int16_t kFullScale = 100;
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int16_t kAccessoriesCategory = 0;
// The longest accessory name an info file gives.
constexpr size_t kAccessoryNameLength = 250;

void Sheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

float Plan(float inches, const DocState* ds) {
    return ConvertWorldToScreen(inches, ds, 0);
}

bool OnWallSegment(const ClickInfo* c) {
    return c && c->ciHit && c->ciSegmentHit && c->ciPoint && c->ciPoint2 && c->ciObject &&
           c->ciObject->type == objtype::kWall;
}

struct OpeningKind {
    int16_t type;
    const char* notFound;
    const char* tooShort;
};

constexpr OpeningKind kDoorKind{
    objtype::kDoor,
    "To place a door, click on a wall segment of sufficient length and then drag to position the "
    "door.",
    "Please make sure the wall segment is long enough to accommodate the door."};
constexpr OpeningKind kWindowKind{
    objtype::kWindow,
    "To place a window, click on a wall segment of sufficient length and then drag to position the "
    "window.",
    "Please make sure the wall segment is long enough to accommodate the window."};

Poinz* NewPoint(Objex* owner) {
    return CreatePoint(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, owner);
}

// An attachment object hung on the wall: its points laid from the record.
Objex* NewAttachment(int16_t type, uint8_t closed, const RGBColor& fill, Objex* wall,
                     AttachmentRecord* record, int points) {
    // The wall's floor, which need not be the current one: a click finds walls on every shown,
    // active floor.
    Layer* layer = TreeFloor(wall);
    if (!layer || !record) {
        delete record;
        return nullptr;
    }
    Objex* o = CreateObject(type, closed, 1, &fill, &kWhite, 1.0f, kAttachmentPenStyle, 0, nullptr,
                            nullptr, nullptr, wall, layer, TypeData::OfAttachment(record));
    if (!o) return nullptr;
    o->penColor = kWhite;
    o->rows = 1;
    for (int i = 0; i < points; ++i)
        if (Poinz* p = NewPoint(o)) AppendPointToObject(p, o);
    AppendChildToObject(o, wall);
    return o;
}

void SelectAlone(Objex* o) {
    if (gCurDocument) SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    SelectObj(o, selmode::kSelect, 0);
    Refresh();
}

float CentreOf(const WallPlacement& p, float width) {
    return GetLineLength(p.segStart->position[0], p.segStart->position[2], p.start.floatH,
                         p.start.floatV) +
           width / 2;
}

void FinishOpening(const OpeningKind& kind, WallPlacement& p) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    Objex* wall = p.wall;
    const bool door = kind.type == objtype::kDoor;
    const float centre = CentreOf(p, p.size.floatH);
    AttachmentRecord* r = door ? NewDoorRecord(p.segStart, p.segEnd, centre)
                               : NewWindowRecord(p.segStart, p.segEnd, centre);
    if (!r) return;
    r->width = p.size.floatH;
    r->height = p.size.floatV;
    if (door && r->style == kOverheadDoor)
        r->sideFlag = (wall->pointCount > 2 && GetParallelDirection(wall) >= 1) ? 1 : 0;
    Objex* o = NewAttachment(kind.type, 0, ds->doorColor, wall, r, 2);
    if (!o) return;
    o->planBits = kFloorPlan;
    o->texture = door ? gDoorDefaultTexture : gWindowDefaultTexture;
    const bool custom = r->style == (door ? kCustomDoor : kCustomWindow);
    if (custom) {
        // The definition is read onto the opening where it stands; the refit frames it.
        LayOnSegment(o, r, 0, false);
        UpdateObjectBounds(o);
    } else {
        LayWallAttachment(o);
    }
    SelectAlone(o);
    if (custom) {
        ReadCustomWindowDoorFile(o);
        if (UpdateWallAttachment(o)) { // no room for the definition's size: it is gone
            ReRenderObject(wall);
            Refresh();
            return;
        }
    }
    auto rebuild = [wall] {
        ReRenderObject(wall);
        Refresh();
    };
    if (door && IsHingedDoorStyle(r->style)) {
        TrackDoorSwing(o, [wall, rebuild] {
            UpdateAllWallAttachments(wall);
            rebuild();
        });
        return;
    }
    rebuild();
}

void SupportTrackOpening(const OpeningKind& kind, const ClickInfo* click, FloatPoint size) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const char* title = kind.type == objtype::kDoor ? "Unable to place door on wall segment."
                                                    : "Unable to place window on wall segment.";
    if (!OnWallSegment(click)) {
        if (GetCurrentView() == kViewTop) Sheet("Wall segment not found.", kind.notFound);
        return;
    }
    if (ds->viewKind != kPlanViewKind) return;
    float rangeStart = 0, rangeEnd = 0;
    const float working =
        GetWallSegmentWorkingLength(0, 0, click->ciPoint, click->ciPoint2, &rangeStart, &rangeEnd);
    // Doors: the width against the segment + 5; windows: the working length, the same number.
    if (size.floatH > working) {
        Sheet(title, kind.tooShort);
        return;
    }
    WallPlacement p;
    p.wall = click->ciObject, p.segStart = click->ciPoint, p.segEnd = click->ciPoint2;
    p.size = size, p.workingLength = working, p.rangeStart = rangeStart, p.rangeEnd = rangeEnd;
    p.click = click->ciWhere, p.ownerType = kind.type;
    const OpeningKind* k = &kind;
    TrackDoorPlacement(p, [k](int16_t, WallPlacement& placed) { FinishOpening(*k, placed); });
}

// --- the swing ---

FloatPoint PlanAt(const Poinz* p) {
    return FloatPoint{p->position[0], p->position[2]};
}

PlatformPoint ViewOf(FloatPoint q, float v) {
    return feedback::ToView(Float3DPoint{q.floatH, v, q.floatV});
}

float Angle(FloatPoint a, FloatPoint b) {
    float length = 0;
    return GetLineLengthAndAngle(a.floatH, a.floatV, b.floatH, b.floatV, &length);
}

// The arc of the swing towards the pointer, the one of at most 180 degrees; its sweep.
float DrawSwing(FloatPoint hinge, FloatPoint other, FloatPoint pointer, float v) {
    const PlatformPoint c = ViewOf(hinge, v), f = ViewOf(other, v), q = ViewOf(pointer, v);
    float length = 0;
    const float start = GetLineLengthAndAngle(c.x, c.y, f.x, f.y, &length);
    auto draw = [&] {
        feedback::Clear();
        return DrawDoorArcState(int32_t(c.x), int32_t(c.y), int32_t(f.x), int32_t(f.y),
                                int32_t(q.x), int32_t(q.y), start, length);
    };
    const float sweep = draw();
    gTrackModifiers =
        ((sweep > -360 && sweep < -180) || (sweep >= 0 && sweep <= 180)) ? kShiftModifier : 0;
    const float shown = draw();
    feedback::Redraw();
    return shown;
}

TrackerRoutine SwingLoop(Objex* door, std::function<void()> then) {
    Poinz* a = door->firstPoint;
    Poinz* b = a->next;
    const float v = a->position[1];
    float sweep = 0;
    bool hingeFirst = true;
    FloatPoint pointer;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kSwingMask);
        if (!gCurDocument || !CurrentDocState()) co_return;
        Float3DPoint q;
        EvaluatePoint(e.where.x, e.where.y, &q.floatH, &q.floatV, &q.floatD, 1, nullptr, 1);
        pointer = FloatPoint{q.floatH, q.floatD};
        const FloatPoint pa = PlanAt(a), pb = PlanAt(b);
        hingeFirst = GetLineLength(pointer.floatH, pointer.floatV, pa.floatH, pa.floatV) <=
                     GetLineLength(pointer.floatH, pointer.floatV, pb.floatH, pb.floatV);
        sweep = hingeFirst ? DrawSwing(pa, pb, pointer, v) : DrawSwing(pb, pa, pointer, v);
        if (e.type == trackevent::kLeftMouseDown) break;
    }
    feedback::Clear();
    feedback::Redraw();
    const int whole = static_cast<int>(sweep + 0.5f);
    AttachmentRecord* r = AttachmentRecordOf(door);
    if (r && whole >= -179 && whole <= 180 && (whole < -2 || whole > 2)) {
        const FloatPoint hinge = hingeFirst ? PlanAt(a) : PlanAt(b);
        const FloatPoint other = hingeFirst ? PlanAt(b) : PlanAt(a);
        const AttachmentRecord before = *r;
        r->sideFlag = hingeFirst ? 1 : 0;
        r->swingOrOffset = Angle(hinge, pointer) - Angle(hinge, other);
        r->directionFlag = DoorSwingDirectionFlag(r->swingOrOffset * xformsupport::kDegreesPerRadian);
        // The arc on screen was measured in whole view points; one the plan cannot draw from
        // the door's own points leaves the swing the door had.
        if (!DoorSwingShows(door)) {
            r->sideFlag = before.sideFlag;
            r->swingOrOffset = before.swingOrOffset;
            r->directionFlag = before.directionFlag;
        }
    }
    if (then) then();
}

// --- accessories ---

// Zeroed accessory sizes take the window's once.
void SetAccessoryDefaults(const DocState* ds) {
    const bool imperial = ds->units == kImperialUnits;
    if (gdsAccessoryWidth == 0)
        gdsAccessoryWidth =
            ds->windowWidth + 2 * ds->windowValue + (imperial ? 4.0f : 3.937007874f);
    if (gdsAccessoryHeight == 0) gdsAccessoryHeight = ds->windowHeight + 3 * ds->windowValue;
    if (gdsAccessoryElevation == 0)
        gdsAccessoryElevation = ds->windowElevation + ds->windowHeight + ds->windowValue +
                                (imperial ? 1.0f : 1.1811023622f);
}

// The accessories entry selected in the content palette: its texture and the name its info
// file gives; texture 0 and no name without one.
void DressFromPalette(Objex* accessory) {
    const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry();
    int32_t texture = 0;
    if (entry && !entry->objectData.empty() &&
        ContentPaletteSelectedCategory() == kAccessoriesCategory) {
        std::string path = entry->objectData;
        texture = NewCustomTextureID(path.data());
        if (!entry->objectInfo.empty()) {
            char name[kAccessoryNameLength + 1] = {};
            GetPrivateProfileString("Description", "Name", "Done", name, sizeof name,
                                    entry->objectInfo.c_str());
            if (name[0] && std::strcmp(name, "Done") != 0) {
                char*& held = objfield::accessory::kName(*accessory);
                FreeString(held);
                held = CopyString(name);
            }
        }
    }
    accessory->texture2 = accessory->texture3 = texture;
    accessory->textureScales[0] = accessory->textureScales[1] = ShortPoint{kFullScale, kFullScale};
    accessory->color2 = accessory->color3 = kWhite;
}

void FinishAccessory(WallPlacement& p, float wallOffset) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    AttachmentRecord* r =
        NewAccessoryRecord(p.segStart, p.segEnd, CentreOf(p, p.size.floatH), p.side);
    if (!r) return;
    r->width = p.size.floatH;
    r->height = p.size.floatV;
    r->swingOrOffset = wallOffset;
    Objex* o = NewAttachment(objtype::kAccessory, 1, ds->doorColor, p.wall, r, 3);
    if (!o) return;
    o->subtype = objtype::kAccessory;
    o->texture = 0;
    DressFromPalette(o);
    for (Poinz* q = o->firstPoint; q; q = q->next)
        q->dimensionMethod = ds->accessoryKind;
    o->planBits = ds->currentPlanBit;
    LayWallAttachment(o);
    ReRenderObject(p.wall);
    Refresh();
}

} // namespace

void TrackDoor(int32_t x, int32_t y, float worldX, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const ClickInfo click = gClickInfo;
    SupportTrackDoor(x, y, worldX, stage, &click, gTrackModifiers,
                     FloatPoint{Plan(ds->doorWidth, ds), Plan(ds->doorHeight, ds)});
    gMouseCaptured = 0;
}

void TrackWindow(int32_t x, int32_t y, float worldX, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const ClickInfo click = gClickInfo;
    SupportTrackWindow(x, y, worldX, stage, &click, gTrackModifiers,
                       FloatPoint{Plan(ds->windowWidth, ds), Plan(ds->windowHeight, ds)});
    gMouseCaptured = 0;
}

void TrackAccessory(int32_t x, int32_t y, float worldX, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    SetAccessoryDefaults(ds);
    const ClickInfo click = gClickInfo;
    SupportTrackAccessory(x, y, worldX, stage, &click, gTrackModifiers,
                          FloatPoint{Plan(gdsAccessoryWidth, ds), Plan(gdsAccessoryHeight, ds)},
                          objtype::kAccessory, gdsAccessoryWallOffset);
    gMouseCaptured = 0;
}

void SupportTrackDoor(int32_t, int32_t, float, int16_t stage, const ClickInfo* click, int16_t,
                      FloatPoint size) {
    if (stage == 1) SupportTrackOpening(kDoorKind, click, size);
}

void SupportTrackWindow(int32_t, int32_t, float, int16_t stage, const ClickInfo* click, int16_t,
                        FloatPoint size) {
    if (stage == 1) SupportTrackOpening(kWindowKind, click, size);
}

void SupportTrackAccessory(int32_t, int32_t, float, int16_t stage, const ClickInfo* click, int16_t,
                           FloatPoint size, int16_t subtype, float wallOffset) {
    if (stage != 1 || !gCurDocument || !CurrentDocState()) return;
    if (!OnWallSegment(click)) {
        Sheet("Wall segment not found.", "To place an accessory, click on a wall segment of "
                                         "sufficient length and then drag to position the "
                                         "accessory.");
        return;
    }
    float rangeStart = 0, rangeEnd = 0;
    const float working =
        GetWallSegmentWorkingLength(0, 0, click->ciPoint, click->ciPoint2, &rangeStart, &rangeEnd);
    if (size.floatH > working) {
        Sheet("Unable to place accessory on wall segment.",
              "Please make sure the wall segment is long enough to accommodate the accessory.");
        return;
    }
    WallPlacement p;
    p.wall = click->ciObject, p.segStart = click->ciPoint, p.segEnd = click->ciPoint2;
    p.size = size, p.workingLength = working, p.rangeStart = rangeStart, p.rangeEnd = rangeEnd;
    p.click = click->ciWhere, p.ownerType = subtype;
    TrackAttachmentPlacement(
        p, [wallOffset](int16_t, WallPlacement& placed) { FinishAccessory(placed, wallOffset); });
}

void TrackDoorSwing(Objex* door, std::function<void()> then) {
    if (!door || !door->firstPoint || !door->firstPoint->next || !AttachmentRecordOf(door)) {
        if (then) then();
        return;
    }
    // The door is made already: whatever ends the swing (another tool, a lost focus) is its
    // click, so the door is never left without its swing, wall rebuild and undo step.
    StartTrackerRoutine(SwingLoop(door, std::move(then)), TrackerLoopEnd::Press);
}

void TranslateWallAttachment() {
    const ClickInfo click = gClickInfo;
    Objex* o = click.ciObject;
    AttachmentRecord* r = o ? AttachmentRecordOf(o) : nullptr;
    if (!gCurDocument || !CurrentDocState() || !r || !r->segmentStart || !r->segmentEnd ||
        !o->parent || !o->firstPoint || !o->firstPoint->next)
        return;
    Poinz* first = o->firstPoint;
    Poinz* second = first->next;
    const bool whole = click.ciSegmentHit && click.ciPoint && click.ciPoint2;
    const bool dragStart = !whole && click.ciPointHit && click.ciPoint == first;
    const bool dragEnd = !whole && click.ciPointHit && click.ciPoint == second;
    if (!whole && !dragStart && !dragEnd) {
        SelectAlone(o);
        return;
    }
    const float length = SegmentSpan(r->segmentStart, r->segmentEnd);
    WallPlacement p;
    p.wall = o->parent, p.segStart = r->segmentStart, p.segEnd = r->segmentEnd;
    p.size = FloatPoint{r->width, r->height};
    p.workingLength = length + kAttachmentOverhang;
    p.rangeStart = 0, p.rangeEnd = length;
    if (dragStart || dragEnd) p.rangeStart = -r->width / 2, p.rangeEnd = length + r->width / 2;
    p.click = click.ciWhere, p.dragStart = dragStart, p.dragEnd = dragEnd;
    p.ownerType = o->type, p.existing = o;
    TrackDoorPlacement(p, [o, dragStart, dragEnd](int16_t moved, WallPlacement& placed) {
        AttachmentRecord* rec = AttachmentRecordOf(o);
        if (!moved || !rec) return;
        if (dragStart || dragEnd)
            rec->width = GetLineLength(placed.start.floatH, placed.start.floatV, placed.end.floatH,
                                       placed.end.floatV);
        rec->centreDistance = CentreOf(placed, rec->width);
        LayWallAttachment(o);
        ReRenderObject(placed.wall);
        SelectAlone(o);
    });
}
