// DrawObject: an object's own drawing, chosen by the per-type table, then its children.
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/view_state.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/base_2d_view.h"
#include "plan/detail_objects.h"
#include "plan/doors.h"
#include "plan/plan_color.h"
#include "plan/plan_frame.h"
#include "plan/plan_lines.h"
#include "plan/plan_labels.h"
#include "model/plan_objects.h"
#include "plan/plan_symbols.h"
#include "plan/roofs.h"
#include "plan/site_symbols.h"
#include "plan/slope_arrows.h"
#include "plan/text_objects.h"
#include "plan/walls.h"
#include "port/drawing.h"

namespace {

using Entry = PlanTypeEntry;
using Stage = PlanTypeEntry::Stage;
using Then = PlanTypeEntry::Then;
using Pieces = PlanTypeEntry::Pieces;

// Routines that need only the object.
template <void (*Draw)(void*, const Objex*)>
void ObjectOnly(void* dc, Objex* object, const RECT*, int32_t, const TransformRecord*) {
    Draw(dc, object);
}

void PerimeterOf(void* dc, Objex* object, const RECT*, int32_t, const TransformRecord*) {
    DrawObjectPerimeter(dc, object);
}
constexpr PlanTypeRoutine kDrawObjectPerimeter = PerimeterOf;

// The pier keeps its square at its diameter while it is drawn.
void PierOf(void* dc, Objex* object, const RECT*, int32_t, const TransformRecord*) {
    DrawFoundationPier(dc, object);
}

constexpr int16_t kType43 = 43;
constexpr int16_t kType201 = objtype::kDimensionText;
constexpr int16_t kSprinkler = 125;
constexpr int32_t kPlanView = 5149;

// Shapes drawn by routines of their own files.
void DetailShape(void*, Objex* object, const RECT*, int32_t flags, const TransformRecord* transform) {
    ApplePortDrawDetailObject(object, flags, transform);
}
void Component(void* dc, Objex* object, const RECT*, int32_t flags, const TransformRecord*) {
    DrawComponent(dc, object, flags, 0, 0, static_cast<int16_t>(object->subtype));
}
void Roof(void* dc, Objex* object, const RECT*, int32_t, const TransformRecord*) { DrawRoof(dc, object); }
void RotatedText(void* dc, Objex* object, const RECT*, int32_t, const TransformRecord*) {
    DrawTextDynamicObject(dc, object);
}

// Every type whose drawing is not a plain outline. An entry without a routine draws nothing
// of its own until its routine lands; a type may have entries for subtype ranges before its
// entry for the rest.
constexpr Entry kPlanTypeTable[] = {
    // Drawn whole by their routine.
    {objtype::kDoor, INT32_MIN, INT32_MAX, Stage::Own, false, DrawDoor},
    {objtype::kWindow, INT32_MIN, INT32_MAX, Stage::Own, false, ObjectOnly<DrawWindow>},
    {objtype::kPlant, INT32_MIN, INT32_MAX, Stage::Own, false, ObjectOnly<DrawPlant>},
    {objtype::kComponent, objsubtype::kAttachedDimension, objsubtype::kAttachedDimension, Stage::Own, false,
     ObjectOnly<DrawDimensionAttachment>},
    {objtype::kComponent, INT32_MIN, INT32_MAX, Stage::Own, false, Component},
    {objtype::kSlopeArrow, INT32_MIN, INT32_MAX, Stage::Own, false, ObjectOnly<DrawRoofSlopeDirectionArrow>},
    {objtype::kAccessory, INT32_MIN, INT32_MAX, Stage::Own, false, ObjectOnly<DrawAccessory>},
    {kType201, INT32_MIN, INT32_MAX, Stage::Own},
    // A wall's plan solid and outline are drawn by the layer before it.
    {objtype::kWall, INT32_MIN, INT32_MAX, Stage::OwnUntransformed, false, nullptr, Then::Outline,
     Pieces::WallSolidAndOutline},
    {objtype::kDetail, 1, 9, Stage::Detail, false, DetailShape},
    {objtype::kDetail, INT32_MIN, INT32_MAX, Stage::Type, true},
    // Perimeter first, then outline.
    {objtype::kFloor, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kPropertyLine, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kFence, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kGroundFill, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kRailing, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kFloorCutout, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kFreehandRoof, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kPhoto, INT32_MIN, INT32_MAX, Stage::Type, true},
    {objtype::kDeck, INT32_MIN, INT32_MAX, Stage::Type, true, ObjectOnly<DrawDeck>, Then::Outline,
     Pieces::Type43},
    // Type routines.
    {objtype::kRoof, INT32_MIN, INT32_MAX, Stage::Type, false, Roof, Then::Done},
    {objtype::kPath, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawPath>, Then::Outline,
     Pieces::All},
    {objtype::kEdging, INT32_MIN, INT32_MAX, Stage::Type, false, nullptr, Then::Outline,
     Pieces::All},
    {objtype::kStaircase, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawStaircase>, Then::Done,
     Pieces::Type43},
    {objtype::kEntireLot, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawTopoSlopeDirectionArrow>},
    // A through-the-points dimension from the first point to the second.
    {objtype::kDiameterDimension, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawDiameterDimension>, Then::Done},
    {objtype::kDimension106, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawDiameterDimension>, Then::Done},
    {objtype::kLeaderDimension, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawLeaderDimension>, Then::Done},
    {objtype::kStiffenerBeam, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawFoundationBeam>,
     Then::Done},
    {objtype::kFoundationPier, INT32_MIN, INT32_MAX, Stage::Type, false, PierOf, Then::Done},
    {objtype::kPostTensionStrand, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawFoundationTensionCable>, Then::Done},
    {objtype::kAirDuct, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawHVACDuct>, Then::Done},
    {kSprinkler, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawSprinkler>},
    {objtype::kFoundationSlope, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawFoundationSlope>,
     Then::Done},
    {objtype::kSlopeLot, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawTopoMultiSlopeDirectionArrow>},
    {objtype::kDimensionLine, INT32_MIN, INT32_MAX, Stage::Type, false, kDrawObjectPerimeter,
     Then::Done},
    {objtype::kOffsetDimensionV, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawDimensionPerimeter>, Then::Done},
    {objtype::kOffsetDimensionH, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawDimensionPerimeter>, Then::Done},
    {objtype::kLengthDimension, INT32_MIN, INT32_MAX, Stage::Type, false,
     ObjectOnly<DrawDimensionPerimeter>, Then::Done},
    {objtype::kText, INT32_MIN, INT32_MAX, Stage::Type, false, RotatedText, Then::Done},
    {objtype::kEnhancedText, INT32_MIN, INT32_MAX, Stage::Type, false, ObjectOnly<DrawTextStandardObject>,
     Then::Done},
};

// First entry of each type code, or -1.
constexpr std::array<int16_t, objtype::kTypeCodeLimit> IndexPlanTypeTable() {
    std::array<int16_t, objtype::kTypeCodeLimit> first{};
    for (auto& i : first) i = -1;
    for (int i = static_cast<int>(std::size(kPlanTypeTable)) - 1; i >= 0; --i)
        first[kPlanTypeTable[i].type] = static_cast<int16_t>(i);
    return first;
}
constexpr auto kFirstEntry = IndexPlanTypeTable();

const port::Color kRed{1, 0, 0, 1};

std::vector<const Poinz*> PointsOf(const Objex* object) {
    std::vector<const Poinz*> points;
    for (const Poinz* p = object->firstPoint; p; p = p->next) points.push_back(p);
    return points;
}

// The outline of a point-based object (rows of points, joined).
void DrawOutline(void* dc, Objex* object, int32_t flags,
                 const TransformRecord* transform, int32_t view) {
    const bool ownedByWall = object->subtype == objsubtype::kWallSolid && object->sourceObject &&
                             object->sourceObject->type == objtype::kWall;
    if (ownedByWall && view == kPlanView) {
        Draw2DWall(dc, object, object->sourceObject);
        return;
    }
    const Poinz* const first = object->firstPoint;
    if (object->rows == 1) {
        // Along the list itself: most objects are one row, drawn without gathering points.
        const ObjectLineStyle style(object);
        const bool quickForm = object->type == objtype::kQuickWallForm;
        const size_t gap = static_cast<size_t>(object->pointCount / 2);  // 1-based point number
        const Poinz* last = first;
        size_t i = 0;
        for (const Poinz* p = first; p && p->next; p = p->next, ++i) {
            if (!(quickForm && i + 1 == gap)) DrawObjectSegment(dc, object, p, p->next, flags, transform);
            last = p->next;
        }
        if (object->closed && !quickForm && last != first)
            DrawObjectSegment(dc, object, last, first, flags, transform);
    } else if (object->subtype == objsubtype::kWallSolid) {
        if (ownedByWall) Draw2DWall(dc, object, object->sourceObject);
        return;
    } else if (object->rows > 1) {
        const ObjectLineStyle style(object);
        const std::vector<const Poinz*> points = PointsOf(object);
        const size_t count = points.size();
        const size_t rows = static_cast<size_t>(object->rows);
        const size_t n = static_cast<size_t>(object->pointCount) / rows;
        if (n == 0 || n * rows > count) return;
        auto row = [&](size_t k) {
            const Poinz* const* r = &points[k * n];
            for (size_t i = 0; i + 1 < n; ++i) DrawObjectSegment(dc, object, r[i], r[i + 1], flags, transform);
            if (object->closed && n > 1) DrawObjectSegment(dc, object, r[n - 1], r[0], flags, transform);
        };
        for (size_t k = 0; k + 1 < rows; ++k) {
            if (k == 0) row(0);
            row(k + 1);
            for (size_t i = 0; i < n; ++i)
                DrawLinkSegment(dc, object, points[k * n + i], points[(k + 1) * n + i], flags, transform);
        }
    }
    if (object->type == objtype::kTopography && gCurDocument && object->layer &&
        object->layer == gCurDocument->itsTopoLayer) {
        size_t i = 1;
        for (const Poinz* p = first ? first->next : nullptr; p; p = p->next, ++i)
            if (i % 2 == 1 || !p->next) DrawTopoLineElevation(dc, object, p);
    }
}

// Steps 4 to 9 of the object's own drawing, in the colour set by the caller.
void DrawOwn(void* dc, Objex* object, const RECT* rect, int32_t flags,
             const TransformRecord* transform, int32_t view) {
    const Entry* entry = FindPlanTypeEntry(object->type, object->subtype);
    Stage stage = entry ? entry->stage : Stage::Type;
    if (stage == Stage::OwnUntransformed) stage = transform ? Stage::Type : Stage::Own;
    switch (stage) {
    case Stage::Own:
    case Stage::OwnUntransformed:
        if (entry && entry->routine) entry->routine(dc, object, rect, flags, transform);
        return;
    case Stage::Detail:
        if (entry->routine) entry->routine(dc, object, rect, flags, transform);
        if (!gRealTimeDraw && !gDynamicDrawing) DrawObjectPerimeter(dc, object);
        return;
    case Stage::Type:
        break;
    }
    if (entry && entry->perimeter && object->subtype != objsubtype::kSwitchConnector &&
        !gDynamicDrawing)
        DrawObjectPerimeter(dc, object);
    if (entry && !transform && !gDynamicDrawing) {
        if (entry->routine) entry->routine(dc, object, rect, flags, transform);
        if (entry->then == Then::Done) return;
    }
    DrawOutline(dc, object, flags, transform, view);
}

void DrawChildren(void* dc, Objex* object, const RECT* rect, int32_t flags,
                  const TransformRecord* transform, int32_t planMask) {
    for (Objex* child = object->firstChild; child; child = child->next) {
        if (objtype::IsWallAttachment(child->type)) {
            if (IsObjectOnCurrentPlan(child, planMask)) DrawObject(dc, child, rect, flags, transform);
            continue;
        }
        if (child->type != objtype::kSkylight) {
            DrawObject(dc, child, rect, flags, transform);
            continue;
        }
        const RoofAttachmentRecord* record = child->typeData.roofAttachment;
        if (!record) continue;
        if (record->style != 806) {
            DrawObject(dc, child, rect, flags, transform);
            continue;
        }
        // A custom skylight shows as the opening outlines built where it stands (not those of
        // its definition), selected with it during a move.
        const bool showSelected =
            (flags & (drawflag::kRotate | drawflag::kTranslate)) && IsObjectSelected(child);
        for (Objex* piece = record->customParts; piece; piece = piece->next) {
            if (piece->type != objtype::kOpeningMask) continue;
            if (showSelected) SelectObj(piece, 1, 0);
            DrawObject(dc, piece, rect, flags, transform);
            if (showSelected) SelectObj(piece, 2, 0);
        }
    }
}

}  // namespace

