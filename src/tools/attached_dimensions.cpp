#include "tools/attached_dimensions.h"

#include <numbers>
#include <utility>

#include "geometry/openings/attachment_frames.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "port/seam.h"
#include "tools/attachment_layout.h"
#include "model/wall_dimension_limit.h"

namespace {

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;
constexpr float kProbeLength = 32000.0f;
constexpr float kNothingCrossed = 30000.0f;
constexpr float kShortestLength = 10.0f;
// Placement while dragging: clearance from the range's ends, least base width, side probes.
constexpr float kRangeClearance = 5.0f;
constexpr float kLeastWidth = 18.0f;
constexpr float kSideProbe = 100.0f;

bool IsAttachedDimension(const Objex* o) { return o->subtype == objsubtype::kAttachedDimension; }

FloatPoint Along(float h, float d, float angle, float length) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    return {h + dh, d + dd};
}

float Distance(const FloatPoint& a, const FloatPoint& b) {
    return GetLineLength(a.floatH, a.floatV, b.floatH, b.floatV);
}

}  // namespace

void UpdateAttachedDim(Objex* dimension, Objex* wall) {
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsCurLayer || !dimension || !wall || wall->type != objtype::kWall ||
        !IsAttachedDimension(dimension))
        return;
    AttachmentRecord* r = AttachmentRecordOf(dimension);
    if (!r || !r->segmentStart || !r->segmentEnd) return;
    const Poinz* start = r->segmentStart;
    const Poinz* end = r->segmentEnd;
    const int16_t method = dimension->firstPoint ? dimension->firstPoint->dimensionMethod : 0;
    float probe = kProbeLength;
    if (method) probe += ConvertWorldToScreen(wall->penWidth, ds, 0) / 2;

    float length = 0;
    const float a =
        GetLineLengthAndAngle(start->position[0], start->position[2], end->position[0], end->position[2], &length);
    const FloatPoint base = Along(start->position[0], start->position[2], a, r->centreDistance);
    FloatPoint probeEnd = Along(base.floatH, base.floatV, r->sideFlag ? a + kQuarterTurn : a - kQuarterTurn, probe);
    // The walls of the dimension's own floor, whichever floor is current.
    const Layer* layer = TreeFloor(wall);
    const float otherThickness = LimitWallDimension(&base, &probeEnd, layer, start, end);

    const float measured = Distance(base, probeEnd);
    if (measured < kNothingCrossed) {
        float height = measured;
        if (method) height -= ConvertWorldToScreen(otherThickness, ds, 0) / 2;
        r->height = height < kShortestLength ? kShortestLength : height;
    }
    UpdateDimWallAttachment(dimension);
}

void UpdateDimWallAttachment(Objex* dimension) {
    if (!dimension || !CurrentDocState()) return;
    const Objex* wall = dimension->parent;
    AttachmentRecord* r = AttachmentRecordOf(dimension);
    if (!wall || !wall->layer || !r || !r->segmentStart || !r->segmentEnd || !FitsSegment(*r)) return;
    LayOnSegment(dimension, r, r->height, true);
    if (dimension->pointCount < 2) return;
    MapFacesAndLengths(dimension);  // as the wall's refit lays it
    UpdateObjectBounds(dimension);
    BuildAttachmentFrame(dimension);
}

void UpdateAttachedDimObject(Objex* wall) {
    if (!wall || wall->type != objtype::kWall) return;
    for (Objex* child = wall->firstChild; child; child = child->next)
        if (IsAttachedDimension(child)) UpdateAttachedDim(child, wall);
}

void UpdateAttachedDimLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) UpdateAttachedDimObject(o);
}

void UpdateAttachedDimAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) UpdateAttachedDimLayer(layer);
}

bool PositionDimAttachment(const Poinz* segmentStart, const Poinz* segmentEnd, FloatPoint* size, int16_t,
                           float minimum, float maximum, const FloatPoint* pointer, FloatPoint* firstEnd,
                           FloatPoint* lastEnd, bool firstFixed, bool lastFixed, float* angle, FloatPoint* centre) {
    if (!segmentStart || !segmentEnd || !size || !pointer || !firstEnd || !lastEnd || !angle || !centre) return false;
    const FloatPoint origin{segmentStart->position[0], segmentStart->position[2]};
    float length = 0;
    const float a = GetLineLengthAndAngle(origin.floatH, origin.floatV, segmentEnd->position[0],
                                          segmentEnd->position[2], &length);
    *angle = a;
    FloatPoint foot;
    GetPerpIntersection(origin.floatH, origin.floatV, segmentEnd->position[0], segmentEnd->position[2],
                        pointer->floatH, pointer->floatV, &foot.floatH, &foot.floatV);
    const float along = Distance(origin, foot);
    size->floatV = Distance(foot, *pointer);

    const float w = size->floatH;
    float s = along - w / 2, e = along + w / 2;
    if (minimum + kRangeClearance >= s) {
        s = minimum + kRangeClearance;
        e = s + w;
    } else if (e >= maximum - kRangeClearance) {
        s = maximum - kRangeClearance - w;
        e = maximum - kRangeClearance;
    }
    if (!firstFixed) {
        if (lastFixed) {
            const float toLast = Distance(origin, *lastEnd);
            s = s + w / 2;
            if (toLast - s < kLeastWidth) s = toLast - kLeastWidth;
        }
        *firstEnd = Along(origin.floatH, origin.floatV, a, s);
    }
    if (!lastFixed) {
        if (firstFixed) {
            const float toFirst = Distance(origin, *firstEnd);
            e = e - w / 2;
            if (e - toFirst < kLeastWidth) e = toFirst + kLeastWidth;
        }
        *lastEnd = Along(origin.floatH, origin.floatV, a, e);
    }
    *centre = {(firstEnd->floatH + lastEnd->floatH) / 2, (firstEnd->floatV + lastEnd->floatV) / 2};
    const FloatPoint left = Along(firstEnd->floatH, firstEnd->floatV, a + kQuarterTurn, kSideProbe);
    const FloatPoint right = Along(firstEnd->floatH, firstEnd->floatV, a - kQuarterTurn, kSideProbe);
    return Distance(*pointer, left) < Distance(*pointer, right);
}

void ReplaceAttachmentBasePoint(Objex* oldWall, const Poinz* oldPoint, Poinz* newPoint, Objex* newWall) {
    if (!oldWall || !oldPoint || !newPoint || !newWall || oldWall->type != objtype::kWall ||
        newWall->type != objtype::kWall)
        return;
    for (Objex* child = oldWall->firstChild; child; child = child->next) {
        child->parent = newWall;
        if (AttachmentRecord* r = AttachmentRecordOf(child)) {
            if (r->segmentStart == oldPoint) r->segmentStart = newPoint;
            if (r->segmentEnd == oldPoint) r->segmentEnd = newPoint;
        }
    }
}

void ReverseAttachmentDirection(Objex* wall) {
    ForEachAttachment(wall, [](Objex*, AttachmentRecord* r) {
        std::swap(r->segmentStart, r->segmentEnd);
        std::swap(r->centreDistance, r->remainder);
        r->sideFlag = r->sideFlag ? 0 : 1;
    });
}
