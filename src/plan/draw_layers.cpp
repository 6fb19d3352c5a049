// The floors in order (the current floor last, on top), each object in its plan colour.
#include <algorithm>
#include <array>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/selection_queries.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/fill_regions.h"
#include "plan/plan_color.h"
#include "plan/plan_frame.h"
#include "plan/plan_lines.h"
#include "model/plan_index.h"
#include "model/plan_objects.h"
#include "plan/zoom.h"
#include "plan/virtual_ruler.h"
#include "port/seam.h"
#include "model/color_conversions.h"
#include "model/tool_state.h"

namespace {

using Pieces = PlanTypeEntry::Pieces;

constexpr int16_t kType43 = 43;
constexpr int kDeckPlan = 6;  // the seventh plan colour

// The deck plan colour made pale: a tenth of its saturation, half way to full value.
RGBColor Pale(const RGBColor& color) {
    uint16_t hsv[3];
    RGBtoHSV(&color, hsv);
    hsv[1] = static_cast<uint16_t>(hsv[1] / 10);
    hsv[2] = static_cast<uint16_t>(65535 - (65535 - hsv[2]) / 2);
    RGBColor pale;
    HSVtoRGB(hsv, &pale);
    return pale;
}

void DrawPieces(void* dc, Objex* object, const RECT* rect, int32_t flags) {
    const PlanTypeEntry* entry = FindPlanTypeEntry(object->type, object->subtype);
    switch (entry ? entry->pieces : Pieces::None) {
    case Pieces::None:
        break;
    case Pieces::WallSolidAndOutline:
        if (object->typeData.kind == TypeDataKind::WallSolid)
            DrawObject(dc, object->typeData.wallSolid, rect, flags, nullptr);
        // An exterior wall's dashed quick-form outline.
        if (object->firstPart && object->firstPart->type == objtype::kQuickWallForm)
            DrawObject(dc, object->firstPart, rect, flags, nullptr);
        break;
    case Pieces::All:
        for (Objex* piece = object->firstPart; piece; piece = piece->next)
            DrawObject(dc, piece, rect, flags, nullptr);
        break;
    case Pieces::Type43:
        for (Objex* piece = object->firstPart; piece; piece = piece->next)
            if (piece->type == kType43) DrawObject(dc, piece, rect, flags, nullptr);
        break;
    }
}

// Whether a group or plant lies outside the part of the main plan view being redrawn. The
// zoomed 3D bounds are its box in the plan view; other views project the bounds' corners.
bool CulledOnScreen(const Objex* object, float minimumSize) {
    if (gPrinting) return false;
    Base2DView* view = MainWindowDocumentView();
    Base2DViewHost* host = view ? view->host() : nullptr;
    if (!host) return false;
    const Float3DRect& b = object->bounds3D;
    float left, top, right, bottom;
    if (GetCurrentView() == kViewTop) {
        left = ZoomF(b.floatLeft), top = ZoomF(b.floatBack);
        right = ZoomF(b.floatRight), bottom = ZoomF(b.floatFront);
    } else {
        left = top = INFINITY, right = bottom = -INFINITY;
        for (int i = 0; i < 8; i += 2) {
            float c[2][3] = {{i & 2 ? b.floatRight : b.floatLeft, b.floatTop, i & 4 ? b.floatFront : b.floatBack},
                             {i & 2 ? b.floatRight : b.floatLeft, b.floatBottom, i & 4 ? b.floatFront : b.floatBack}};
            ConvertToIso(&c[0][0], &c[0][1], &c[0][2], &c[1][0], &c[1][1], &c[1][2], gPerspective);
            for (const auto& p : c) {
                left = std::min(left, p[0]), right = std::max(right, p[0]);
                top = std::min(top, p[1]), bottom = std::max(bottom, p[1]);
            }
        }
    }
    const PlatformRect box{left, top, std::max(minimumSize, right - left),
                           std::max(minimumSize, bottom - top)};
    return !host->needsToDrawRect(box);
}

// What objects draw beyond their boxes, in view pixels: pen widths, handles, arrowheads,
// dimension text.
constexpr float kMarginPixels = 48;

// The page being printed (print view units), while a PrintedPageScope lives.
bool hasPrintedPage = false;
PlatformRect printedPage;
const port::GlobalReset kPrintedPageReset([] { hasPrintedPage = false, printedPage = {}; });

bool Meets(const PlatformRect& a, const PlatformRect& b) {
    return a.x < b.x + b.width && a.x + a.width > b.x && a.y < b.y + b.height && a.y + a.height > b.y;
}

// The printed page in view pixels (what ConvertToIso gives, before the print scales), and the
// margin to grow it by: what objects draw beyond their boxes, as on screen at full size, and
// never less than that on paper. False while no page is set or the print scales are unusable.
bool PrintedPageInView(PlatformRect* page, float* margin) {
    const float sx = gHPrintScale, sy = gVPrintScale;
    if (!hasPrintedPage || !(sx > 0) || !(sy > 0) || !std::isfinite(sx) || !std::isfinite(sy)) return false;
    *page = {(printedPage.x - gAffineTranslateX) / sx, (printedPage.y - gAffineTranslateY) / sy,
             printedPage.width / sx, printedPage.height / sy};
    *margin = kMarginPixels * std::max(1.0f, 1.0f / std::min(sx, sy));
    return std::isfinite(page->x) && std::isfinite(page->y) && std::isfinite(page->width) &&
           std::isfinite(page->height) && page->width >= 0 && page->height >= 0;
}

}  // namespace

