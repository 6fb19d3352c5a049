#include "model/areas.h"

#include <cmath>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/transforms.h"
#include "model/units.h"

namespace {

constexpr int kH = 0, kD = 2;

struct PlanXY {
    double x, y;
};

// Twice the signed area (shoelace), the next point taken cyclically.
double ShoelaceSum(const std::vector<PlanXY>& points) {
    double s = 0;
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const PlanXY& a = points[i];
        const PlanXY& b = points[(i + 1) % n];
        s += a.x * b.y - a.y * b.x;
    }
    return s;
}

std::vector<PlanXY> PlanPoints(const Objex* object) {
    std::vector<PlanXY> points;
    for (const Poinz* p = object->firstPoint; p; p = p->next) points.push_back({p->position[kH], p->position[kD]});
    return points;
}

// Plan units squared to square feet or square metres.
float ToWorldArea(double planArea, const DocState* ds) {
    if (!(planArea > 0)) return 0.0f;
    float area = ConvertScreenToWorld(ConvertScreenToWorld(static_cast<float>(planArea), ds, 0), ds, 0);
    if (ds->units == kMetricUnits) return ConvertInchesToMeters(ConvertInchesToMeters(area));
    return area / 144.0f;
}

}  // namespace

float ComputeObjectStraightArea(const Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds) return 0.0f;
    return ToWorldArea(std::fabs(ShoelaceSum(PlanPoints(object))) / 2.0, ds);
}

float ComputeObjectCurvedArea(const Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds) return 0.0f;
    const PlanarPolygon polygon = PlanarPolygon::FromOutline(const_cast<Poinz*>(object->firstPoint), object->pointCount);
    if (polygon.size() < 3) return 0.0f;
    std::vector<PlanXY> points;
    points.reserve(static_cast<size_t>(polygon.size()));
    for (const PolygonVertex& v : polygon) points.push_back({v.H, v.D});
    return ToWorldArea(std::fabs(ShoelaceSum(points)) / 2.0, ds);
}

float ComputeSquareFootage(const Layer* layer, int16_t type) {
    if (!layer) return 0.0f;
    float total = 0.0f;
    for (const Objex* o = layer->firstObject; o; o = o->next) {
        if (o->type != type) continue;
        if (type == objtype::kWall) {
            if (o->subtype == objsubtype::kExteriorWall) total += ComputeObjectStraightArea(o);
        } else if (type == objtype::kDeck) {
            total += ComputeObjectStraightArea(o);
        } else {
            total += ComputeObjectCurvedArea(o);
        }
    }
    return total;
}

uint8_t IsObjectClockwise(const Objex* object) {
    if (!object) return 0;
    return ShoelaceSum(PlanPoints(object)) >= 0 ? 1 : 0;
}

void AddObjectToSqFtDC(void*, Objex*) {}
void AddCurvedObjectToSqFtDC(void*, Objex*) {}
float ComputePixelSqFt(void*) { return 0.0f; }
void SetupEstimatorList() {}
void* CreateAndAttachEstimatorEntry(Objex*) { return nullptr; }
void DeleteEstimatorList() {}
void GetAttachmentInfo(Objex*) {}
void GetWidthHeightString(Objex*, char*) {}
void GetWidthString(Objex*, char*) {}
float ComputeObjectSquareFootage(Objex*) { return 0.0f; }
