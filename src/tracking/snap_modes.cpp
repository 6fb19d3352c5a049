#include "tracking/snap_modes.h"

#include <algorithm>
#include <iterator>
#include <numbers>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/splines.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/zoom.h"
#include "model/click_info.h"
#include "tracking/constraints.h"
#include "tracking/track_events.h"

namespace {

// The tools whose symbols hang on a wall: their offset snap stands off the segment.
constexpr int16_t kWallSymbolTools[] = {208,  7055, 7100, 7101, 7103, 7105, 7106, 7107, 7110, 7112, 7113, 7114,
                                        7115, 7200, 7201, 7203, 7204, 7205, 7206, 7207, 7208, 7209, 7210, 7407};
// The subtypes of symbols that hang on a wall.
constexpr int32_t kWallSymbolSubtypes[] = {55, 65, 66, 67, 70, 73, 74, 75, 76, 77, 78, 83, 84, 85, 86, 87,
                                           90, 91, 92, 93, 94, 95, 96, 97, 99, 109, 124, 138, 303};
constexpr float kWallSymbolStandOff = 100.0f;

template <class T, size_t N> bool In(const T (&list)[N], T value) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool HangsOnWall(const Objex* object) {
    return In(kWallSymbolTools, gCurTool) ||
           (gCurTool == toolid::kSelect && object && In(kWallSymbolSubtypes, object->subtype));
}

int16_t Answer(float* h, float* d, float atH, float atD) {
    *h = atH, *d = atD;
    return 1;
}
int16_t AnswerPoint(float* h, float* d, const Poinz* p) { return Answer(h, d, p->position[0], p->position[2]); }

// Whether `a` lies strictly nearer the view point than `b`, both seen in the view.
bool Nearer(int32_t x, int32_t y, const Poinz* a, const Poinz* b) {
    float ax = a->position[0], ay = a->position[1], az = a->position[2];
    float bx = b->position[0], by = b->position[1], bz = b->position[2];
    ConvertToIso(&ax, &ay, &az, &bx, &by, &bz, gPerspective);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return GetLineLength(fx, fy, ax, ay) < GetLineLength(fx, fy, bx, by);
}

bool SegmentHit(const ClickInfo* r) { return r->ciSegmentHit && !r->ciPointHit && r->ciPoint && r->ciPoint2; }
bool StraightSegmentHit(const ClickInfo* r) {
    return SegmentHit(r) && IsStraightPoint(r->ciPoint) && IsStraightPoint(r->ciPoint2);
}

// The point `length` from `from` towards `to`.
FloatPoint Along(const Poinz* from, const Poinz* to, float length) {
    float segment = 0, dh = 0, dd = 0;
    const float angle = GetLineLengthAndAngle(from->position[0], from->position[2], to->position[0], to->position[2],
                                              &segment);
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    return FloatPoint{from->position[0] + dh, from->position[2] + dd};
}

float SnapOffset() {
    const DocState* ds = CurrentDocState();
    return ds ? ConvertWorldToScreen(ds->snapOffset, ds, 0) : 0.0f;
}

// The 3D bounds of the hit object, or of its parent; false when there is nothing to measure.
bool ObjectBox(const ClickInfo* r, Float3DRect* box) {
    Objex* o = r->ciObject;
    if (!o) return false;
    if (o->parent) o = o->parent;
    *box = EmptyFloat3DRect();
    GetObject3DBounds(o, 0, box, 0);
    return !IsEmptyBounds(*box);
}

bool Usable(const ClickInfo* r, const float* h, const float* d) { return r && h && d; }

}  // namespace

int16_t SnapPoint(const ClickInfo* record, int32_t x, int32_t y, int16_t mode, Layer* layers, float* h, float* d) {
    if (mode == snapmode::kOrigin) return SnapOrigin(record, x, y, layers, h, d);
    if (!record || !record->ciHit) return 0;
    switch (mode) {
    case snapmode::kEndPoint: return SnapEndPoint(record, x, y, layers, h, d);
    case snapmode::kSegmentCentre: return SnapSplineCenter(record, x, y, layers, h, d);
    case snapmode::kObjectCentre: return SnapObjectCenter(record, x, y, layers, h, d);
    case snapmode::kObjectCorner: return SnapObjectCorner(record, x, y, layers, h, d);
    case snapmode::kIntersection: return SnapIntersection(record, x, y, layers, h, d);
    case snapmode::kPerpendicular: return SnapPerpendicular(record, x, y, layers, h, d);
    case snapmode::kSegmentOffset: return SnapSplinePercentage(record, x, y, layers, h, d);
    case snapmode::kOnSegment: return SnapOnSpline(record, x, y, layers, h, d);
    default: return 0;
    }
}

