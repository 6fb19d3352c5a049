#include "tools/move_wall_edits.h"

#include <cmath>

#include "model/point_edits.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/zoom.h"
#include "tools/attached_dimensions.h"
#include "tools/wall_attachments.h"
#include "tools/wall_joins.h"
#include "model/click_info.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kFarAway = 30000.0f;
constexpr float kShortestKept = 20.0f;
constexpr int32_t kDropTolerance = 20;

float H(const Poinz* p) { return p->position[0]; }
float D(const Poinz* p) { return p->position[2]; }
bool Near(float x, float y) { return std::fabs(x) < kFarAway && std::fabs(y) < kFarAway; }

void PlaceAt(Poinz* p, const Float3DPoint& at) {
    p->position[0] = at.floatH, p->position[1] = at.floatV, p->position[2] = at.floatD;
}

bool IsOpenWall(const Objex* o) {
    return o && o->type == objtype::kWall && !o->closed && o->firstPoint && o->firstPoint->next;
}

// Where the end of a wall meeting the old line goes, along its end segment from `neighbour`;
// false when it did not meet the line or the new line does not cross its end segment.
bool Refit(const Poinz* end, const Poinz* neighbour, FloatPoint oldA, FloatPoint oldB, FloatPoint newA,
           FloatPoint newB, float tolerance, FloatPoint* to) {
    float x = kFarAway, y = kFarAway;
    if (!CrossLines(oldA.floatH, oldA.floatV, oldB.floatH, oldB.floatV, H(neighbour), D(neighbour), H(end), D(end), &x,
                    &y) ||
        !Near(x, y))
        return false;
    const bool withinSegment = x >= std::fmin(oldA.floatH, oldB.floatH) - tolerance &&
                               x <= std::fmax(oldA.floatH, oldB.floatH) + tolerance &&
                               y >= std::fmin(oldA.floatV, oldB.floatV) - tolerance &&
                               y <= std::fmax(oldA.floatV, oldB.floatV) + tolerance;
    if (!withinSegment || GetLineLength(H(end), D(end), x, y) > tolerance) return false;
    float nx = kFarAway, ny = kFarAway;
    if (!CrossLines(newA.floatH, newA.floatV, newB.floatH, newB.floatV, H(neighbour), D(neighbour), H(end), D(end), &nx,
                    &ny) ||
        !Near(nx, ny))
        return false;
    const float length = GetLineLength(H(neighbour), D(neighbour), H(end), D(end));
    if (length <= 0) return false;
    // Distances along the end segment from the neighbour, so an end short of the line or
    // through it keeps its side.
    const float ux = (H(end) - H(neighbour)) / length, uy = (D(end) - D(neighbour)) / length;
    auto along = [&](float px, float py) { return (px - H(neighbour)) * ux + (py - D(neighbour)) * uy; };
    const float gap = along(x, y) - length;
    const float at = along(nx, ny) - gap;
    *to = FloatPoint{H(neighbour) + ux * at, D(neighbour) + uy * at};
    return true;
}

}  // namespace

int RefitMeetingWalls(const Objex* moved, FloatPoint oldA, FloatPoint oldB, FloatPoint newA, FloatPoint newB,
                      Layer* layer) {
    if (!moved || !layer) return 0;
    const float tolerance = WallThickness(moved);
    int count = 0;
    for (Objex* o = layer->firstObject; o; o = o->next) {
        if (o == moved || !IsOpenWall(o)) continue;
        Poinz* first = o->firstPoint;
        Poinz* last = LastWallPoint(o);
        FloatPoint firstTo, lastTo;
        // Both ends are judged against the wall as it was.
        const bool moveFirst = Refit(first, first->next, oldA, oldB, newA, newB, tolerance, &firstTo);
        const bool moveLast = Refit(last, last->prev, oldA, oldB, newA, newB, tolerance, &lastTo);
        if (!moveFirst && !moveLast) continue;
        if (moveFirst) first->position[0] = firstTo.floatH, first->position[2] = firstTo.floatV;
        if (moveLast) last->position[0] = lastTo.floatH, last->position[2] = lastTo.floatV;
        UpdateObjectBounds(o);
        RebuildWall(o);
        ++count;
    }
    return count;
}

