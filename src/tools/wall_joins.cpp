#include "tools/wall_joins.h"

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "model/attachments.h"
#include "model/point_edits.h"
#include "model/bounds.h"
#include "model/delete_items.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plan_objects.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "plan/zoom.h"
#include "scene/scene_build.h"
#include "tools/attached_dimensions.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"
#include "tools/wall_defaults.h"
#include "model/click_info.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kNone = 32000.0f;
constexpr float kReachBeyond = 20.0f;
constexpr float kInsideSegment = 1.0f;
constexpr float kNearestCrossing = 24.0f;
constexpr float kShortestSegment = 10.0f;
constexpr float kAxisSnap = 1.0f;
constexpr float kFarAway = 30000.0f;
constexpr float kDegrees = 57.29577951308232f;

float H(const Poinz* p) { return p->position[0]; }
float D(const Poinz* p) { return p->position[2]; }

bool IsWall(const Objex* o) { return o && o->type == objtype::kWall; }

// The document's hit tolerance while it lives.
class ToleranceScope {
public:
    ToleranceScope(DocState* ds, int32_t tolerance) : ds_(ds), saved_(ds ? ds->pickTolerance : 0) {
        if (ds_) ds_->pickTolerance = static_cast<int16_t>(tolerance);
    }
    ~ToleranceScope() {
        if (ds_) ds_->pickTolerance = saved_;
    }
    ToleranceScope(const ToleranceScope&) = delete;
    ToleranceScope& operator=(const ToleranceScope&) = delete;

private:
    DocState* ds_;
    int16_t saved_;
};

// The direction from a to b in whole degrees, as the tidying compares them.
int32_t Direction(const Poinz* a, const Poinz* b, bool folded) {
    float length = 0;
    float degrees = GetLineLengthAndAngle(H(a), D(a), H(b), D(b), &length) * kDegrees;
    if (folded && degrees > 180.0f) degrees -= 360.0f;
    return static_cast<int32_t>(degrees + 0.5f);
}

// Straight on or doubling back; a difference near 360 is one near 0 measured the other way.
bool DoesNotTurn(int32_t a1, int32_t a2, bool doublingBackToo) {
    int32_t diff = std::abs(a1 - a2) % 360;
    if (diff > 180) diff = 360 - diff;
    return diff <= 1 || (doublingBackToo && diff >= 179);
}

void RemoveWallPoint(Objex* wall, Poinz* point) {
    Poinz* prev = point->prev ? point->prev : (wall->closed ? LastWallPoint(wall) : nullptr);
    Poinz* next = point->next ? point->next : (wall->closed ? wall->firstPoint : nullptr);
    ForEachAttachment(wall, [&](Objex*, AttachmentRecord* r) {
        if (r->segmentStart == point) r->segmentStart = prev;
        if (r->segmentEnd == point) r->segmentEnd = next;
    });
    if (point->prev) point->prev->next = point->next;
    else wall->firstPoint = point->next;
    if (point->next) point->next->prev = point->prev;
    ForgetTrackedPoint(point);
    DeleteWallPoint(wall, point);
    wall->pointCount--;
}

// Unlinks the point from its object without freeing it.
void Unlink(Objex* object, Poinz* p) {
    if (p->prev) p->prev->next = p->next;
    else object->firstPoint = p->next;
    if (p->next) p->next->prev = p->prev;
    p->prev = p->next = nullptr;
    object->pointCount--;
}

void DeleteMergedWall(Objex* wall) {
    SelectObj(wall, selmode::kSelect, 0);
    DeleteObjItem(wall);
}

// `donor`'s points after `donorEnd` run on after `keeperEnd`, the survivor's last point, which
// takes the donor end's segment record; the donor goes.
Objex* AppendDonor(Objex* keeper, Poinz* keeperEnd, Objex* donor, Poinz* donorEnd) {
    ReplaceAttachmentBasePoint(donor, donorEnd, keeperEnd, keeper);
    SwapSegmentRecords(keeperEnd, donorEnd);
    Poinz* tail = keeperEnd;
    while (Poinz* p = donorEnd->next) {
        Unlink(donor, p);
        tail = AppendPointAfter(p, keeper, tail);
    }
    TransferAttachments(donor, keeper);
    return keeper;
}

