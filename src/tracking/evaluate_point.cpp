#include "tracking/evaluate_point.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/point_evaluation.h"
#include "plan/zoom.h"
#include "model/click_info.h"
#include "tracking/constraints.h"
#include "model/grid_snap.h"
#include "tracking/snap_modes.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"

namespace {

constexpr int16_t kShiftBit = 4;

// The tools whose points keep the polyline's 5-degree steps while it is drawn.
constexpr int16_t kPolylineTools[] = {7000, 7058, 7060, 7061, 7062, 7063, 7306, 7309, 7500, 7501, 7502, 7504,
                                      7505, 7509, 7511, 7512, 7600, 7601, 7602, 7603, 7604, 7606, 7703, 7707};

bool ShiftHeld() { return (gTrackModifiers & kShiftBit) != 0; }
bool IsWallTool(int16_t tool) { return tool >= toolid::kExteriorWall && tool <= toolid::kCurvedWall; }

struct PlanPoint {
    float* x;
    float* y;
    float* z;
    bool snap;

    void grid() const {
        if (snap) Snap3DPointToGrid(CurrentDocState(), x, y, z);
    }
    void angleFromDown(uint8_t withShift) const { SnapCursorToAngleConstraint(gDownX, gDownZ, x, z, withShift); }
};

// Shift keeps the drag on the axis it has moved along most (D wins a tie).
void ShiftAxisLock(const PlanPoint& p) {
    if (!ShiftHeld() || !gTrackingMouse) return;
    if (std::fabs(*p.x - gDownX) > std::fabs(*p.z - gDownZ)) *p.z = gDownZ;
    else *p.x = gDownX;
}

// The clicked segment moved by the drag so far.
void TranslateSegment(const PlanPoint& p, const ClickInfo* info) {
    if (!gTrackingMouse) return;
    const float dh = *p.x - gDownX, dd = *p.z - gDownZ;
    const Poinz* a = info->ciPoint;
    const Poinz* b = info->ciPoint2;
    gTranslateWallSegPt1 = FloatPoint{a->position[0] + dh, a->position[2] + dd};
    gTranslateWallSegPt2 = FloatPoint{b->position[0] + dh, b->position[2] + dd};
}

// The move tool follows what it grabbed.
void MoveToolConstraint(const PlanPoint& p, const ClickInfo* info) {
    const Objex* o = info->ciObject;
    if (!o) return;
    const bool bothEnds = info->ciPoint && info->ciPoint2;
    auto alongEdges = [&] { SnapCursorToSegmentConstraint(info, gDownX, gDownZ, p.x, p.z); };
    if (o->type == objtype::kWall) {
        if (!info->ciPointHit && !info->ciSegmentHit) return;
        if (info->ciPointHit || (o->pointCount > 2 && gCurPropertiesObjectCount == 1)) return alongEdges();
        if (!bothEnds) return;
        p.grid();
        ShiftAxisLock(p);
        return TranslateSegment(p, info);
    }
    if (objtype::Has(o->type, objtype::kPointDragKeepsEdges) && info->ciPointHit) return alongEdges();
    p.grid();
    if (o->type == objtype::kDetail)
        return SnapCursorToCustomAngleConstraint(gDownX, gDownZ, p.x, p.z, 0, 90);
    ShiftAxisLock(p);
    if (objtype::Has(o->type, objtype::kPointDragKeepsEdges) || objtype::Has(o->type, objtype::kDraggedWhole))
        return;
    if (info->ciSegmentHit && bothEnds) TranslateSegment(p, info);
}

// Shape locks: Shift inverts the tool's lock; a locked drag is square (circular) in the
// pointer's quadrant.
void ShapeLocks(const PlanPoint& p) {
    uint8_t lock = 0;
    switch (gCurTool) {
    case toolid::kRectangle: lock = gLockRectTool; break;
    case toolid::kOval:
    case toolid::kFill: lock = gLockOvalTool; break;
    case toolid::kArc: lock = gLockArcTool; break;
    case toolid::kMultigon:
        if (!ShiftHeld()) p.angleFromDown(0);
        return;
    case toolid::kLine:
        if (ShiftHeld() || gPerpAtStart) return;
        p.grid();
        return p.angleFromDown(1);
    default: return;
    }
    if (ShiftHeld() == (lock != 0) || !gTrackingMouse) return;
    const float side = std::fabs(*p.x - gDownX);
    *p.z = *p.z > gDownZ ? gDownZ + side : gDownZ - side;
}

// Steps 2 and 3: the tool's constraint, then the shape locks where the tool has them.
void Constrain(const PlanPoint& p, const ClickInfo* info) {
    const int16_t tool = gCurTool;
    if (gSkipConstraints || gCurSnap == snapmode::kPerpendicular) {
        p.grid();
        return ShapeLocks(p);
    }
    if (tool == toolid::kSelect) {
        if (info) MoveToolConstraint(p, info);
        return;
    }
    // The leader and the straight walls keep their angle only inside a tracked gesture.
    const bool tracksAngle = tool == toolid::kLeader || (tool >= toolid::kExteriorWall && tool < toolid::kCurvedWall);
    if (tracksAngle && !info) {
        p.grid();
        return ShapeLocks(p);
    }
    if (tracksAngle || tool == 7059 || tool == 7605) return p.angleFromDown(0);
    if (std::find(std::begin(kPolylineTools), std::end(kPolylineTools), tool) != std::end(kPolylineTools))
        return SnapCursorToPolyAngleConstraint(gDownX, gDownZ, p.x, p.z, 0);
    if (tool < toolid::kFillet || tool > toolid::kFilletChamfer) p.grid();
    ShapeLocks(p);
}

// Sets the document's hit tolerance for as long as it lives.
class ToleranceScope {
public:
    ToleranceScope(DocState* ds, int32_t tolerance) : ds_(ds), saved_(ds->pickTolerance) {
        ds_->pickTolerance = dvxnum::TruncToInt16(tolerance);
    }
    ~ToleranceScope() { ds_->pickTolerance = saved_; }
    ToleranceScope(const ToleranceScope&) = delete;
    ToleranceScope& operator=(const ToleranceScope&) = delete;

private:
    DocState* ds_;
    int16_t saved_;
};

// How far a wall's free end reaches (view units). The grid leaves a drawn end up to a cell
// short of where the pointer let go, and where the cell is too small to see, the next press or
// release is aimed at the pointer's place: the end then reaches a click's tolerance beyond the
// cell. A cell as large as that tolerance is seen, and aimed at as drawn.
int32_t WallFreeEndReach() {
    const DocState* ds = CurrentDocState();
    const int32_t click = PickHalfSize();
    float cell = 0;
    if (ds->snapToGrid)
        cell = std::max(ConvertWorldToScreen(ds->snapIncrement.floatH, ds, 1),
                        ConvertWorldToScreen(ds->snapIncrement.floatV, ds, 1));
    const float unseen = std::isfinite(cell) && cell > 0 ? std::ceil(std::min(cell, float(click))) : 0.0f;
    return std::max(WallToolHitTolerance(), click + static_cast<int32_t>(unseen));
}

// Step 5: a wall tool's press or release on a wall of the current floor takes that wall as its
// click; on a selected point, or a selected segment while no snap mode pulls the point, the
// gesture becomes a move. A point anywhere in the tolerance square is taken first, so a press
// on a corner keeps it beside another wall's free end; then the nearest free end within its
// wider reach; then the segments.
void WallHandOver(int32_t x, int32_t y) {
    DocState* ds = CurrentDocState();
    ClickInfo record;
    record.ciWhere = POINT{x, y};
    static constexpr int16_t kWalls[] = {objtype::kWall};
    Layer* layer = gCurDocument->itsCurLayer;
    // Both reaches are worked out from the document's own tolerance, before either is set.
    const int32_t tolerance = WallToolHitTolerance(), reach = WallFreeEndReach();
    bool hit;
    {
        ToleranceScope points(ds, tolerance);
        hit = SelectPointFromLayer(layer, &record, kWalls, 1);
        if (!hit) {
            ToleranceScope ends(ds, reach);
            hit = SelectFreeEndFromLayer(layer, &record, kWalls, 1);
        }
        if (!hit) {
            record = ClickInfo{};
            record.ciWhere = POINT{x, y};
            hit = SelectFromLayer(layer, &record, 0, kWalls, 1);
        }
    }
    if (!hit || (!record.ciPointHit && !record.ciSegmentHit) || !record.ciPoint) {
        gClickInfo.ciHit = 0;
        return;
    }
    gClickInfo = record;
    gClickInfo.ciHit = 1;
    auto becomeMove = [] {
        gResetWallTool = gCurTool;
        gCurTool = toolid::kSelect;
        gResetToWallTool = 1;
    };
    if (record.ciPointHit) {
        if (record.ciPoint->selected) becomeMove();
    } else if (record.ciPoint2) {
        if (gCurSnap != snapmode::kNone && gCurSnap != snapmode::kPerpendicular) gClickInfo.ciHit = 0;
        else if (record.ciPoint->selected && record.ciPoint2->selected) becomeMove();
    }
}

void Unzoom(float* x, float* y, float* z) {
    *x = UnzoomF(*x), *y = UnzoomF(*y), *z = UnzoomF(*z);
}

}  // namespace

