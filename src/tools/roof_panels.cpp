#include "tools/roof_panels.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/direction.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_lines.h"
#include "plan/refresh_seams.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "tracking/outline_tracker.h"
#include "tools/roof_attachments.h"
#include "tracking/evaluate_point.h"
#include "model/poly_builders.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kDegrees = 0.017453292f;
constexpr float kArrowHalf = 40.0f;
constexpr float kPlaneReach = 100.0f;
constexpr float kSlabThickness = 6.0f;  // inches between the slab's rings
constexpr int32_t kRoofingPlan = 16;
constexpr int16_t kFullScale = 100;
constexpr int kTextureSlot1 = 4;  // `textureScales` holds slots 2, 3, 4, 5, 1
constexpr RGBColor kRed{0xFFFF, 0, 0};
constexpr RGBColor kTopColour{58000, 58000, 58000};
constexpr RGBColor kSecondColour{57311, 52685, 46517};
constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kTopTexture = 1255;
constexpr float kRoundStep = 15.0f;
constexpr int16_t kShiftOnly = 4;  // gTrackModifiers with Shift alone held

float RoundTo15(float degrees) { return float(int(degrees / kRoundStep + 0.5f)) * kRoundStep; }

// Degrees in [0, 360) of the plan direction from (h1, d1) to (h2, d2), D pointing down.
float PlanAngle(float h1, float d1, float h2, float d2) {
    float a = std::atan2(-(d2 - d1), h2 - h1) / kDegrees;
    if (a < 0) a += 360.0f;
    if (a >= 360.0f) a -= 360.0f;
    return a;
}

struct PlanCentre {
    float h = 0, d = 0;
};

// The centre of the panel's outline in plan (its 3D bounds' H and D).
PlanCentre CentreOf(const Objex* panel) {
    Float3DRect box = EmptyFloat3DRect();
    for (const Poinz* p = panel->firstPoint; p; p = p->next) Refine3DBounds(p->position[0], p->position[1], p->position[2], &box);
    if (IsEmptyBounds(box)) return {};
    return {(box.floatLeft + box.floatRight) / 2, (box.floatBack + box.floatFront) / 2};
}

void PlaceArrow(Objex* arrow, PlanCentre k, float degrees) {
    float dx = 0, dy = 0;
    GetPointFromLengthAndAngle(degrees * kDegrees, kArrowHalf, &dx, &dy);
    Poinz* tail = arrow->firstPoint;
    Poinz* head = tail ? tail->next : nullptr;
    if (!head) return;
    tail->position[0] = k.h - dx, tail->position[1] = 0, tail->position[2] = k.d - dy;
    head->position[0] = k.h + dx, head->position[1] = 0, head->position[2] = k.d + dy;
    UpdateObjectBounds(arrow);
}

// A new two-point arrow, the panel's last child.
Objex* NewArrow(Objex* panel) {
    Objex* arrow = CreateObject(objtype::kSlopeArrow, 0, 1, &panel->fillColor, &panel->penColor,
                                objfield::freehand_roof::kPitch(*panel), 0, 0, nullptr, nullptr, nullptr, panel,
                                panel->layer, TypeData{});
    if (!arrow) return nullptr;
    arrow->rows = 1;
    arrow->planBits = panel->planBits;
    for (int i = 0; i < 2; ++i) {
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, arrow);
        if (!p) {
            DeleteObj(arrow);
            return nullptr;
        }
        AppendPointToObject(p, arrow);
    }
    arrow->pointCount = 2;
    AppendChildToObject(arrow, panel);
    return arrow;
}

void CopyMaterials(const Objex* panel, Objex* slab) {
    slab->fillColor = panel->fillColor, slab->penColor = panel->penColor;
    slab->texture = panel->texture;
    slab->texture2 = panel->texture2, slab->color2 = panel->color2;
    slab->texture3 = panel->texture3, slab->color3 = panel->color3;
    slab->texture4 = panel->texture4, slab->color4 = panel->color4;
    std::copy(std::begin(panel->textureScales), std::end(panel->textureScales), std::begin(slab->textureScales));
    for (Poinz* p = slab->firstPoint; p; p = p->next) {
        p->texture1 = panel->texture2, p->texture2 = panel->texture3;
        p->color1 = panel->color2, p->color2 = panel->color3;
        p->faceScale1 = panel->textureScales[kTextureSlot1], p->faceScale2 = panel->textureScales[1];
    }
}

// The slab's generated-part list, emptied; the panel owns nothing else there.
void FreeSlabs(Objex* panel) {
    if (panel->typeData.kind == TypeDataKind::RoofPanels) DeleteObjectList(panel->typeData.roofPanels);
    else if (panel->typeData.kind != TypeDataKind::None) DeleteObjectData(panel);
    panel->typeData = TypeData::OfRoofPanels(nullptr);
}

}  // namespace