PrintedPageScope::PrintedPageScope(const PlatformRect& page) : hadPage_(hasPrintedPage), previous_(printedPage) {
    hasPrintedPage = true, printedPage = page;
}

PrintedPageScope::~PrintedPageScope() { hasPrintedPage = hadPage_, printedPage = previous_; }

bool PlanAreaToRedraw(const RECT* rect, const TransformRecord* transform, FloatRect* area) {
    if (transform) return false;
    if (gPrinting) {
        PlatformRect page;
        float margin = 0;
        return PrintedPageInView(&page, &margin) &&
               PlanIndexViewArea(page.x, page.y, page.x + page.width, page.y + page.height, margin, area);
    }
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    return PlanIndexViewArea(static_cast<float>(rect->left), static_cast<float>(rect->top),
                             static_cast<float>(rect->right), static_cast<float>(rect->bottom), kMarginPixels, area);
}

namespace {

// The layer's objects to draw in list order: those near the area, or all of them.
const std::vector<Objex*>& ObjectsToDraw(Layer* layer, const FloatRect* area, std::vector<Objex*>& out) {
    out.clear();
    if (area) PlanIndexCandidates(layer, *area, &out);
    else
        for (Objex* o = layer->firstObject; o; o = o->next) out.push_back(o);
    return out;
}

// The heights (V) an object and its children keep in their stored boxes; false when none has one.
bool HeightRange(const Objex* o, float* low, float* high) {
    bool any = false;
    auto take = [&](float l, float h) {
        *low = any ? std::min(*low, l) : l;
        *high = any ? std::max(*high, h) : h;
        any = true;
    };
    const Float3DRect& b = o->bounds3D;
    const bool zero = b.floatTop == 0 && b.floatBottom == 0 && b.floatLeft == 0 && b.floatRight == 0;
    if (!IsEmptyBounds(b) && !zero && std::isfinite(b.floatTop) && std::isfinite(b.floatBottom))
        take(b.floatTop, b.floatBottom);
    for (const Objex* child = o->firstChild; child; child = child->next) {
        float l = 0, h = 0;
        if (HeightRange(child, &l, &h)) take(l, h);
    }
    return any;
}

// The part of a turned or tilted view being drawn: the printed page (grown by its margin), or
// what the plan view's host redraws.
struct DrawnPart {
    Base2DViewHost* host = nullptr;
    bool printing = false;
    PlatformRect page;
    float margin = kMarginPixels;

    bool needs(const PlatformRect& box) const { return printing ? Meets(page, box) : host->needsToDrawRect(box); }
};

// In a turned or tilted view without perspective, whether the projection of the object's box
// (the plan index's, with its heights), grown by the margin, misses the part being drawn.
bool OffScreenInView(const Objex* object, const DrawnPart& part) {
    FloatRect plan;
    float low = 0, high = 0;
    if (!PlanIndexBox(object, &plan) || !HeightRange(object, &low, &high)) return false;
    float left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (int i = 0; i < 8; i += 2) {
        float c[2][3] = {{i & 2 ? plan.floatRight : plan.floatLeft, low, i & 4 ? plan.floatBottom : plan.floatTop},
                         {i & 2 ? plan.floatRight : plan.floatLeft, high, i & 4 ? plan.floatBottom : plan.floatTop}};
        ConvertToIso(&c[0][0], &c[0][1], &c[0][2], &c[1][0], &c[1][1], &c[1][2], 0);
        for (const auto& p : c) {
            left = std::min(left, p[0]), right = std::max(right, p[0]);
            top = std::min(top, p[1]), bottom = std::max(bottom, p[1]);
        }
    }
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) || !std::isfinite(bottom)) return false;
    const float m = part.margin;
    return !part.needs({left - m, top - m, right - left + 2 * m, bottom - top + 2 * m});
}