// `donor`'s points before `donorEnd` go in front of `keeperEnd`, the survivor's first point.
Objex* PrependDonor(Objex* keeper, Poinz* keeperEnd, Objex* donor, Poinz* donorEnd) {
    ReplaceAttachmentBasePoint(donor, donorEnd, keeperEnd, keeper);
    while (Poinz* p = donorEnd->prev) {
        Unlink(donor, p);
        InsertPointInObject(p, keeper, nullptr);
    }
    TransferAttachments(donor, keeper);
    return keeper;
}

bool IsEndOf(const Objex* wall, const Poinz* p) {
    return wall && p && p->owner == wall && !wall->closed && IsFreeEnd(p);
}

}  // namespace

bool CrossLines(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, float* x, float* y) {
    const double dx1 = double(x2) - x1, dy1 = double(y2) - y1, dx2 = double(x4) - x3, dy2 = double(y4) - y3;
    const double denominator = dx1 * dy2 - dy1 * dx2;
    if (std::fabs(denominator) < 1e-9 * (std::fabs(dx1 * dy2) + std::fabs(dy1 * dx2)) || denominator == 0) return false;
    const double t = ((double(x3) - x1) * dy2 - (double(y3) - y1) * dx2) / denominator;
    *x = float(x1 + t * dx1), *y = float(y1 + t * dy1);
    return true;
}

bool IsFreeEnd(const Poinz* point) { return point && (!point->prev || !point->next); }

Poinz* LastWallPoint(Objex* wall) {
    Poinz* p = wall ? wall->firstPoint : nullptr;
    while (p && p->next) p = p->next;
    return p;
}

float WallThickness(const Objex* wall) {
    const DocState* ds = CurrentDocState();
    return wall && ds ? ConvertWorldToScreen(wall->penWidth, ds, 0) : 0.0f;
}

void RebuildWall(Objex* wall) {
    // Mapped as a read maps it, so what Save writes after the edit is what a read gives.
    MapFacesAndLengths(wall);
    Update3DWall(wall);
    UpdateAllWallAttachments(wall);
    ReRenderObject(wall);
    Refresh();
}

void MeetAtEndSegments(Poinz* a, Poinz* b) {
    if (!a || !b) return;
    const Poinz* na = a->next ? a->next : a->prev;
    const Poinz* nb = b->next ? b->next : b->prev;
    if (!na || !nb) return;
    float x = kNone, y = kNone;
    CrossLines(H(na), D(na), H(a), D(a), H(nb), D(nb), H(b), D(b), &x, &y);
    if (!(std::fabs(x) < kFarAway && std::fabs(y) < kFarAway)) return;
    a->position[0] = b->position[0] = x;
    a->position[2] = b->position[2] = y;
}

Poinz* FreeWallEndAt(float h, float d, const Objex* skip) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !gCurDocument->itsCurLayer) return nullptr;
    ClickInfo click;
    const PlatformPoint at = feedback::ToView(Float3DPoint{h, 0, d});
    click.ciWhere = POINT{int32_t(at.x), int32_t(at.y)};
    ToleranceScope tolerance(ds, ZoomL(20));
    std::vector<Objex*> walls;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (IsWall(o) && o != skip && !o->closed) walls.push_back(o);
    for (auto it = walls.rbegin(); it != walls.rend(); ++it) {
        Poinz* ends[2] = {(*it)->firstPoint, LastWallPoint(*it)};
        for (Poinz* p : ends)
            if (p && SearchPoint(p, &click, 0, 0)) return p;
    }
    return nullptr;
}

