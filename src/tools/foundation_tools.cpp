#include "tools/foundation_tools.h"

#include <cmath>
#include <new>

#include "app/core/localization_seams.h"
#include "model/attached_dimension_batch.h"
#include "model/convert_curves.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "tracking/outline_tracker.h"
#include "tools/wall_construction.h"
#include "tools/wall_defaults.h"
#include "model/poly_builders.h"
#include "tracking/snap_modes.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/track_mouse.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int32_t kFoundationPlan = 1;
constexpr int16_t kOutlineType = 54;  // the outline tracker's foundation rubber band
constexpr int16_t kShift = 4;
constexpr float kTurnStep = float(M_PI / 12);  // 15 degrees
constexpr float kNoFloorHeight = 96.0f;
constexpr float kSegmentPitch = 10.0f;
constexpr int32_t kBaseMoulding = 3;
constexpr int16_t kInwardSide = 7, kOtherSide = 8;
// The automatic flooring under a foundation: a foot deep, 30 cm in a metric design.
constexpr float kFloorDepthInches = 12.0f;
constexpr float kMetricFloorDepthInches = 30.0f / 2.54f;

// The snap lock as it was before the pier gesture.
bool sPierLockHeld = false;
uint8_t sPierSavedLock = 0;

}  // namespace
static const port::GlobalReset kReset([] { sPierLockHeld = false, sPierSavedLock = 0; });

namespace {

void ShowPerimeterUndefined() {
    port::Alert alert;
    alert.message = LocalizedString("Foundation perimeter is undefined.");
    alert.informative =
        LocalizedString("A foundation perimeter must contain at least three points to define an area.");
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

void MakeFoundationWall(Objex* wall, int16_t direction, const DocState* ds) {
    SetNewWallDefaults(wall, NewWallKind::Exterior, ds);
    wall->subtype = objsubtype::kExteriorWall;
    wall->visible = 1;
    wall->flagA = 0;
    wall->planBits = kFoundationPlan;
    wall->fillColor = ds->wallColor;
    wall->auxColor.red = 0;
    wall->cutoutFlag = 0;
    const float height = wall->layer ? wall->layer->height : kNoFloorHeight;
    objfield::wall::kHeight(*wall) = height;
    objfield::wall::kFloorDepth(*wall) = ds->units == kMetricUnits ? kMetricFloorDepthInches : kFloorDepthInches;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = 0;
        p->color1 = p->color2 = ds->wallColor;
        p->baseElevation = ds->currentElevation;
        objfield::wall_segment::kFirstHeight(*p) = height;
        objfield::wall_segment::kPitchA(*p) = kSegmentPitch;
        objfield::wall_segment::kPitchB(*p) = kSegmentPitch;
        objfield::wall_segment::kSecondHeight(*p) = 1.25f * height;
        objfield::wall_segment::kPeakHeight(*p) = 1.75f * height;
        p->wallStyle = 0;
        p->dimensionMethod = 1;
        p->dimensionFlipped = direction == 1 ? 1 : 0;
        p->segmentFlags = 0;
        // A base moulding on the side the winding names; the other side an empty record, as a
        // read gives it, for every wall point owns both and a trim dropped there fills it.
        DeleteTrimRecord(p->trim1);
        DeleteTrimRecord(p->trim2);
        TrimRecord* trim = NewWallTrimRecord(false);
        if (trim) trim->slot[0] = kBaseMoulding;
        (direction == 1 ? p->trim2 : p->trim1) = trim;
        (direction == 1 ? p->trim1 : p->trim2) = new (std::nothrow) TrimRecord{};
    }
    SetTextureFaceUV(wall);
    SetObjectPointLengths(wall);
}

// --- the dragged line tools ---

enum class LineTool { Beam, Strand, Slope };

Float3DPoint LineEnd(const Float3DPoint& start, float h, float d) {
    Float3DPoint end{h, start.floatV, d};
    MaintainModifiers();
    if (gTrackModifiers & kShift) return end;
    float length = 0;
    const float angle = GetLineLengthAndAngle(start.floatH, start.floatD, h, d, &length);
    if (length <= 0) return end;
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(std::round(angle / kTurnStep) * kTurnStep, length, &dh, &dd);
    return {start.floatH + dh, start.floatV, start.floatD + dd};
}

Float3DPoint Offset(const Float3DPoint& p, float angle, float distance) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dd);
    return {p.floatH + dh, p.floatV, p.floatD + dd};
}