int16_t SnapEndPoint(const ClickInfo* r, int32_t x, int32_t y, Layer*, float* h, float* d) {
    if (!Usable(r, h, d)) return 0;
    if (r->ciPointHit && r->ciPoint) return AnswerPoint(h, d, r->ciPoint);
    if (r->ciSegmentHit && r->ciPoint && r->ciPoint2)
        return AnswerPoint(h, d, Nearer(x, y, r->ciPoint, r->ciPoint2) ? r->ciPoint : r->ciPoint2);
    if (!r->ciHandleHit || !r->ciObject || r->ciHandle < 1 || r->ciHandle > 4) return 0;
    const FloatRect& b = r->ciObject->bounds;
    const bool left = r->ciHandle == 1 || r->ciHandle == 4, top = r->ciHandle <= 2;
    return Answer(h, d, left ? b.floatLeft : b.floatRight, top ? b.floatTop : b.floatBottom);
}

int16_t SnapSplineCenter(const ClickInfo* r, int32_t, int32_t, Layer*, float* h, float* d) {
    if (!Usable(r, h, d) || !SegmentHit(r)) return 0;
    float v = 0;
    GetSplineCoordinate(r->ciPoint, r->ciPoint2, 0.5f, h, &v, d);
    return 1;
}

int16_t SnapObjectCenter(const ClickInfo* r, int32_t, int32_t, Layer*, float* h, float* d) {
    Float3DRect box;
    if (!Usable(r, h, d) || !ObjectBox(r, &box)) return 0;
    return Answer(h, d, (box.floatLeft + box.floatRight) / 2, (box.floatBack + box.floatFront) / 2);
}