void LimitWall(Objex* wall, Poinz* p1, Poinz* p2, Layer* layer) {
    if (!wall || !p1 || !p2 || !layer) return;
    const float length = GetLineLength(H(p1), D(p1), H(p2), D(p2));
    const float reach = length + kReachBeyond;
    float best = kNone, bestX = 0, bestY = 0;
    const Objex* hit = nullptr;
    for (Objex* o = layer->firstObject; o; o = o->next) {
        if (!IsWall(o)) continue;
        for (Poinz* a = o->firstPoint; a; a = a->next) {
            Poinz* b = a->next ? a->next : (o->closed && a != o->firstPoint ? o->firstPoint : nullptr);
            if (!b) break;
            float x = kNone, y = kNone;
            if (!CrossLines(H(p1), D(p1), H(p2), D(p2), H(a), D(a), H(b), D(b), &x, &y)) continue;
            const float fromStart = GetLineLength(H(p1), D(p1), x, y);
            const float segment = GetLineLength(H(a), D(a), H(b), D(b));
            if (fromStart > reach || fromStart >= best) continue;
            if (GetLineLength(H(p2), D(p2), x, y) > length) continue;
            if (GetLineLength(H(a), D(a), x, y) >= segment - kInsideSegment ||
                GetLineLength(H(b), D(b), x, y) >= segment - kInsideSegment)
                continue;
            best = fromStart, bestX = x, bestY = y, hit = o;
        }
    }
    if (!hit || best < kNearestCrossing) return;
    const float newLength = std::fmax(best - WallThickness(hit) / 2, kShortestSegment);
    const float ux = (bestX - H(p1)) / best, uy = (bestY - D(p1)) / best;
    float x = H(p1) + ux * newLength, y = D(p1) + uy * newLength;
    if (std::fabs(x - H(p1)) <= kAxisSnap) x = H(p1);
    if (std::fabs(y - D(p1)) <= kAxisSnap) y = D(p1);
    p2->position[0] = x, p2->position[2] = y;
}

int16_t LimitWallObject(Objex* wall, Layer* layer) {
    if (!IsWall(wall) || !layer || !wall->firstPoint || !wall->firstPoint->next) return 0;
    Poinz* first = wall->firstPoint;
    Poinz* last = LastWallPoint(wall);
    if (wall->pointCount == 2) {
        LimitWall(wall, first, last, layer);
    } else {
        LimitWall(wall, first->next, first, layer);
        LimitWall(wall, last->prev, last, layer);
    }
    Update3DWall(wall);
    UpdateAllWallAttachments(wall);
    ReRenderObject(wall);
    return 1;
}

void LimitWallLayer(Layer* layer, Layer*) {
    if (!layer) return;
    std::vector<Objex*> objects;
    for (Objex* o = layer->firstObject; o; o = o->next) objects.push_back(o);
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) LimitWallObject(*it, layer);
}

void OptimizeWall(Objex* wall) {
    if (!IsWall(wall) || wall->pointCount <= 2) return;
    bool removed = false;
    Poinz* prev = wall->firstPoint;
    while (prev && prev->next && prev->next->next) {
        Poinz* point = prev->next;
        if (point->kind != 10 &&
            DoesNotTurn(Direction(prev, point, true), Direction(point, point->next, true), true)) {
            RemoveWallPoint(wall, point);
            removed = true;
            continue;
        }
        prev = point;
    }
    if (wall->closed && wall->pointCount > 3) {
        Poinz* last = LastWallPoint(wall);
        if (DoesNotTurn(Direction(last->prev, last, false), Direction(last, wall->firstPoint, false), false)) {
            RemoveWallPoint(wall, last);
            removed = true;
        }
    }
    if (wall->closed && wall->pointCount > 3) {
        Poinz* first = wall->firstPoint;
        Poinz* last = LastWallPoint(wall);
        if (DoesNotTurn(Direction(last, first, false), Direction(first, first->next, false), false)) {
            // The closing segment now runs from the last point to the second; the last point's
            // record already describes it.
            RemoveWallPoint(wall, first);
            removed = true;
        }
    }
    if (removed) RebuildWall(wall);
}

