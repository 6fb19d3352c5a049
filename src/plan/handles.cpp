#include "plan/handles.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/windows_records.h"
#include "model/numeric.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/selection_queries.h"
#include "model/selection_roster.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "plan/selection_feedback.h"
#include "plan/slope_arrows.h"
#include "port/drawing.h"
#include "port/seam.h"
#include "model/tool_state.h"

int16_t gKeyEntrySelectionFlag = 1;
static const port::GlobalReset kReset([] { gKeyEntrySelectionFlag = 1; });

namespace {

constexpr float kCubeLineWidth = 2.0f;
constexpr int32_t kLastUnboxedDetail = 9;

int16_t Whole(float v) { return dvxnum::TruncToInt16(static_cast<double>(v) + 0.5); }

// The model point in view units, as a handle's centre.
void Project(float h, float v, float d, int16_t* x, int16_t* y) {
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    if (gPerspective) AddPerspective(&h, &v, &d, gViewDistance, 0, 0, 0);
    *x = Whole(h), *y = Whole(v);
}

// Fills the shape in `fill` and outlines it in black.
void PaintHandle(const RECT& box, bool round, port::Color fill) {
    PlatformRect r;
    ConvertRECTToNSRect(&r, &box);
    port::Path path;
    if (round) path.appendOval({r.x, r.y, r.width, r.height});
    else path.appendRect({r.x, r.y, r.width, r.height});
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setFillColor(fill);
    context.fillPath(path);
    context.setStrokeColor({0, 0, 0, 1});
    context.setLineWidth(1);
    context.setLineDash({}, 0);
    context.strokePath(path);
    context.restore();
}

bool DrawsBox(const Objex* o) {
    if (o->type == objtype::kEnhancedText || o->type == objtype::kOldText) return false;
    return !(o->type == objtype::kDetail && o->subtype >= 1 && o->subtype <= kLastUnboxedDetail);
}

bool HasSelectionLine(int16_t type) {
    switch (type) {
    case objtype::kDoor:
    case objtype::kWindow:
    case objtype::kDeckSteps:
    case objtype::kSlopeArrow:
    case objtype::kStaircase:
        return true;
    default:
        return false;
    }
}

// Where the box's edges go: a transform element of the engine or a path stroked at the end.
class CubeSink {
public:
    CubeSink() {
        if (!gTransformationDrawing) return;
        Base2DView* view = MainWindowDocumentView();
        if (!view) return;
        auto element = std::make_unique<QMDDynamicTransformElement>();
        element->setLineWidth(kCubeLineWidth);
        element->setDrawUsingIndicatorColor(1);
        element_ = element.get();
        view->dynamicDrawEngine->addDynamicTransformElement(std::move(element));
    }
    bool usable() const { return element_ || !gTransformationDrawing; }

    void edge(PlatformPoint a, PlatformPoint b) {
        if (element_) {
            element_->appendPathWithLineFromPoint(a, b);
        } else {
            path_.moveTo(a.x, a.y);
            path_.lineTo(b.x, b.y);
        }
    }
    void lineTo(PlatformPoint p) {
        if (element_) element_->lineToPoint(p);
        else path_.lineTo(p.x, p.y);
    }
    void close() {
        if (element_) element_->closePath();
        else path_.closePath();
    }
    void finish() const {
        if (element_) return;
        port::DrawingContext& context = port::currentDrawingContext();
        context.save();
        context.setStrokeColor(port::systemColors().keyboardFocusIndicatorColor());
        context.setLineWidth(kCubeLineWidth);
        context.setLineDash({}, 0);
        context.strokePath(path_);
        context.restore();
    }

private:
    QMDDynamicTransformElement* element_ = nullptr;
    port::Path path_;
};

struct Corner {
    float h, v, d;
};

// Both ends zoomed, projected and rounded.
std::pair<PlatformPoint, PlatformPoint> ProjectEdge(Corner a, Corner b) {
    ConvertToIso(&a.h, &a.v, &a.d, &b.h, &b.v, &b.d, gPerspective);
    return {{static_cast<float>(Whole(a.h)), static_cast<float>(Whole(a.v))},
            {static_cast<float>(Whole(b.h)), static_cast<float>(Whole(b.v))}};
}

}  // namespace

