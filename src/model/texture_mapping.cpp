#include "model/texture_mapping.h"

#include <iterator>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/bicubic.h"
#include "model/transforms.h"
#include "model/type_data.h"

namespace {

// Points a row and the number of rows, with damaged counts taken as one row.
struct RowLayout {
    int32_t rows = 1;
    int32_t perRow = 0;
};

RowLayout LayoutOf(const Objex* o) {
    RowLayout l;
    const int32_t count = o->pointCount > 0 ? o->pointCount : 0;
    if (o->rows >= 1 && count % o->rows == 0) {
        l.rows = o->rows;
        l.perRow = count / o->rows;
    } else {
        l.rows = 1;
        l.perRow = count;
    }
    return l;
}

struct Box {
    float min[3];
    float max[3];
};

// Faces of type 35 and 39 stand upright: they face D or H, never V.
constexpr int16_t kSideFace39 = 39;

// Single precision, as the stored values are.
constexpr float kDegreesToRadians = 0.017453292f;

// The face types measured turned: roof faces from the hip and roof builders, freehand slabs.
bool IsTurnedFace(int16_t type) {
    return type == objtype::kRoofPanel || type == objtype::kRoofPiece41 || type == objtype::kPanelSlab;
}

// The angle a turned face is measured at: the line from its highest point to the next
// highest laid along +H for roof faces, the slope direction for freehand slabs.
float TurnAngle(const Objex* o) {
    if (o->type == objtype::kPanelSlab) return (270.0f - objfield::freehand_roof::kSlopeDirection(*o)) * kDegreesToRadians;
    const Poinz* highest = nullptr;
    const Poinz* second = nullptr;
    for (const Poinz* p = o->firstPoint; p; p = p->next) {
        if (!highest || p->position[1] > highest->position[1]) highest = p;
        else if (!second || p->position[1] > second->position[1]) second = p;
    }
    if (!highest || !second) return 0.0f;
    float length = 0;
    const float angle = GetLineLengthAndAngle(highest->position[0], highest->position[2],
                                              second->position[0], second->position[2], &length);
    return -angle;
}

// The positions the mapping measures: the stored ones, or copies turned about the view
// origin's plan point. The object itself is never moved, so its points stay bit-identical.
std::vector<Float3DPoint> MeasuredPositions(const Objex* o, float angle, const DocState* ds) {
    std::vector<Float3DPoint> out;
    out.reserve(o->pointCount > 0 ? static_cast<size_t>(o->pointCount) : 0);
    for (const Poinz* p = o->firstPoint; p; p = p->next) {
        Float3DPoint q{p->position[0], p->position[1], p->position[2]};
        if (angle != 0.0f) Rotate(&q.floatH, &q.floatD, ds->viewOrigin.floatH, ds->viewOrigin.floatD, angle);
        out.push_back(q);
    }
    return out;
}

Box FirstRowBox(const std::vector<Float3DPoint>& pts, int32_t perRow) {
    Box b{{pts[0].floatH, pts[0].floatV, pts[0].floatD}, {pts[0].floatH, pts[0].floatV, pts[0].floatD}};
    const size_t n = perRow > 0 && static_cast<size_t>(perRow) < pts.size() ? static_cast<size_t>(perRow) : pts.size();
    for (size_t i = 1; i < n; ++i) {
        const float c[3] = {pts[i].floatH, pts[i].floatV, pts[i].floatD};
        for (int k = 0; k < 3; ++k) {
            if (c[k] < b.min[k]) b.min[k] = c[k];
            if (c[k] > b.max[k]) b.max[k] = c[k];
        }
    }
    return b;
}

int16_t ChooseAxis(int16_t type, const Box& b) {
    const float eH = b.max[0] - b.min[0];
    const float eV = b.max[1] - b.min[1];
    const float eD = b.max[2] - b.min[2];
    if (type == objtype::kRoofPiece35 || type == kSideFace39) return eD >= eH ? 3 : 1;
    if (type == objtype::kRoofPanel || type == objtype::kRoofPiece41) return 1;
    if (type == objtype::kPanelSlab) return 2;
    if (eH == eD && eV != 0.0f) return 1;
    if (eV <= eH && eV <= eD) return 2;
    if (eD <= eH && eD <= eV) return 1;
    return 3;
}

float Clamp01(float x) { return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); }