void TransferAttachments(Objex* from, Objex* to) {
    if (!from || !to || from == to) return;
    while (Objex* child = from->firstChild) {
        from->firstChild = child->next;
        if (child->next) child->next->prev = nullptr;
        child->prev = child->next = nullptr;
        AppendChildToObject(child, to);
    }
}

Objex* JoinWallObjects(Objex* a, Poinz* pa, Objex* b, Poinz* pb) {
    if (!IsEndOf(a, pa) || !IsEndOf(b, pb) || a == b) return b;
    const DocState* ds = CurrentDocState();
    const bool aLast = !pa->next, bFirst = !pb->prev;
    Objex* keeper = b;
    Objex* gone = a;
    if (aLast && bFirst) {
        keeper = a, gone = b;
        AppendDonor(a, pa, b, pb);
    } else if (aLast) {
        ReverseWallPoints(a, ds);  // point A now starts A
        AppendDonor(b, pb, a, pa);
    } else if (bFirst) {
        ReverseWallPoints(a, ds);  // point A now ends A
        PrependDonor(b, pb, a, pa);
    } else {
        AppendDonor(b, pb, a, pa);
    }
    if (a->subtype == objsubtype::kExteriorWall || b->subtype == objsubtype::kExteriorWall) {
        a->subtype = b->subtype = objsubtype::kExteriorWall;
        a->auxColor.red = b->auxColor.red = 0;
    }
    DeleteMergedWall(gone);
    UpdateObjectBounds(keeper);
    RebuildWall(keeper);
    return keeper;
}

Objex* SeparateWallSegment(Objex* wall, Poinz* p1, Poinz* p2) {
    Layer* layer = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!wall || !p1 || !p2 || !layer) return nullptr;
    Objex* o = CreateObject(objtype::kWall, 0, 1, &wall->fillColor, &wall->penColor, wall->penWidth, wall->penStyle,
                            wall->fillPattern, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
    if (!o) return nullptr;
    for (const Poinz* from : {p1, p2}) {
        Poinz* p = CreatePoint(1, 0, 0, from->inTangent[0], from->inTangent[1], from->inTangent[2],
                               from->position[0], from->position[1], from->position[2], from->outTangent[0],
                               from->outTangent[1], from->outTangent[2], 0, 0, 0, o);
        if (!p) {
            DeleteObj(o);
            return nullptr;
        }
        p->texture1 = from->texture1, p->texture2 = from->texture2;
        p->color1 = from->color1, p->color2 = from->color2;
        p->faceScale1 = from->faceScale1, p->faceScale2 = from->faceScale2;
        // Every wall point owns both trim records: empty ones, as a read gives them.
        p->trim1 = new (std::nothrow) TrimRecord{};
        p->trim2 = new (std::nothrow) TrimRecord{};
        AppendPointToObject(p, o);
    }
    o->rows = 1;
    o->texture = wall->texture, o->texture2 = wall->texture2, o->texture3 = wall->texture3;
    o->texture4 = wall->texture4, o->texture5 = wall->texture5;
    o->color2 = wall->color2, o->color3 = wall->color3, o->color4 = wall->color4, o->color5 = wall->color5;
    for (int i = 0; i < 5; ++i) o->textureScales[i] = wall->textureScales[i];
    AppendObjectToLayer(o, layer);
    // From its points: the new wall has no solid yet to measure.
    FloatRect box{kEmptyBoundsLow, kEmptyBoundsLow, kEmptyBoundsHigh, kEmptyBoundsHigh};
    Float3DRect box3D{kEmptyBoundsLow, kEmptyBoundsLow, kEmptyBoundsLow, kEmptyBoundsHigh, kEmptyBoundsHigh, kEmptyBoundsHigh};
    for (const Poinz* p = o->firstPoint; p; p = p->next) {
        RefineBounds(p->position[0], p->position[1], p->position[2], &box);
        Refine3DBounds(p->position[0], p->position[1], p->position[2], &box3D);
    }
    o->bounds = box, o->bounds3D = box3D;
    return o;
}

