#include "plan/wall_dimensions.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/transforms.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"
#include "model/plan_objects.h"
#include "port/seam.h"

uint8_t gToggleCallout = 0;
static const port::GlobalReset kReset([] { gToggleCallout = 0; });

namespace {

constexpr int kH = 0, kD = 2;
constexpr int32_t kHideDimension = 1;
constexpr int32_t kHideCallouts = 2;
constexpr int32_t kFloorPlanBit = 2;
constexpr int16_t kGatePoint = 6;
constexpr float kHalfPi = 1.57079632679489661923f;
constexpr float kProbe = 100.0f;
constexpr float kCalloutCrowding = 48.0f;

struct Mark {
    float h = 0, v = 0;
};

float Distance(Mark a, Mark b) { return std::hypot(a.h - b.h, a.v - b.v); }

bool IsStraight(const Poinz* start, const Poinz* end) {
    for (int i = 0; i < 3; ++i)
        if (start->outTangent[i] != 0.0f || end->inTangent[i] != 0.0f) return false;
    return true;
}

bool DisplaysDimensions(const Objex* o) {
    return (objfield::display::kWord(*o) & objfield::display::kAutomaticDimensions) != 0;
}

// The openings set into the segment, nearest the start first; equal distances keep the
// children's order. A list of its own, kept between calls so that a redraw does not allocate
// one per segment: valid until the next call (nothing that draws a dimension asks again).
// The records' own links stay untouched.
const std::vector<Objex*>& OpeningsOn(Objex* wall, const Poinz* start, const Objex* placed, bool anyChild) {
    static std::vector<Objex*> found;
    found.clear();
    const DocState* ds = CurrentDocState();
    for (Objex* c = wall->firstChild; c; c = c->next) {
        if (c->typeData.kind != TypeDataKind::Attachment || !c->typeData.attachment) continue;
        if (c->typeData.attachment->segmentStart != start) continue;
        if (anyChild) {
            if (c == placed || c->subtype == objsubtype::kAttachedDimension) continue;
            if (!ds || !IsObjectOnCurrentPlan(c, ds->visiblePlans)) continue;
        } else if (c->type != objtype::kDoor && c->type != objtype::kWindow) {
            continue;
        }
        found.push_back(c);
    }
    // Stable insertion: a segment holds a few openings, and no scratch buffer is taken.
    for (size_t i = 1; i < found.size(); ++i) {
        Objex* const moving = found[i];
        const float distance = moving->typeData.attachment->centreDistance;
        size_t j = i;
        for (; j > 0 && distance < found[j - 1]->typeData.attachment->centreDistance; --j) found[j] = found[j - 1];
        found[j] = moving;
    }
    return found;
}

// The point `distance` from the segment's start point along its direction.
Mark Along(const Poinz* start, const Poinz* end, float distance) {
    float length = 0, dh = 0, dv = 0;
    const float angle = GetLineLengthAndAngle(start->position[kH], start->position[kD], end->position[kH],
                                              end->position[kD], &length);
    GetPointFromLengthAndAngle(angle, distance, &dh, &dv);
    return {start->position[kH] + dh, start->position[kD] + dv};
}

void Dimension(void* dc, const Objex* o, const Poinz* ref, Mark a, Mark b, Mark m1, Mark m2, uint8_t side,
               float offset, float gap, uint8_t dynamic = 0, uint8_t oneSided = 0, uint8_t labelOnly = 0,
               const char* extra = nullptr) {
    DrawDimensionLine(dc, a.h, a.v, b.h, b.v, m1.h, m1.v, m2.h, m2.v, side, offset, dynamic, o, ref, 0,
                      oneSided, gap, labelOnly, extra);
}

struct Scheme {
    float offset;          // of the partial and plain dimensions
    float gap;
    float overallOffset;
    uint8_t side;          // of the dimension lines
    bool dimensions;       // the dimension lines may show
    bool callouts;         // the callouts may show
    bool openings;         // the openings are dimensioned
    float plainExtra;      // added to the plain offset when the openings are not
};

// A segment split at its openings, with their callouts and, over two or more, the overall
// dimension; or one plain dimension.
void DimensionWithOpenings(void* dc, Objex* o, Poinz* start, Poinz* end, Mark a, Mark b, const Scheme& s) {
    gToggleCallout = 0;
    const bool hidden = (start->segmentFlags & kHideDimension) != 0 || !s.dimensions;
    const bool noCallouts = (start->segmentFlags & kHideCallouts) != 0 || !s.callouts;
    static const std::vector<Objex*> kNone;
    const std::vector<Objex*>& openings = s.openings ? OpeningsOn(o, start, nullptr, false) : kNone;
    if (openings.empty()) {
        if (!hidden) Dimension(dc, o, start, a, b, a, b, s.side, s.offset + s.plainExtra, s.gap);
        return;
    }
    Mark mark = a;
    for (size_t i = 0; i < openings.size(); ++i) {
        const AttachmentRecord* record = openings[i]->typeData.attachment;
        const Mark c = Along(start, end, record->centreDistance);
        if (!hidden) Dimension(dc, o, start, a, b, mark, c, s.side, s.offset, s.gap);
        if (!noCallouts) {
            if (Distance(mark, c) < kCalloutCrowding && i > 0) gToggleCallout = !gToggleCallout;
            else gToggleCallout = 0;
            const bool onSide = gToggleCallout != 0;
            const uint8_t calloutSide = onSide ? s.side : static_cast<uint8_t>(!s.side);
            DrawAttachmentCalloutText(dc, record, a.h, a.v, b.h, b.v, c.h, c.v, calloutSide, s.offset);
        }
        mark = c;
    }
    if (hidden) return;
    Dimension(dc, o, start, a, b, mark, b, s.side, s.offset, s.gap);
    if (openings.size() >= 2) Dimension(dc, o, start, a, b, a, b, s.side, s.overallOffset, s.gap);
}

// The length label of a polygon edge, or false when the type is dimensioned as a wall.
bool LabelEdge(void* dc, Objex* o, Poinz* start, Poinz* end, EdgeSide& edgeSide, const DocState* ds) {
    const char* suffix = nullptr;
    bool flip = false;
    bool draw = true;
    bool straightOnly = true;
    switch (o->type) {
    case 8: case 9: case objtype::kGroundFill: case objtype::kFreehandRoof: case objtype::kStiffenerBeam:
        break;
    case objtype::kFloor: case objtype::kFloorCutout:
        draw = DisplaysDimensions(o);
        break;
    case objtype::kPropertyLine:
        flip = true;
        suffix = " P.L.";
        break;
    case objtype::kFence:
        suffix = start->kind == kGatePoint ? " Gate" : " Fence";
        break;
    case objtype::kDetail:
        draw = !DisplaysDimensions(o);
        break;
    case objtype::kRailing:
        suffix = " Rail";
        break;
    case objtype::kDeck:
        draw = DisplaysDimensions(o);
        suffix = (start->segmentFlags & kHideDimension) ? " (Rail)" : " (Open)";
        break;
    case objtype::kPhoto:
        straightOnly = false;
        break;
    case objtype::kDimensionLine: {
        const Mark a{start->position[kH], start->position[kD]}, b{end->position[kH], end->position[kD]};
        DrawDimensionLineNoOffset(dc, a.h, a.v, b.h, b.v, a.h, a.v, b.h, b.v, edgeSide.get(), 0, 0, o, start, 0, 0, 0, 0,
                                  nullptr);
        return true;
    }
    default:
        return false;
    }
    if (!draw || !ds->showDimensions) return true;
    if (straightOnly && !IsStraight(start, end)) return true;
    const std::string text = suffix ? LocalizedString(suffix) : std::string();
    const Mark a{start->position[kH], start->position[kD]}, b{end->position[kH], end->position[kD]};
    const uint8_t side = flip ? !edgeSide.get() : edgeSide.get();
    Dimension(dc, o, start, a, b, a, b, side, 5, 5, 0, 0, 1, suffix ? text.c_str() : nullptr);
    return true;
}

}  // namespace