int32_t WallToolHitTolerance() { return std::max(ZoomL(20), PickHalfSize()); }

void EvaluatePoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                   uint8_t unzoom) {
    if (!outX || !outY || !outZ || !gCurDocument) return;
    const DocState* ds = CurrentDocState();
    *outX = static_cast<float>(x), *outY = static_cast<float>(y), *outZ = 0.0f;
    if (ds)
        ComputeInverseRotationAboutArbitraryAxis(outX, outY, outZ, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle,
                                                 gGlobalXOffset, gGlobalYOffset, gGlobalZOffset);
    if (unzoom) Unzoom(outX, outY, outZ);
    const int16_t tool = gCurTool;
    if (!ds || tool == toolid::kNone) return;

    if (tool != toolid::kRotate && tool != toolid::kCircularArc) Constrain(PlanPoint{outX, outY, outZ, snap != 0}, info);

    if (gCurSnap != snapmode::kNone && !(IsWallTool(tool) && gCurSnap == snapmode::kPerpendicular)) {
        CADEvaluatePoint(x, y, outX, outY, outZ, snap, info, unzoom);
        float vx = *outX, vy = *outY, vz = *outZ;
        ConversionToIsometric(&vx, &vy, &vz, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                              gGlobalYOffset, gGlobalZOffset, unzoom);
        x = dvxnum::TruncToInt32(vx + 0.5), y = dvxnum::TruncToInt32(vy + 0.5);
    }
    if (IsWallTool(tool) && info) WallHandOver(x, y);
}

void CADEvaluatePoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                      uint8_t unzoom) {
    if (!outX || !outY || !outZ || !snap || !gCurDocument || gCurSnap == -1 || gCurTool == toolid::kNone) return;
    Layer* layers = gCurDocument->itsLayers;
    const int16_t mode = gCurSnap;
    if (mode == snapmode::kNone || !layers) return;
    // The caller's record is only borrowed.
    struct Keep {
        ClickInfo* record;
        ClickInfo saved;
        ~Keep() {
            if (record) *record = saved;
        }
    } keep{info, info ? *info : ClickInfo{}};
    ClickInfo scratch;
    ClickInfo* record = info ? info : &scratch;
    *record = ClickInfo{};
    record->ciWhere = POINT{x, y};
    bool hit = SelectFromAllLayers(layers, record, 0, nullptr, 0);
    record->ciHit = hit ? 1 : 0;
    if (mode == snapmode::kIntersection) {
        gSnapInfo = ClickInfo{};
        gSnapInfo.ciWhere = POINT{x, y};
        gSelectIndex = 2;
        hit = SelectFromAllLayers(layers, &gSnapInfo, 0, nullptr, 0);
        gSelectIndex = 1;
        gSnapInfo.ciHit = hit ? 1 : 0;
    }
    float h = 0.0f, d = 0.0f;
    if ((!hit && mode != snapmode::kOrigin) || !SnapPoint(record, x, y, mode, layers, &h, &d)) return;
    *outX = ZoomF(h), *outY = ZoomF(d);
    *outZ = ComputePointOnPlane(*outX, *outY, gGridC1, gGridC2, gGridC3, gGridCONST);
    // At distance 0 the divide would collapse the point onto the eye.
    if (gPerspective && gViewDistance != 0.0f) RemovePerspective(outX, outY, outZ, gViewDistance, 0, 0, 0);
    ComputeInverseRotationAboutArbitraryAxis(outX, outY, outZ, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0,
                                             0);
    if (unzoom) Unzoom(outX, outY, outZ);
}