bool IsZeroTangent(const float t[3]) { return t[0] == 0.0f && t[1] == 0.0f && t[2] == 0.0f; }

float SegmentLength(const Poinz* a, const Poinz* b) {
    if (IsZeroTangent(a->outTangent) && IsZeroTangent(b->inTangent))
        return Get3DLineLength(a->position[0], a->position[1], a->position[2], b->position[0],
                               b->position[1], b->position[2]);
    return GetSplineLength(a, b);
}

// The first point of the row a perimeter is measured along.
const Poinz* MeasuredRowStart(const Objex* o, const RowLayout& l, uint8_t thirdRow) {
    const Poinz* p = o->firstPoint;
    if (thirdRow && l.rows == 3)
        for (int32_t i = 0; p && i < 2 * l.perRow; ++i) p = p->next;
    return p;
}

// Running lengths along a row: out[k] is the length from the row's first point to its point
// k (0-based), out[perRow] the whole perimeter (closing segment included when closed). Each
// sum adds the segments in order, exactly as measuring each point afresh would.
std::vector<float> RowRunningLengths(const Objex* o, const RowLayout& l, uint8_t thirdRow) {
    std::vector<float> out(static_cast<size_t>(l.perRow) + 1, 0.0f);
    const Poinz* rowFirst = MeasuredRowStart(o, l, thirdRow);
    const Poinz* p = rowFirst;
    float sum = 0.0f;
    int32_t k = 1;
    for (; p && p->next && k < l.perRow; ++k, p = p->next) {
        sum += SegmentLength(p, p->next);
        out[static_cast<size_t>(k)] = sum;
    }
    for (; k < l.perRow; ++k) out[static_cast<size_t>(k)] = sum;  // list shorter than counted
    if (o->closed && p && rowFirst && p != rowFirst) sum += SegmentLength(p, rowFirst);
    out[static_cast<size_t>(l.perRow)] = sum;
    return out;
}

}  // namespace

void SetTextureFaceUV(Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || object->rows < 1 || !object->firstPoint) return;
    const RowLayout layout = LayoutOf(object);
    const float angle = IsTurnedFace(object->type) ? TurnAngle(object) : 0.0f;
    const std::vector<Float3DPoint> pts = MeasuredPositions(object, angle, ds);
    const Box b = FirstRowBox(pts, layout.perRow);
    const int16_t axis = ChooseAxis(object->type, b);

    // Indices into (H, V, D) of the rectangle's horizontal and vertical axes.
    int hAxis = 0, vAxis = 1;
    if (axis == 2) vAxis = 2;
    else if (axis == 3) hAxis = 2;
    FloatRect r;
    r.floatTop = b.min[vAxis];
    r.floatLeft = b.min[hAxis];
    r.floatBottom = b.max[vAxis];
    r.floatRight = b.max[hAxis];
    object->textureFaceRect = r;
    object->textureFaceRect2 = r;
    object->faceAxis = axis;

    float width = r.floatRight - r.floatLeft;
    float height = r.floatBottom - r.floatTop;
    if (width == 0.0f) width = 1.0f;
    if (height == 0.0f) height = 1.0f;
    size_t i = 0;
    for (Poinz* p = object->firstPoint; p && i < pts.size(); p = p->next, ++i) {
        const float c[3] = {pts[i].floatH, pts[i].floatV, pts[i].floatD};
        p->textureU = Clamp01((c[hAxis] - r.floatLeft) / width);
        p->textureV = Clamp01((c[vAxis] - r.floatTop) / height);
    }
}