void DrawLineFeedback(LineTool tool, const Float3DPoint& a, const Float3DPoint& b, const DocState* ds) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (!engine) return;
    engine->removePointsFromAllPaths();
    float length = 0;
    const float angle = GetLineLengthAndAngle(a.floatH, a.floatD, b.floatH, b.floatD, &length);
    const float across = angle + kTurnStep * 6;
    const float back = angle + float(M_PI);
    switch (tool) {
    case LineTool::Beam: {
        const float half = ConvertWorldToScreen(ds->stiffenerBeamWidth, ds, 0) / 2;
        const Float3DPoint a1 = Offset(a, across, half), a2 = Offset(a, across, -half);
        const Float3DPoint b1 = Offset(b, across, half), b2 = Offset(b, across, -half);
        engine->setActivePath(1);
        const float dash[2] = {18.0f, 6.0f};
        engine->setActivePathLineDash(dash, 2, 0);
        feedback::Line(engine, a1, b1), feedback::Line(engine, a2, b2);
        feedback::Line(engine, a1, a2), feedback::Line(engine, b1, b2);
        engine->setActivePath(0);
        feedback::Line(engine, a, b);
        feedback::Dimension(a.floatH, a.floatD, b.floatH, b.floatD, 17.0f, false);
        break;
    }
    case LineTool::Strand:
        engine->setActivePath(0);
        feedback::Line(engine, Offset(a, across, 5.0f), Offset(a, across, -5.0f));
        feedback::Line(engine, a, b);
        feedback::Line(engine, b, Offset(b, back + kTurnStep, 12.0f));
        feedback::Line(engine, b, Offset(b, back - kTurnStep, 12.0f));
        feedback::Dimension(a.floatH, a.floatD, b.floatH, b.floatD, 5.0f, false);
        break;
    case LineTool::Slope: {
        feedback::DynamicDrawing drawing;
        engine->setActivePath(0);
        feedback::Line(engine, b, a);
        feedback::Line(engine, b, Offset(b, back + 2 * kTurnStep, 50.0f));
        feedback::Line(engine, b, Offset(b, back - 2 * kTurnStep, 50.0f));
        break;
    }
    }
    feedback::Redraw();
}

int16_t LineType(LineTool tool) {
    switch (tool) {
    case LineTool::Beam: return objtype::kStiffenerBeam;
    case LineTool::Strand: return objtype::kPostTensionStrand;
    case LineTool::Slope: return objtype::kFoundationSlope;
    }
    return 0;
}

void TrackFoundationLine(LineTool tool, float h, float d, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const Float3DPoint start = feedback::Down();
    const Float3DPoint end = LineEnd(start, h, d);
    DrawLineFeedback(tool, start, end, ds);
    if (stage != 3) return;
    gMouseCaptured = 0;
    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
        return;
    }
    feedback::Clear();
    Layer* layer = gCurDocument->itsCurLayer;
    const Float3DPoint at[2] = {start, end};
    const Float3DPoint none[2] = {};
    Objex* line = layer ? BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 2, layer, 1) : nullptr;
    if (line) {
        line->type = LineType(tool);
        line->planBits = kFoundationPlan;
        if (tool == LineTool::Beam) {
            objfield::beam::kDepth(*line) = ds->foundationBeamValue;
            objfield::beam::kWidth(*line) = ds->stiffenerBeamWidth;
        }
    }
    Refresh();
}

}  // namespace

void TrackFoundation(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 1, 1, kOutlineType, [](Objex* outline) {
        const DocState* ds = CurrentDocState();
        if (!outline || !ds) return;
        if (outline->pointCount < 3) {
            DeleteObj(outline);
            ShowPerimeterUndefined();
            return;
        }
        outline->type = objtype::kWall;
        outline->subtype = objsubtype::kExteriorWall;
        const int16_t direction = GetParallelDirection(outline);
        Objex* wall = MakeClosedParallel(outline, ds->wallThickness / 2, direction == 1 ? kInwardSide : kOtherSide);
        DeleteObj(outline);
        if (!wall) return;
        MakeFoundationWall(wall, direction, ds);
        Update3DWall(wall);
        RenderSingleObject(wall);
        MeasureFloorOfWalls(wall);
    });
}

void TrackFoundationBeam(int32_t, int32_t, float h, float, float d, int16_t stage) {
    TrackFoundationLine(LineTool::Beam, h, d, stage);
}

void TrackFoundationTension(int32_t, int32_t, float h, float, float d, int16_t stage) {
    TrackFoundationLine(LineTool::Strand, h, d, stage);
}

void TrackFoundationSlope(int32_t, int32_t, float h, float, float d, int16_t stage) {
    TrackFoundationLine(LineTool::Slope, h, d, stage);
}

void TrackFoundationPier(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (stage == 1 && !sPierLockHeld) {
        sPierSavedLock = gSnapLocked;
        sPierLockHeld = true;
        // However the gesture ends, the lock goes back.
        RestoreAtGestureEnd([] {
            if (!sPierLockHeld) return;
            sPierLockHeld = false;
            gSnapLocked = sPierSavedLock;
        });
    }
    if (stage != 3) {
        gSnapLocked = 1;
        return;
    }
    if (sPierLockHeld) gSnapLocked = sPierSavedLock, sPierLockHeld = false;
    ResetSnapTool();
    gMouseCaptured = 0;
    if (!gCurDocument || !ds || !gCurDocument->itsCurLayer) return;
    const float half = ConvertWorldToScreen(ds->pierDiameter, ds, 0) / 2;
    const Float3DPoint at[4] = {{h - half, v, d - half}, {h + half, v, d - half}, {h + half, v, d + half},
                                {h - half, v, d + half}};
    const Float3DPoint none[4] = {};
    Objex* pier = BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 4, gCurDocument->itsCurLayer, 1);
    if (pier) {
        pier->type = objtype::kFoundationPier;
        pier->planBits = kFoundationPlan;
        objfield::pier::kWidth(*pier) = ds->pierDiameter;
    }
    Refresh();
}