void DrawCube(void*, const Float3DRect* bounds) {
    if (!bounds) return;
    CubeSink sink;
    if (!sink.usable()) return;
    const float L = bounds->floatLeft, R = bounds->floatRight, T = bounds->floatTop, B = bounds->floatBottom,
                K = bounds->floatBack, F = bounds->floatFront;
    auto edge = [&](Corner a, Corner b) {
        const auto [p, q] = ProjectEdge(a, b);
        sink.edge(p, q);
    };
    if (GetCurrentView() == kViewTop || Whole(T) == Whole(B)) {
        edge({L, T, K}, {R, T, K});
        for (Corner c : {Corner{R, T, F}, Corner{L, T, F}}) sink.lineTo(ProjectEdge(c, c).first);
        sink.close();
    } else if (Whole(L) == Whole(R)) {
        edge({L, T, K}, {L, T, F});
        edge({L, T, F}, {L, B, F});
        edge({L, B, F}, {L, B, K});
        edge({L, B, K}, {L, T, K});
    } else if (Whole(K) == Whole(F)) {
        edge({L, T, K}, {R, T, K});
        edge({R, T, K}, {R, B, K});
        edge({R, B, K}, {L, B, K});
        edge({L, B, K}, {L, T, K});
    } else {
        for (float depth : {K, F}) {
            edge({L, T, depth}, {R, T, depth});
            edge({R, T, depth}, {R, B, depth});
            edge({R, B, depth}, {L, B, depth});
            edge({L, B, depth}, {L, T, depth});
        }
        edge({L, T, K}, {L, T, F});
        edge({R, T, K}, {R, T, F});
        edge({R, B, K}, {R, B, F});
        edge({L, B, K}, {L, B, F});
    }
    sink.finish();
}

void PlotHandle(void*, float h, float v, float d, uint8_t) {
    int16_t x = 0, y = 0;
    Project(h, v, d, &x, &y);
    PaintHandle({x - 3, y - 3, x + 4, y + 4}, false, port::systemColors().keyboardFocusIndicatorColor());
}

void DrawKeyEntryPointHandle(Poinz* point, int16_t flag) {
    if (!point) return;
    int16_t x = 0, y = 0;
    Project(point->position[0], point->position[1], point->position[2], &x, &y);
    PaintHandle({x - 4, y - 4, x + 5, y + 5}, true, flag > 0 ? port::Color{1, 0, 0, 1} : port::Color{0, 1, 0, 1});
    objfield::point::kKeyEntryMark(*point) = flag;
}

void DrawPointHandle(Poinz* point, uint8_t flag) {
    if (gCurTool == toolid::kKeyEntry) {
        DrawKeyEntryPointHandle(point, gKeyEntrySelectionFlag);
        gKeyEntrySelectionFlag = static_cast<int16_t>(-gKeyEntrySelectionFlag);
        return;
    }
    if (!point) return;
    PlotHandle(nullptr, point->position[0], point->position[1], point->position[2], flag);
    const Objex* owner = point->owner;
    switch (owner ? owner->type : 0) {
    case objtype::kTopography:
        DrawTopoLineElevation(nullptr, owner, point);
        break;
    case objtype::kFreehandRoof:
        DrawRoofPointElevation(nullptr, owner, point);
        break;
    case objtype::kEntireLot:
    case objtype::kSlopeLot:
        DrawTopoSlopeElevation(nullptr, owner, point);
        break;
    default:
        break;
    }
}