namespace {

// What a click at a wall's end finds, searching the current layer from the top: the first
// other object hit (with the click's record), or else the wall's own other free end.
struct EndHit {
    Objex* other = nullptr;
    ClickInfo click;
    Poinz* ownEnd = nullptr;
};

EndHit HitAtWallEnd(Objex* wall, Poinz* end) {
    EndHit hit;
    DocState* ds = CurrentDocState();
    Layer* layer = gCurDocument->itsCurLayer;
    if (!ds || !layer) return hit;
    const PlatformPoint at = feedback::ToView(Float3DPoint{H(end), 0, D(end)});
    const POINT where{int32_t(at.x), int32_t(at.y)};
    ToleranceScope tolerance(ds, ZoomL(20));
    // The wall's own ends count only on an open wall of three points or more.
    const bool ownEndsCount = wall->pointCount >= 3 && !wall->closed;
    std::vector<Objex*> objects;
    for (Objex* o = layer->firstObject; o; o = o->next) objects.push_back(o);
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        Objex* o = *it;
        if (!IsObjectOnCurrentPlan(o, ds->visiblePlans)) continue;
        ClickInfo click;
        click.ciWhere = where;
        if (!SelectFromObject(o, &click, 0, nullptr, 0)) continue;
        if (o != wall) {
            hit.other = o, hit.click = click;
            return hit;
        }
        Poinz* p = click.ciPointHit ? click.ciPoint : nullptr;
        if (!ownEndsCount || hit.ownEnd || !p || p->owner != wall || !IsFreeEnd(p)) continue;
        if (p != end) {
            hit.ownEnd = p;
        } else if (end == wall->firstPoint) {
            // The first point closes onto the last when that lies under the click too.
            Poinz* last = LastWallPoint(wall);
            if (SearchPoint(last, &click, 0, 0)) hit.ownEnd = last;
        }
    }
    return hit;
}

}  // namespace

Objex* ConnectWallPoint(Objex* wall, Poinz* endPoint) {
    if (!wall || !endPoint) return nullptr;
    if (!gCurDocument || !CurrentDocState() || !IsWall(wall) || wall->closed || !IsEndOf(wall, endPoint))
        return wall;
    const EndHit hit = HitAtWallEnd(wall, endPoint);
    if (Objex* other = hit.other) {
        // Whatever else lies there stops the join: only a free end of another open wall joins.
        Poinz* at = hit.click.ciPointHit ? hit.click.ciPoint : nullptr;
        if (!IsWall(other) || other->closed || !at || at->owner != other || !IsFreeEnd(at)) return wall;
        MeetAtEndSegments(endPoint, at);
        return JoinWallObjects(wall, endPoint, other, at);
    }
    // The wall's own other end under the point closes it.
    Poinz* otherEnd = hit.ownEnd;
    if (!otherEnd) return wall;
    const bool isFirst = endPoint == wall->firstPoint;
    if (otherEnd == endPoint || (isFirst ? otherEnd != LastWallPoint(wall) : otherEnd != wall->firstPoint)) return wall;
    MeetAtEndSegments(endPoint, otherEnd);
    Poinz* keep = wall->firstPoint;
    Poinz* drop = LastWallPoint(wall);
    if (!isFirst) {
        // The last point stays and takes over the first's segment.
        keep = drop, drop = wall->firstPoint;
        SwapSegmentRecords(keep, drop);
    }
    for (int k = 0; k < 3; ++k) keep->position[k] = drop->position[k];
    ReplaceAttachmentBasePoint(wall, drop, keep, wall);
    Unlink(wall, drop);
    ForgetTrackedPoint(drop);
    DeleteWallPoint(wall, drop);
    wall->closed = 1;
    UpdateObjectBounds(wall);
    RebuildWall(wall);
    return wall;
}