// The collected member or edging lines in one stroke, in the object's colour.
void StrokeCollectedLines(int32_t flags, const RGBColor& color, bool dashed) {
    if (!gAcclLineBuffer || gAcclLinePointCount < 2) return;
    std::vector<port::Point> points(static_cast<size_t>(gAcclLinePointCount));
    for (size_t i = 0; i < points.size(); ++i) points[i] = {gAcclLineBuffer[i].x, gAcclLineBuffer[i].y};
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setStrokeColor((flags & drawflag::kRed) ? port::Color{1, 0, 0, 1} : PlanColor(color));
    context.setLineWidth(1);
    context.setLineDash(dashed ? std::vector<double>{3, 3} : std::vector<double>{}, 0);
    context.strokeLineSegments(points);
    context.restore();
}

}  // namespace

bool CanObjectBeDrawn(const Objex* object, int32_t flags) {
    if (!object) return false;
    if (flags & drawflag::kAll) return true;
    if (!(flags & drawflag::kSelectedOnly)) return false;
    return objtype::IsRoof(object->type) ? IsRootObjectSelected(object) : IsObjectSelected(object);
}

int32_t DrawLayer(void* dc, Layer* layer, const RECT* rect, int32_t flags,
                  const TransformRecord* transform) {
    DocState* ds = CurrentDocState();
    if (!layer || !layer->visible || !ds) return 0;
    FloatRect area;
    const bool culled = PlanAreaToRedraw(rect, transform, &area);
    // Other views than the top one test each object's projected box instead.
    Base2DView* view = MainWindowDocumentView();
    DrawnPart part;
    part.host = view ? view->host() : nullptr;
    part.printing = gPrinting;
    const bool partKnown = gPrinting ? PrintedPageInView(&part.page, &part.margin)
                                     : part.host && rect && rect->right > rect->left && rect->bottom > rect->top;
    const bool projected = !culled && gPlanIndexOn && !transform && !gPerspective && partKnown;
    std::vector<Objex*> objects;
    for (Objex* object : ObjectsToDraw(layer, culled ? &area : nullptr, objects)) {
        if (!IsObjectOnCurrentPlan(object, ds->visiblePlans)) continue;
        if (projected && OffScreenInView(object, part)) continue;
        const RGBColor saved = ds->penColor;
        if (layer == gCurDocument->itsCurLayer) GetObjectPlanColor(object, &ds->penColor);
        if (layer == gCurDocument->itsTopoLayer) ds->penColor = ds->topoLinesColor;
        if (!transform) DrawPieces(dc, object, rect, flags);
        switch (object->type) {
        case objtype::kGroup:
            if (CulledOnScreen(object, 1.0f)) break;
            DrawObject(dc, object, rect, flags, transform);
            StrokeCollectedLines(flags, ds->penColor, false);
            break;
        case objtype::kEdging:
            DrawObject(dc, object, rect, flags, transform);
            StrokeCollectedLines(flags, ds->penColor, true);
            break;
        case objtype::kPlant:
            if (CulledOnScreen(object, -INFINITY)) break;
            DrawObject(dc, object, rect, flags, transform);
            break;
        default:
            DrawObject(dc, object, rect, flags, transform);
            break;
        }
        gAcclLinePointCount = 0;  // lines of other types are not stroked
        ds->penColor = saved;
    }
    return 0;
}

void DrawAllLayers(void* dc, Layer* first, const RECT* rect, int32_t flags,
                   const TransformRecord* transform) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    Layer* current = gCurDocument->itsCurLayer;
    FloatRect area;
    const bool culled = PlanAreaToRedraw(rect, transform, &area);
    if (!transform && !gPrinting && !ds->traceImageShown)
        FillAllExteriorPerimeterSpaces(dc, current, culled ? &area : nullptr);

    const RGBColor saved = ds->penColor, otherFloors = ds->inactiveFloorColor;
    ds->penColor = otherFloors;
    if (!transform) {
        const RGBColor paleDeck = Pale(ds->planColors[kDeckPlan]);
        std::vector<Objex*> objects;
        for (Layer* layer = first; layer; layer = layer->next) {
            if (!layer->visible) continue;
            for (Objex* o : ObjectsToDraw(layer, culled ? &area : nullptr, objects))
                if (o->type == objtype::kDeck && IsObjectOnCurrentPlan(o, ds->visiblePlans))
                    Draw2DCurvedFillRegion(dc, o, 5, 0, &otherFloors,
                                           layer == current ? &paleDeck : &otherFloors, 2);
        }
    }
    for (Layer* layer = first; layer; layer = layer->next) {
        if (layer == current || layer == gCurDocument->itsCur2DLayer) continue;
        if (DrawLayer(dc, layer, rect, flags, transform)) break;
    }
    ds->penColor = saved;
    if (current != gCurDocument->itsCur2DLayer) DrawLayer(dc, current, rect, flags, transform);

    if (!transform && !gPrinting &&
        (gCurTool == kExteriorWallTool || gCurTool == kFoundationWallTool))
        DrawAllFoundationPerimeters(dc, first);
    DrawVirtualRuler(dc);
}