const PlanTypeEntry* FindPlanTypeEntry(int16_t type, int32_t subtype) {
    if (type < 0 || type >= objtype::kTypeCodeLimit) return nullptr;
    for (int i = kFirstEntry[type]; i >= 0 && i < static_cast<int>(std::size(kPlanTypeTable)) &&
                                    kPlanTypeTable[i].type == type;
         ++i) {
        const Entry& e = kPlanTypeTable[i];
        if (subtype >= e.subtypeLow && subtype <= e.subtypeHigh) return &e;
    }
    return nullptr;
}

void DrawObject(void* dc, Objex* object, const RECT* rect, int32_t flags,
                const TransformRecord* transform) {
    DocState* ds = CurrentDocState();
    if (!ds || !object) return;
    bool mayDraw = true;
    int32_t view = 0;  // not read in real-time drawing: counts as another view
    if (!gRealTimeDraw) {
        mayDraw = CanObjectBeDrawn(object, flags);
        view = GetCurrentView();
    }
    if (object->visible && mayDraw) {
        const RGBColor saved = ds->penColor;
        const Objex* root = GetRootObject(object);
        if (root && root->type == objtype::kWall && root->layer &&
            root->layer == gCurDocument->itsCurLayer)
            GetObjectPlanColor(object, &ds->penColor);
        port::DrawingContext& context = port::currentDrawingContext();
        context.save();
        const port::Color color = (flags & drawflag::kRed) ? kRed : PlanColor(ds->penColor);
        context.setStrokeColor(color);
        context.setFillColor(color);
        if (gTransformationDrawing) {
            Base2DView* mainView = MainWindowDocumentView();
            if (QMDDynamicDrawEngine* engine = mainView ? mainView->dynamicDrawEngine.get() : nullptr) {
                auto element = std::make_unique<QMDDynamicTransformElement>();
                element->setLineStyleForObject(object);
                engine->addDynamicTransformElement(std::move(element));
            }
        }
        DrawOwn(dc, object, rect, flags, transform, view);
        context.restore();
        ds->penColor = saved;
    }
    DrawChildren(dc, object, rect, flags, transform, ds->visiblePlans);
}