Objex* FindSlopeDirectionArrowObject(Objex* panel) {
    for (Objex* child = panel ? panel->firstChild : nullptr; child; child = child->next)
        if (child->type == objtype::kSlopeArrow) return child;
    return nullptr;
}

bool SlopeDirectionArrowExists(Objex* panel) { return FindSlopeDirectionArrowObject(panel) != nullptr; }

void SetRoofPanelSlope(Objex* panel, Objex* slab) {
    const DocState* ds = CurrentDocState();
    if (!panel || !slab || !gCurDocument || !ds) return;
    const float theta = objfield::freehand_roof::kSlopeDirection(*panel) * kDegrees;
    float uh = 0, ud = 0, vh = 0, vd = 0;
    GetPointFromLengthAndAngle(theta, kPlaneReach, &uh, &ud);
    GetPointFromLengthAndAngle(theta + kPi / 2, kPlaneReach, &vh, &vd);
    const float rise = objfield::freehand_roof::kPitch(*panel) / 12.0f * kPlaneReach;
    float a = 0, b = 0, c = 0, d = 0;
    CalcParametric(uh, ud, rise, 0, 0, 0, vh, vd, 0, &a, &b, &c, &d);
    std::vector<Poinz*> points;
    for (Poinz* p = slab->firstPoint; p; p = p->next) points.push_back(p);
    const size_t k = points.size() / 2;
    if (k < 3) return;
    float offset = 0;
    const bool fromTop = objfield::freehand_roof::kHeightsDownward(*panel) != 0;
    for (size_t i = 0; i < k; ++i) {
        Poinz* p = points[i];
        p->position[1] = ComputePointOnPlane(p->position[0], p->position[2], a, b, c, d);
        if (i == 0 || (fromTop ? p->position[1] < offset : p->position[1] > offset)) offset = p->position[1];
    }
    objfield::roof_section::kA(*slab) = a, objfield::roof_section::kB(*slab) = b;
    objfield::roof_section::kC(*slab) = c, objfield::roof_section::kD(*slab) = d;
    objfield::roof_section::kOffset(*slab) = offset;
    const float thickness = ConvertWorldToScreen(kSlabThickness, ds, 0);
    for (size_t i = 0; i < k; ++i) {
        points[i]->position[1] -= offset;
        if (k + i < points.size()) points[k + i]->position[1] = points[i]->position[1] - thickness;
    }
}

void Update3DRoofPanel(Objex* panel) {
    const DocState* ds = CurrentDocState();
    if (!panel || !gCurDocument || !ds || panel->type != objtype::kFreehandRoof) return;
    Layer* layer = TreeFloor(panel);
    if (!layer) return;
    DeleteRendererObject(panel);
    FreeSlabs(panel);
    std::vector<Float3DPoint> first, tangents;
    for (const Poinz* p = panel->firstPoint; p; p = p->next) first.push_back({p->position[0], 0, p->position[2]});
    tangents.resize(first.size());
    const int32_t n = int32_t(first.size());
    Objex* slab = n ? BuildGeneralPoly(first.data(), first.data(), tangents.data(), tangents.data(), tangents.data(),
                                       tangents.data(), n, layer, 1, objtype::kClosedOutline, 1, 0)
                    : nullptr;
    if (slab) {
        slab->type = objtype::kPanelSlab;
        slab->sourceObject = panel;
        objfield::freehand_roof::kSlopeDirection(*slab) = objfield::freehand_roof::kSlopeDirection(*panel);
        ValidateCapDirection(slab);
        SetTextureFaceUV(slab);
        SetObjectPointLengths(slab);
        CopyMaterials(panel, slab);
        SetRoofPanelSlope(panel, slab);
        UpdateObjectBounds(slab);
        panel->typeData.roofPanels = slab;
        UpdateAllRoofAttachments(panel);
    }
    Objex* arrow = FindSlopeDirectionArrowObject(panel);
    if (!arrow) arrow = NewArrow(panel);
    if (arrow) PlaceArrow(arrow, CentreOf(panel), objfield::freehand_roof::kSlopeDirection(*panel));
}

void Update3DRoofPanelLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) Update3DRoofPanel(o);
}

void Update3DRoofPanelAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) Update3DRoofPanelLayer(layer);
}