void AdjustWallDimensionForMethod(const Objex* wall, const Poinz* start, const Poinz* end,
                                  float* startH, float* startV, float* endH, float* endV) {
    if (!start || !end || !startH || !startV || !endH || !endV) return;
    *startH = start->position[kH], *startV = start->position[kD];
    *endH = end->position[kH], *endV = end->position[kD];
    if (!wall || wall->type != objtype::kWall || start->dimensionMethod == 0) return;
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    const float t = ConvertWorldToScreen(wall->penWidth, ds, 0) / 2.0f;
    float length = 0, dx = 0, dy = 0;
    const float d = GetLineLengthAndAngle(*startH, *startV, *endH, *endV, &length);
    GetPointFromLengthAndAngle(d, t, &dx, &dy);
    const Mark mid{(*startH + *endH) / 2.0f, (*startV + *endV) / 2.0f};
    Mark minus = mid, plus = mid;
    GetPointFromLengthAndAngle(d - kHalfPi, kProbe, &minus.h, &minus.v);
    GetPointFromLengthAndAngle(d + kHalfPi, kProbe, &plus.h, &plus.v);
    minus.h += mid.h, minus.v += mid.v, plus.h += mid.h, plus.v += mid.v;
    const bool flipped = start->dimensionFlipped != 0;
    // Whether the face on the dimension's side is the longer one at that end.
    auto grows = [&](const Poinz* neighbour) {
        const Mark n{neighbour->position[kH], neighbour->position[kD]};
        const bool onPlus = Distance(n, plus) < Distance(n, minus);
        return flipped == onPlus;
    };
    // The last point is looked for only at the first segment of a closed wall: a walk per
    // segment would make a long wall's dimensions quadratic.
    const Poinz* before = start->prev;
    if (!before && wall->closed) {
        const Poinz* last = start;
        while (last->next) last = last->next;
        if (last != start) before = last;
    }
    const Poinz* after = end->next ? end->next : (wall->closed && wall->firstPoint != end ? wall->firstPoint : nullptr);
    if (before) {
        const float sign = grows(before) ? -1.0f : 1.0f;
        *startH += sign * dx, *startV += sign * dy;
    }
    if (after) {
        const float sign = grows(after) ? 1.0f : -1.0f;
        *endH += sign * dx, *endV += sign * dy;
    }
}