void ConstrainPoint(const Float3DPoint* from, Float3DPoint* to) {
    const DocState* ds = CurrentDocState();
    if (!ds || !from || !to) return;
    const FloatRect& limits = ds->lotRect;
    const Float3DPoint& origin = ds->viewOrigin;
    auto clamp = [](float& v, float low, float high) {
        if (v < low) v = low;
        if (v > high) v = high;
    };
    auto raise = [&](float& v) { v = std::max(v, limits.floatTop); };
    auto lockLine = [](uint8_t locked, float line, float from, float& to) {
        if (!locked) return;
        const int16_t at = dvxnum::TruncToInt16(line), f = dvxnum::TruncToInt16(from), t = dvxnum::TruncToInt16(to);
        if ((f < at && t > at) || (f > at && t < at) || f == at) to = line;
    };
    switch (ds->viewKind) {
    case 2:
        clamp(to->floatH, limits.floatLeft, limits.floatRight);
        clamp(to->floatD, limits.floatTop, limits.floatBottom);
        lockLine(ds->stopAtOriginH, origin.floatH, from->floatH, to->floatH);
        lockLine(ds->stopAtOriginD, origin.floatD, from->floatD, to->floatD);
        break;
    case 1:
        clamp(to->floatH, limits.floatLeft, limits.floatRight);
        raise(to->floatV);
        lockLine(ds->stopAtOriginH, origin.floatH, from->floatH, to->floatH);
        lockLine(ds->stopAtOriginV, origin.floatV, from->floatV, to->floatV);
        break;
    case 3:
        clamp(to->floatD, limits.floatTop, limits.floatBottom);
        raise(to->floatV);
        lockLine(ds->stopAtOriginD, origin.floatD, from->floatD, to->floatD);
        lockLine(ds->stopAtOriginV, origin.floatV, from->floatV, to->floatV);
        break;
    default: break;
    }
}

void EvaluateFloatPoint(float x, float y, float* outX, float* outY, float* outZ, uint8_t snap, const ClickInfo* info,
                        uint8_t unzoom) {
    if (!outX || !outY || !outZ || !gCurDocument) return;
    const DocState* ds = CurrentDocState();
    const int16_t kind = ds ? ds->viewKind : 0;
    *outX = x, *outY = y;
    if (info && info->ciObject && kind >= 1 && kind <= 3) {
        const Float3DPoint& at = info->ciHitPos;
        *outZ = ComputePointOnPlaneParallelToGrid(*outX, *outY, kind == 2 ? at.floatV : kind == 3 ? at.floatH : at.floatD);
    } else {
        *outZ = ComputePointOnPlane(*outX, *outY, gGridC1, gGridC2, gGridC3, gGridCONST);
    }
    if (gPerspective && gViewDistance != 0.0f) RemovePerspective(outX, outY, outZ, gViewDistance, 0, 0, 0);
    ComputeInverseRotationAboutArbitraryAxis(outX, outY, outZ, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle,
                                             gGlobalXOffset, gGlobalYOffset, gGlobalZOffset);
    if (unzoom) Unzoom(outX, outY, outZ);
    if (snap && gCurTool != toolid::kTextEntry) Snap3DPointToGrid(ds, outX, outY, outZ);
}

void RegisterPointEvaluation() { RegisterPointEvaluator(EvaluatePoint); }