int16_t SnapObjectCorner(const ClickInfo* r, int32_t x, int32_t y, Layer*, float* h, float* d) {
    Float3DRect box;
    if (!Usable(r, h, d) || !ObjectBox(r, &box)) return 0;
    float cx = (box.floatLeft + box.floatRight) / 2, cy = (box.floatTop + box.floatBottom) / 2;
    float cz = (box.floatBack + box.floatFront) / 2;
    ConversionToIsometric(&cx, &cy, &cz, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    const bool right = x > dvxnum::TruncToInt32(cx + 0.5), below = y > dvxnum::TruncToInt32(cy + 0.5);
    return Answer(h, d, right ? std::max(box.floatLeft, box.floatRight) : std::min(box.floatLeft, box.floatRight),
                  below ? std::max(box.floatBack, box.floatFront) : std::min(box.floatBack, box.floatFront));
}

int16_t SnapIntersection(const ClickInfo* r, int32_t, int32_t, Layer*, float* h, float* d) {
    if (!Usable(r, h, d) || !r->ciHit || !gSnapInfo.ciHit) return 0;
    if (r->ciPointHit && r->ciPoint) return AnswerPoint(h, d, r->ciPoint);
    if (gSnapInfo.ciPointHit && gSnapInfo.ciPoint) return AnswerPoint(h, d, gSnapInfo.ciPoint);
    if (!r->ciSegmentHit || !gSnapInfo.ciSegmentHit) return 0;
    const ClickInfo& s = gSnapInfo;
    float ix = 0, iy = 0;
    GetIntersection(UnzoomF(r->ciPieceStart.floatH), UnzoomF(r->ciPieceStart.floatV), UnzoomF(r->ciPieceEnd.floatH),
                    UnzoomF(r->ciPieceEnd.floatV), UnzoomF(s.ciPieceStart.floatH), UnzoomF(s.ciPieceStart.floatV),
                    UnzoomF(s.ciPieceEnd.floatH), UnzoomF(s.ciPieceEnd.floatV), &ix, &iy);
    // Parallel pieces never cross: no snap rather than a point far off the plan.
    if (ix == kNoIntersection && iy == kNoIntersection) return 0;
    return Answer(h, d, UnzoomF(ZoomF(ix) + gGlobalXOffset), UnzoomF(ZoomF(iy) + gGlobalZOffset));
}

int16_t SnapPerpendicular(const ClickInfo* r, int32_t, int32_t, Layer*, float*, float*) {
    if (!r || gPerpStartPtz || gPerpEndPtz) return 0;
    if (r->ciPointHit && r->ciPoint) {
        Poinz* p = r->ciPoint;
        if (!IsStraightPoint(p)) gPerpStartPtz = gPerpEndPtz = p;
        else if (p->prev) gPerpStartPtz = p->prev, gPerpEndPtz = p;
        else if (p->next) gPerpStartPtz = p, gPerpEndPtz = p->next;
        else gPerpStartPtz = gPerpEndPtz = p;
    } else if (r->ciSegmentHit && r->ciPoint && r->ciPoint2) {
        gPerpStartPtz = r->ciPoint, gPerpEndPtz = r->ciPoint2;
    }
    return 0;
}

int16_t SnapSplinePercentage(const ClickInfo* r, int32_t x, int32_t y, Layer*, float* h, float* d) {
    if (!Usable(r, h, d) || !StraightSegmentHit(r) || !CurrentDocState()) return 0;
    const bool firstNearer = Nearer(x, y, r->ciPoint, r->ciPoint2);
    const Poinz* from = firstNearer ? r->ciPoint : r->ciPoint2;
    const Poinz* to = firstNearer ? r->ciPoint2 : r->ciPoint;
    const FloatPoint at = Along(from, to, SnapOffset());
    if (!HangsOnWall(r->ciObject)) return Answer(h, d, at.floatH, at.floatV);
    float length = 0, dh = 0, dd = 0;
    const float angle = GetLineLengthAndAngle(from->position[0], from->position[2], to->position[0], to->position[2],
                                              &length);
    GetPointFromLengthAndAngle(angle + static_cast<float>(std::numbers::pi / 2), kWallSymbolStandOff, &dh, &dd);
    const float pointerH = UnzoomF(static_cast<float>(x) + gGlobalXOffset);
    const float pointerD = UnzoomF(static_cast<float>(y) + gGlobalZOffset);
    const bool plus = GetLineLength(pointerH, pointerD, at.floatH + dh, at.floatV + dd) <=
                      GetLineLength(pointerH, pointerD, at.floatH - dh, at.floatV - dd);
    return plus ? Answer(h, d, at.floatH + dh, at.floatV + dd) : Answer(h, d, at.floatH - dh, at.floatV - dd);
}

int16_t SnapOnSpline(const ClickInfo* r, int32_t x, int32_t y, Layer*, float* h, float* d) {
    if (!Usable(r, h, d)) return 0;
    if (r->ciPointHit && r->ciPoint) return AnswerPoint(h, d, r->ciPoint);
    if (!r->ciSegmentHit) return 0;
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const Float3DPoint &a = r->ciPieceStart, &b = r->ciPieceEnd;
    const float toA = GetLineLength(fx, fy, a.floatH, a.floatV), toB = GetLineLength(fx, fy, b.floatH, b.floatV);
    const Float3DPoint& from = toA <= toB ? a : b;
    const Float3DPoint& to = toA <= toB ? b : a;
    float length = 0, dx = 0, dy = 0;
    const float angle = GetLineLengthAndAngle(from.floatH, from.floatV, to.floatH, to.floatV, &length);
    GetPointFromLengthAndAngle(angle, std::min(toA, toB), &dx, &dy);
    return Answer(h, d, UnzoomF(from.floatH + dx + gGlobalXOffset), UnzoomF(from.floatV + dy + gGlobalZOffset));
}

int16_t SnapOrigin(const ClickInfo*, int32_t, int32_t, Layer*, float* h, float* d) {
    const DocState* ds = CurrentDocState();
    if (!ds || !h || !d) return 0;
    return Answer(h, d, ds->viewOrigin.floatH, ds->viewOrigin.floatD);
}

int16_t SnapSplinePercentage2(const ClickInfo* r, int32_t, int32_t, Layer*, float* h, float* d) {
    if (!Usable(r, h, d) || !StraightSegmentHit(r) || !CurrentDocState()) return 0;
    const FloatPoint at = Along(r->ciPoint2, r->ciPoint, SnapOffset());
    return Answer(h, d, at.floatH, at.floatV);
}

void MaintainSnapTools() {
    const TrackEvent* event = TrackEventSource::current();
    if (!gChangeSnapOK || !event || event->type != trackevent::kKeyDown || event->keyCode != keycode::kTab) return;
    SnapToolChange((event->modifiers & evmod::kShift) != 0);
}

int16_t SnapToolChange(bool shift) {
    int16_t mode = gCurSnap;
    if (shift) {
        // 509 answers no snap function: stepping back from the origin mode lands on 508.
        mode = (mode > snapmode::kOnSegment || mode <= snapmode::kNone) ? snapmode::kOnSegment : int16_t(mode - 1);
    } else {
        mode = (mode >= snapmode::kOnSegment || mode < snapmode::kNone) ? snapmode::kNone : int16_t(mode + 1);
    }
    SnapPaletteSetSnapTool(mode);
    return 0;
}

int16_t ModeAfterSnapReset(int16_t mode, bool locked) {
    if (mode == snapmode::kOrigin || (!locked && mode != snapmode::kNone)) return snapmode::kNone;
    return mode;
}

void ResetSnapTool() {
    const int16_t mode = ModeAfterSnapReset(gCurSnap, gSnapLocked != 0);
    if (mode == gCurSnap) return;
    // A lock left on mode none would make the next mode chosen stay locked unasked.
    gSnapLocked = 0;
    SnapPaletteSetSnapTool(mode);
}