uint8_t EdgeSide::get() {
    if (value_ < 0) {
        int32_t count = 0;
        for (const Poinz* p = object_ ? object_->firstPoint : nullptr; p && count < 3; p = p->next) ++count;
        value_ = count == 2 || GetParallelDirection(object_) == direction_ ? 1 : 0;
    }
    return static_cast<uint8_t>(value_);
}

void DimensionWallSegment(void* dc, Objex* object, Poinz* start, Poinz* end, uint8_t side) {
    EdgeSide fixed(side);
    DimensionWallSegment(dc, object, start, end, fixed);
}

void DimensionWallSegment(void* dc, Objex* object, Poinz* start, Poinz* end, EdgeSide& side) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !start || !end) return;
    if (LabelEdge(dc, object, start, end, side, ds)) return;

    Mark a, b;
    AdjustWallDimensionForMethod(object, start, end, &a.h, &a.v, &b.h, &b.v);
    // The thickness as stored, less 4: a 4-inch wall's dimensions stand at the base offsets.
    const float base = object->type == objtype::kWall ? object->penWidth - 4.0f : 0.0f;
    const bool exterior = object->subtype == objsubtype::kExteriorWall;
    const bool openings = !exterior || (ds->visiblePlans & kFloorPlanBit) != 0;
    Scheme s;
    s.offset = base + 5, s.gap = base + 5, s.overallOffset = base + 25;
    s.side = start->dimensionFlipped == 0 ? 1 : 0;
    s.dimensions = true, s.callouts = true, s.openings = openings;
    s.plainExtra = exterior && !openings
                       ? ConvertWorldToScreen(objfield::wall::kQuickWallWidth(*object), ds, 0) / 2.0f
                       : 0.0f;
    DimensionWithOpenings(dc, object, start, end, a, b, s);
}

void DimensionPerimeterSegment(void* dc, Objex* object, Poinz* start, Poinz* end, uint8_t side) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !start || !end) return;
    const Mark a{start->position[kH], start->position[kD]}, b{end->position[kH], end->position[kD]};
    Scheme s;
    s.offset = 5, s.gap = 5, s.overallOffset = 25, s.side = side;
    s.dimensions = ds->showDimensions != 0, s.callouts = ds->showCallouts != 0;
    s.openings = object->subtype != objsubtype::kExteriorWall || (ds->visiblePlans & kFloorPlanBit) != 0;
    s.plainExtra = 0;
    DimensionWithOpenings(dc, object, start, end, a, b, s);
}

void DimensionWallSegmentToPoint(void* dc, Objex* wall, Poinz* start, Poinz* end, const float point[2],
                                 const Objex* placed) {
    if (!CurrentDocState() || !wall || !start || !end || !point) return;
    Mark a, b;
    AdjustWallDimensionForMethod(wall, start, end, &a.h, &a.v, &b.h, &b.v);
    const std::vector<Objex*>& others = OpeningsOn(wall, start, placed, true);
    const float offset = others.size() >= 2 || (others.size() == 1 && placed) ? 45.0f : 25.0f;
    const Mark at{point[0], point[1]};
    const float reach = Distance(a, at);
    Mark before = a, after = b;
    for (const Objex* o : others) {
        const float distance = o->typeData.attachment->centreDistance;
        const Mark c = Along(start, end, distance);
        if (distance <= reach) {
            before = c;
        } else {
            after = c;
            break;
        }
    }
    const uint8_t side = start->dimensionFlipped == 0 ? 1 : 0;
    Dimension(dc, wall, start, a, b, before, at, side, offset, 5, 1);
    Dimension(dc, wall, start, a, b, after, at, side, offset, 5, 1, 1);
}
