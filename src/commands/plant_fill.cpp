#include "commands/plant_fill.h"

#include <new>
#include <optional>
#include <vector>

#include "content/core/content_selection_seams.h"
#include "geometry/openings/landscape_plants.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "port/seam.h"
#include "scene/point_in_polygon.h"

uint8_t gFillPerimeter = 1;
uint8_t gFillArea = 1;
float gPlantSpacing = 60.0f;
static const port::GlobalReset kReset([] {
    gFillPerimeter = 1;
    gFillArea = 1;
    gPlantSpacing = 60.0f;
});

namespace {

constexpr int H = 0, D = 2;

// Builds one plant of the entry and moves it so the middle of its bounds is at (h, d).
void PlaceAt(const SymEntryInfo& entry, float h, float d) {
    Layer* layer = gCurDocument->itsCurLayer;
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    Objex* plant = entry.type == symentry::kStockPlant ? BuildLandscapePlant(layer, 1, entry.textureID)
                                                       : BuildUserLandscapePlant(layer, 1, &entry);
    if (!plant) return;
    SelectObj(plant, selmode::kSelect, 0);
    Float3DRect box = EmptyFloat3DRect();
    GetAllLayers3DBounds(layer, 1, &box, 1);
    const float centreH = box.floatLeft + (box.floatRight - box.floatLeft) * 0.5f;
    const float centreD = box.floatBack + (box.floatFront - box.floatBack) * 0.5f;
    TransformRecord move = cmdsupport::Translation(h - centreH, 0.0f, d - centreD);
    SelectedObjectAllLayers(layer, 1, cmd::kMove, &move);
}

// The points of the outline's first row.
int32_t FirstRowCount(const Objex* outline) {
    return outline->rows > 1 ? outline->pointCount / outline->rows : outline->pointCount;
}

// Straight as GetPointOnLineFromLength decides it: no plan tangent at either end.
bool IsStraightInPlan(const Poinz* p, const Poinz* q) {
    return p->outTangent[H] == 0.0f && p->outTangent[D] == 0.0f && q->inTangent[H] == 0.0f &&
           q->inTangent[D] == 0.0f;
}

// Plants from the distance carried in gRemainingLength to the end of the segment, then
// leaves there what the next plant is past the segment's end. False when the spacing is too
// small to move on from the distance reached.
bool PlantAlong(const SymEntryInfo& entry, const Poinz* p, const Poinz* q, float spacing) {
    float d = gRemainingLength;
    FloatPoint at;
    while (GetPointOnLineFromLength(p, q, &at, d)) {
        PlaceAt(entry, at.floatH, at.floatV);
        const float next = d + spacing;
        if (!(next > d)) return false;
        d = next;
    }
    // A curve that ran out has stored its own leftover; a straight segment never does.
    if (IsStraightInPlan(p, q))
        gRemainingLength = d - GetLineLength(p->position[H], p->position[D], q->position[H], q->position[D]);
    return true;
}

void FillPerimeter(const SymEntryInfo& entry, Objex* outline, float spacing) {
    gRemainingLength = 0.0f;
    const int32_t count = FirstRowCount(outline);
    if (count < 2) return;
    Poinz* first = outline->firstPoint;
    Poinz* p = first;
    for (int32_t i = 0; i < count && p; ++i, p = p->next) {
        Poinz* q = i + 1 < count ? p->next : (outline->closed ? first : nullptr);
        if (!q || !PlantAlong(entry, p, q, spacing)) return;
    }
}

void FillArea(const SymEntryInfo& entry, Objex* outline, float spacing) {
    const PlanarPolygon polygon = PlanarPolygon::FromOutline(outline->firstPoint, FirstRowCount(outline));
    if (polygon.empty()) return;
    // The inside test works in the plan: each vertex's D is its second coordinate.
    std::vector<FloatPoint> corners;
    try {
        corners.reserve(static_cast<size_t>(polygon.size()));
    } catch (const std::bad_alloc&) {
        return;
    }
    for (const PolygonVertex& v : polygon) corners.push_back(FloatPoint{v.H, v.D});

    const Float3DRect box = outline->bounds3D;
    for (float h = box.floatLeft + 0.5f; h <= box.floatRight;) {
        for (float d = box.floatBack + 0.5f; d <= box.floatFront;) {
            const FloatPoint at{h, d};
            if (IsPointInsidePolygon(&at, corners.data(), static_cast<int32_t>(corners.size())))
                PlaceAt(entry, h, d);
            const float next = d + spacing;
            if (!(next > d)) return;
            d = next;
        }
        const float next = h + spacing;
        if (!(next > h)) return;
        h = next;
    }
}

}  // namespace

void ApplePortFillObjectWithPlants(Objex* outline) {
    const DocState* ds = CurrentDocState();
    if (!outline || !gCurDocument || !ds || !gCurDocument->itsCurLayer) return;
    // The spacing is typed as a length; the outline's points are in plan units.
    const float spacing = ConvertWorldToScreen(gPlantSpacing, ds, 0);
    // A spacing that is not a positive number would never move on along the outline.
    if (!(spacing > 0.0f)) return;
    const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry();
    if (!entry || (entry->type != symentry::kStockPlant && entry->type != symentry::kUserPlant)) return;
    if (gFillPerimeter) FillPerimeter(*entry, outline, spacing);
    if (gFillArea) FillArea(*entry, outline, spacing);
}