float GetSplineLength(const Poinz* start, const Poinz* end) {
    const DocState* ds = CurrentDocState();
    if (!ds || !start || !end) return 0.0f;
    const int32_t n = ds->curveSegments;
    if (n <= 0) return 0.0f;
    // Link patch of (start, start, end, end): along s at t = 0 it is the segment's Hermite curve.
    BuildMatrixM(&MMatrix);
    BuildMatrixMT(&MTMatrix);
    EstablishSurface(&xBMatrix, &yBMatrix, &zBMatrix, &MMatrix, &MTMatrix, &mresultMatrix, &xresultMatrix,
                     &yresultMatrix, &zresultMatrix, start, start, end, end, 1);
    float length = 0.0f;
    for (int32_t i = 0; i < n; ++i) {
        float x0 = 0, y0 = 0, z0 = 0, x1 = 0, y1 = 0, z1 = 0;
        const float s0 = static_cast<float>(i) / static_cast<float>(n);
        const float s1 = static_cast<float>(i + 1) / static_cast<float>(n);
        ComputeSurfacePoint(&xresultMatrix, &yresultMatrix, &zresultMatrix, &sMatrix, &tMatrix, s0, 0.0f, &x0, &y0, &z0);
        ComputeSurfacePoint(&xresultMatrix, &yresultMatrix, &zresultMatrix, &sMatrix, &tMatrix, s1, 0.0f, &x1, &y1, &z1);
        length += Get3DLineLength(x0, y0, z0, x1, y1, z1);
    }
    return length;
}

float GetTotalPerimeterLength(Objex* object, uint8_t thirdRow) {
    if (!object) return 0.0f;
    const RowLayout l = LayoutOf(object);
    if (l.rows < 2 || l.perRow < 2) return 0.0f;
    return RowRunningLengths(object, l, thirdRow).back();
}

float GetPointIndexPerimeterLength(Objex* object, int32_t index, uint8_t thirdRow) {
    if (!object || index <= 0) return 0.0f;
    const RowLayout l = LayoutOf(object);
    if (l.rows < 2 || index > l.perRow + 1) return 0.0f;
    const std::vector<float> running = RowRunningLengths(object, l, thirdRow);
    return running[static_cast<size_t>(index < l.perRow ? index : l.perRow)];
}

void SetObjectPointLengths(Objex* object) {
    if (!object) return;
    const RowLayout l = LayoutOf(object);
    if (l.rows < 2) return;
    const std::vector<float> first = RowRunningLengths(object, l, 0);
    const std::vector<float> later = l.rows > 2 ? RowRunningLengths(object, l, 1) : first;
    const float p = l.perRow >= 2 ? first.back() : 0.0f;
    const float q = l.perRow >= 2 ? later.back() : 0.0f;
    if (l.perRow <= 1) return;
    int32_t row = 1, k = 1;
    for (Poinz* pt = object->firstPoint; pt; pt = pt->next) {
        const std::vector<float>& along = row > 2 ? later : first;
        pt->rowPerimeter = row > 2 ? q : p;
        pt->rowLength = along[static_cast<size_t>(k - 1)];
        if (++k > l.perRow) {
            k = 1;
            ++row;
        }
    }
}

void MapFacesAndLengths(Objex* object) {
    if (object == nullptr || object->type == objtype::kGroup) return;
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
}

void MapTreeFacesAndLengths(Objex* object) {
    if (object == nullptr) return;
    MapFacesAndLengths(object);
    for (Objex* child = object->firstChild; child; child = child->next) MapTreeFacesAndLengths(child);
    const TypeData& data = object->typeData;
    const auto lists = [](Objex* const* heads, size_t count) {
        for (size_t i = 0; i < count; ++i)
            for (Objex* o = heads[i]; o; o = o->next) MapTreeFacesAndLengths(o);
    };
    if (data.kind == TypeDataKind::Attachment && data.attachment)
        lists(data.attachment->customParts, std::size(data.attachment->customParts));
    else if (data.kind == TypeDataKind::RoofAttachment && data.roofAttachment) {
        lists(data.roofAttachment->partLists, std::size(data.roofAttachment->partLists));
        lists(&data.roofAttachment->customParts, 1);  // the fillers, which a read makes afresh
    }
}