void CloseWallOnFirstPoint(Objex* wall, bool firstDragged, bool meet) {
    if (!IsOpenWall(wall) || wall->pointCount < 3) return;
    Poinz* first = wall->firstPoint;
    Poinz* last = LastWallPoint(wall);
    if (meet) MeetAtEndSegments(first, last);
    else if (firstDragged)
        for (int k = 0; k < 3; ++k) first->position[k] = last->position[k];
    ReplaceAttachmentBasePoint(wall, last, first, wall);
    ForgetTrackedPoint(last);
    RemovePointInObject(wall, last);
    wall->closed = 1;
    UpdateObjectBounds(wall);
    RebuildWall(wall);
}

Objex* DropWallEnd(const WallEndDrag& drag, POINT at, bool meet) {
    Objex* wall = drag.wall;
    Poinz* end = drag.end;
    Poinz* opposite = drag.opposite;
    DocState* ds = CurrentDocState();
    Layer* layer = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!wall || !end || !opposite || !ds || !layer) return wall;

    gClickInfo = ClickInfo{};
    gClickInfo.ciWhere = at;
    Objex* partner = nullptr;
    Poinz* partnerPoint = nullptr;
    Poinz* closing = nullptr;
    {
        const int16_t saved = ds->pickTolerance;
        ds->pickTolerance = int16_t(ZoomL(kDropTolerance));
        const int16_t wallType = objtype::kWall;
        for (Objex* o = layer->firstObject; o; o = o->next) {
            if (o == wall) {
                if (wall->closed || wall->pointCount < 3) continue;
                Poinz* other = drag.fromStart ? LastWallPoint(wall) : wall->firstPoint;
                ClickInfo probe = gClickInfo;
                if (other != end && SearchPoint(other, &probe, 0, 0)) closing = other;
                continue;
            }
            // Only another wall can take the end: a polyline, fence or roof under it joins nothing.
            if (o->type != objtype::kWall) continue;
            ClickInfo probe = gClickInfo;
            if (!SelectFromObject(o, &probe, 0, &wallType, 1) || probe.ciObject != o) continue;
            partner = o;
            if (probe.ciPointHit) partnerPoint = probe.ciPoint;
            break;
        }
        ds->pickTolerance = saved;
    }

    // The first segment's attachments keep their place from its far end: they shift by what
    // the drop changes of its length.
    const float lengthAtDrop = GetLineLength(H(opposite), D(opposite), H(end), D(end));
    auto keepFromFarEnd = [&] {
        if (!drag.fromStart) return;
        UpdateWallAttachmentStartDistance(wall, end,
                                          GetLineLength(H(opposite), D(opposite), H(end), D(end)) - lengthAtDrop);
    };
    if (partner && partnerPoint) {
        keepFromFarEnd();
        if (wall->closed || partner->closed || (partnerPoint->prev && partnerPoint->next)) return wall;
        if (meet) MeetAtEndSegments(end, partnerPoint);
        return JoinWallObjects(wall, end, partner, partnerPoint);
    }
    if (closing) {
        keepFromFarEnd();
        CloseWallOnFirstPoint(wall, drag.fromStart, meet);
        return wall;
    }
    if (!wall->closed) {
        LimitWall(wall, opposite, end, layer);
        if (GetLineLength(H(opposite), D(opposite), H(end), D(end)) < kShortestKept) {
            PlaceAt(opposite, drag.savedOpposite);
            PlaceAt(end, drag.savedEnd);
        }
    }
    keepFromFarEnd();
    UpdateObjectBounds(wall);
    RebuildWall(wall);
    return wall;
}