void DrawObjectFrameHandles(Objex* object) {
    if (!object) return;
    const int32_t view = GetCurrentView();
    const Float3DRect b = object->bounds3D;
    const bool boxed = DrawsBox(object);
    if (boxed) DrawCube(nullptr, &b);
    const uint8_t mode = boxed ? 1 : 0;
    auto plot = [mode](float h, float v, float d) { PlotHandle(nullptr, h, v, d, mode); };
    const float L = b.floatLeft, R = b.floatRight, T = b.floatTop, B = b.floatBottom, K = b.floatBack,
                F = b.floatFront;
    if (Whole(R) == Whole(L)) {
        plot(L, T, K), plot(L, B, K), plot(L, T, F), plot(L, B, F);
    } else if (Whole(F) == Whole(K)) {
        plot(L, T, K), plot(R, T, K), plot(R, B, K), plot(L, B, K);
    } else if (Whole(T) == Whole(B)) {
        plot(L, T, K), plot(R, T, K), plot(L, T, F), plot(R, T, F);
    } else if (boxed) {
        const bool plan = view == kViewTop;
        for (float depth : {K, F}) {
            plot(L, T, depth), plot(R, T, depth);
            if (!plan) plot(R, B, depth), plot(L, B, depth);
        }
    }
    if (object->type == objtype::kRoof)
        for (Poinz* p = object->firstPoint; p; p = p->next) DrawCannedRoofPointElevation(nullptr, object, p);
}

void DrawObjectHandles(Objex* object, const RECT* rect) {
    if (!object || !rect) return;
    if (!ToolIsPointOriented(gCurTool, object) && object->type != objtype::kLine) {
        if (IsObjectSelected(object)) DrawObjectFrameHandles(object);
        return;
    }
    if (object->type != objtype::kDimensionText) {
        const uint8_t flag = object->type == objtype::kOldText ? 0 : 1;
        for (Poinz* p = object->firstPoint; p; p = p->next)
            if (p->selected) DrawPointHandle(p, flag);
        if (HasSelectionLine(object->type) && IsObjectSelected(object)) DrawSelectionLine(object);
    }
    for (Objex* child = object->firstChild; child; child = child->next) DrawObjectHandles(child, rect);
}

void DrawLayerHandles(Layer* layer, const RECT* rect) {
    if (!layer || !layer->visible || !rect) return;
    // Only an object holding a selected point shows handles: the roster names those, in list order.
    std::vector<Objex*> objects;
    SelectedObjectsOfLayer(layer, &objects);
    // Handles lie at an object's points and box corners: those far from the rectangle draw none.
    FloatRect area;
    const bool culled = PlanAreaToRedraw(rect, nullptr, &area);
    for (Objex* o : objects) {
        FloatRect box;
        if (culled && PlanIndexBox(o, &box) &&
            (box.floatRight < area.floatLeft || area.floatRight < box.floatLeft || box.floatBottom < area.floatTop ||
             area.floatBottom < box.floatTop))
            continue;
        DrawObjectHandles(o, rect);
    }
}

bool SelectionHandlesArea(Layer* first, RECT* area) {
    // Past this many objects a rectangle per object costs more than the whole view.
    constexpr size_t kMostObjects = 64;
    // Handles reach 4 pixels past a point; antialiasing one more.
    constexpr float kReach = 6;
    FloatRect plan;
    if (!area || !PlanIndexViewArea(0, 0, 0, 0, 0, &plan)) return false;
    std::vector<Objex*> selected;
    for (Layer* layer = first; layer; layer = layer->next)
        if (layer->visible) SelectedObjectsOfLayer(layer, &selected);
    if (selected.size() > kMostObjects) return false;
    bool any = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    for (Objex* o : selected) {
        if (objtype::IsRoof(o->type) || o->type == objtype::kTopography || o->type == objtype::kEntireLot ||
            o->type == objtype::kSlopeLot)
            return false;
        FloatRect box;
        if (!PlanIndexBox(o, &box)) return false;
        for (float h : {box.floatLeft, box.floatRight})
            for (float d : {box.floatTop, box.floatBottom}) {
                float x = h, y = 0, z = d;
                ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                                      gGlobalYOffset, gGlobalZOffset, 1);
                if (!any) left = right = x, top = bottom = y, any = true;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    }
    *area = RECT{};
    if (!any) return true;
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) || !std::isfinite(bottom)) return false;
    area->left = static_cast<int32_t>(std::floor(left - kReach));
    area->top = static_cast<int32_t>(std::floor(top - kReach));
    area->right = static_cast<int32_t>(std::ceil(right + kReach));
    area->bottom = static_cast<int32_t>(std::ceil(bottom + kReach));
    return true;
}

void DrawAllLayerHandles(Layer* first, const RECT* rect) {
    if (!rect) return;
    for (Layer* layer = first; layer; layer = layer->next) DrawLayerHandles(layer, rect);
}