void MakeRoofPanel(Objex* panel, const DocState* ds, float elevation, int16_t anchor, float slopeAngle) {
    panel->type = objtype::kFreehandRoof;
    panel->closed = 1;
    panel->planBits = kRoofingPlan;
    objfield::freehand_roof::kPitch(*panel) = ds->roofPitch;
    panel->elevation = elevation;
    objfield::freehand_roof::kHeightsDownward(*panel) = anchor;
    panel->subtype = 0;
    panel->fillColor = panel->penColor = kRed;
    panel->texture = 0;
    panel->texture2 = kTopTexture, panel->color2 = kTopColour;
    panel->texture3 = 0, panel->color3 = kSecondColour;
    panel->texture4 = 0, panel->color4 = kNoColour;
    for (ShortPoint& s : panel->textureScales) s = ShortPoint{kFullScale, kFullScale};
    SetTextureFaceUV(panel);
    SetObjectPointLengths(panel);
    objfield::freehand_roof::kSlopeDirection(*panel) = slopeAngle;
    // A new outline has no children: the arrow becomes the first.
    if (Objex* arrow = NewArrow(panel)) {
        PlaceArrow(arrow, CentreOf(panel), slopeAngle);
    }
}

void TrackRoofPanel(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    if (stage == 1) {
        const uint8_t saved = g3DObjects;
        g3DObjects = 0;
        RestoreAtGestureEnd([saved] { g3DObjects = saved; });
    }
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 1, 1, objtype::kFreehandRoof, [](Objex* outline) {
        const DocState* ds = CurrentDocState();
        if (!outline || !ds || !outline->layer) return;
        Layer* layer = outline->layer;
        MakeRoofPanel(outline, ds, GetLayerAbsBaseHeight(layer) + layer->height, ds->roofElevationChoice, 270.0f);
        Update3DRoofPanel(outline);
        RenderSingleObject(outline);
    });
}

namespace {

// Degrees of the arrow toward the grabbed end: from the centre to the pointer for the head,
// from the pointer to the centre for the tail.
float GrabAngle(PlanCentre k, POINT where, bool head) {
    float h = 0, v = 0, d = 0;
    EvaluatePoint(where.x, where.y, &h, &v, &d, 1, nullptr, 1);
    return head ? PlanAngle(k.h, k.d, h, d) : PlanAngle(h, d, k.h, k.d);
}

void DrawArrowLine(Objex* arrow, PlanCentre k, float degrees) {
    float dx = 0, dy = 0;
    GetPointFromLengthAndAngle(degrees * kDegrees, kArrowHalf, &dx, &dy);
    feedback::DynamicDrawing drawing;
    // Model points: the line's projection zooms them, so no zoom flag.
    DrawLine(nullptr, k.h - dx, 0, k.d - dy, k.h + dx, 0, k.d + dy, 0, arrow, nullptr);
}

// The release ends the whole gesture: the loop took it.
class ReleasesGesture {
public:
    ReleasesGesture() = default;
    ~ReleasesGesture() { gMouseCaptured = 0; }
    ReleasesGesture(const ReleasesGesture&) = delete;
    ReleasesGesture& operator=(const ReleasesGesture&) = delete;
};

TrackerRoutine TurnArrow(Objex* arrow, Objex* panel, PlanCentre k, bool head, POINT press, float degrees) {
    ReleasesGesture released;
    POINT last = press;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(trackevent::Mask(trackevent::kLeftMouseDragged) |
                                                     trackevent::Mask(trackevent::kLeftMouseUp));
        if (QMDDynamicDrawEngine* engine = feedback::Engine()) engine->removePointsFromAllPaths();
        if (!gCurDocument || !CurrentDocState()) co_return;
        last = e.where;
        if (e.type == trackevent::kLeftMouseUp) break;
        degrees = GrabAngle(k, e.where, head);
        MaintainModifiers();
        if (gTrackModifiers != kShiftOnly) degrees = RoundTo15(degrees);
        DrawArrowLine(arrow, k, degrees);
        feedback::Redraw();
    }
    if (last.x == press.x && last.y == press.y) co_return;
    PlaceArrow(arrow, k, degrees);
    objfield::freehand_roof::kSlopeDirection(*panel) = degrees;
    Update3DRoofPanel(panel);
    ReRenderObject(panel);
    Refresh();
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 1);
    SelectObj(arrow, selmode::kSelect, 1);
}

}  // namespace

void TrackRoofSlopeDirection() {
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) engine->setActivePath(0), engine->removePointsFromAllPaths();
    Objex* arrow = gClickInfo.ciObject;
    if (!gCurDocument || !arrow || !gClickInfo.ciPoint) return;
    Objex* panel = arrow->parent;
    if (!panel || !CurrentDocState()) return;
    const PlanCentre k = CentreOf(panel);
    const bool head = gClickInfo.ciPoint->prev != nullptr;
    const POINT press = gClickInfo.ciWhere;
    const float degrees = RoundTo15(GrabAngle(k, press, head));
    DrawArrowLine(arrow, k, degrees);
    StartTrackerRoutine(TurnArrow(arrow, panel, k, head, press, degrees));
}
