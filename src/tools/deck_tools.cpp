#include "tools/deck_tools.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/elements/rail_build.h"
#include "geometry/elements/stair_build.h"
#include "geometry/elements/stair_rails.h"
#include "model/attachments.h"
#include "model/default_textures.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/piece_runs.h"
#include "model/scoped_restore.h"
#include "model/segment_sampling.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "tools/deck_steps.h"
#include "tracking/outline_tracker.h"
#include "model/poly_builders.h"
#include "tracking/tracking_state.h"

namespace {

namespace df = objfield::deck;

constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int16_t kFullScale = 100;
constexpr int16_t kDeckWithRailingTool = 7600;
constexpr int16_t kFloorCutoutTool = 7063;
constexpr int32_t kFloorPlan = 2;
constexpr int32_t kDeckPlan = 64;
constexpr int32_t kSkirtingTexture = 1301;
constexpr int32_t kSurfaceTexture = 2300;
constexpr int32_t kRailingTexture = 2210;
constexpr float kFasciaDepth = 12.0f;    // plan units under the deck top without ground skirting
constexpr float kPostOverRail = 4.0f;    // inches a post stands above its handrail
constexpr float kRiserTarget = 7.0f;     // inches
constexpr float kTreadDepth = 10.0f;     // inches
constexpr float kCurveReach = 1.01f;     // the curved rail's walk ends past t = 1
constexpr int16_t kCurvePointKind = 9;
constexpr float kQuarterTurn = float(M_PI / 2);

bool IsFloorType(int16_t type) {
    return type == objtype::kFloor || type == objtype::kFloorCutout || type == objtype::kCabinetPart;
}

Poinz* LastPoint(Objex* o) {
    Poinz* p = o ? o->firstPoint : nullptr;
    while (p && p->next) p = p->next;
    return p;
}

// The edge from each point to the next, the last one closing the outline.
template <typename F>
void ForEachEdge(Objex* o, F edge) {
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        Poinz* q = p->next ? p->next : o->firstPoint;
        if (q != p) edge(p, q);
    }
}

Float3DPoint At(const Poinz* p) { return {p->position[0], p->position[1], p->position[2]}; }

Float3DPoint Along(const Poinz* from, float angle, float distance, float v) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dd);
    return {from->position[0] + dh, v, from->position[2] + dd};
}

float EdgeAngle(const Poinz* p1, const Poinz* p2, float* length) {
    return GetLineLengthAndAngle(p1->position[0], p1->position[2], p2->position[0], p2->position[2], length);
}

bool AnyTangent(const float t[3]) {
    for (int i = 0; i < 3; ++i)
        if (t[i] != 0.0f || std::isnan(t[i])) return true;
    return false;
}

bool IsCurvedEdge(const Poinz* p1, const Poinz* p2) { return AnyTangent(p1->outTangent) || AnyTangent(p2->inTangent); }

bool IsCurvedDeck(const Objex* deck) {
    for (const Poinz* p = deck->firstPoint; p; p = p->next)
        if (AnyTangent(p->inTangent) || AnyTangent(p->outTangent)) return true;
    return false;
}

// Calls f(previous point, point, last chord) for each chord of the curve walked from t = dt in
// steps of dt while t <= kCurveReach, the last one (t + dt past the reach) ending the walk.
template <typename F>
void ForEachCurveChord(const SegmentCubic& cubic, const float start[3], float dt, F&& f) {
    float prev[3] = {start[0], start[1], start[2]};
    for (float t = dt; t <= kCurveReach; t += dt) {
        const bool lastChord = t + dt > kCurveReach;
        float cur[3];
        cubic.At(std::min(t, 1.0f), cur);
        f(static_cast<const float*>(prev), static_cast<const float*>(cur), lastChord);
        std::copy(cur, cur + 3, prev);
        if (lastChord) break;
    }
}

float CurveChordLength(const SegmentCubic& cubic, const float start[3], float dt) {
    float length = 0;
    ForEachCurveChord(cubic, start, dt, [&](const float a[3], const float b[3], bool) {
        length += GetLineLength(a[0], a[2], b[0], b[2]);
    });
    return length;
}

RailMaterial Railing(const Objex* deck) { return {deck->texture3, deck->color3, deck->textureScales[1]}; }

// A two-row band over an edge: `top` as given, `bottom` below it, the tangents the caller gives.
Objex* BuildBand(const Float3DPoint top[2], const Float3DPoint bottom[2], const Float3DPoint in[2],
                 const Float3DPoint out[2], Layer* layer) {
    Float3DPoint first[2] = {top[0], top[1]}, second[2] = {bottom[0], bottom[1]};
    Float3DPoint fin[2] = {in[0], in[1]}, fout[2] = {out[0], out[1]};
    Objex* band = BuildGeneralPoly(first, second, fin, fout, fin, fout, 2, layer, 1, objtype::kPolygon, 0, 0);
    if (!band) return nullptr;
    band->type = objtype::kDeckPart;
    band->closed = 0;
    return band;
}

int16_t CurveSteps(const DocState* ds) { return ds->curveSegments > 1 ? ds->curveSegments : 2; }

// Each step of the deck set on the edge that starts at `p1`, by centre distance (equal ones
// in list order).
std::vector<Objex*> StepsOnEdge(Objex* deck, const Poinz* p1) {
    std::vector<Objex*> steps;
    for (Objex* c = deck->firstChild; c; c = c->next) {
        const AttachmentRecord* r = c->type == objtype::kDeckSteps ? AttachmentRecordOf(c) : nullptr;
        if (r && r->segmentStart == p1 && r->segmentEnd) steps.push_back(c);
    }
    std::stable_sort(steps.begin(), steps.end(), [](Objex* a, Objex* b) {
        return AttachmentRecordOf(a)->centreDistance < AttachmentRecordOf(b)->centreDistance;
    });
    return steps;
}

void Post(Objex* deck, const Float3DPoint& at, float angle, float height) {
    ConstructBaluster(at, angle, deck, height, 1, Railing(deck));
}

// A flight down from the edge: `width` and `total` in plan units, rails 1 = on.
void BuildFlight(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd, float centre, float width, float total,
                 int16_t leftRail, int16_t rightRail) {
    const DocState* ds = CurrentDocState();
    float length = 0;
    const float angle = EdgeAngle(edgeStart, edgeEnd, &length);
    const float rise = std::min(df::kHeight(*deck), ConvertScreenToWorld(total, ds, 0));
    if (!(rise > 0)) return;
    const int risers = std::max(1, pieceruns::RoundedCount(rise / kRiserTarget));
    const float hw = std::min(width / 2, length / 2);
    const float v = edgeStart->position[1];
    Float3DPoint top[2] = {Along(edgeStart, angle, centre + hw, v), Along(edgeStart, angle, centre - hw, v)};
    const bool forward = GetParallelDirection(deck) == 1;
    const float run = risers * ConvertWorldToScreen(kTreadDepth, ds, 0);
    const float outward = forward ? angle - kQuarterTurn : angle + kQuarterTurn;
    // [0] is the left side looking up the flight.
    if (forward) std::swap(top[0], top[1]);
    Float3DPoint bottom[2];
    for (int i = 0; i < 2; ++i) {
        float dh = 0, dd = 0;
        GetPointFromLengthAndAngle(outward, run, &dh, &dd);
        bottom[i] = {top[i].floatH + dh, top[i].floatV, top[i].floatD + dd};
    }
    // The flight climbs from its foot, `rise` below the edge, to the deck's edge.
    StairRun f;
    f.leftStart = bottom[0], f.rightStart = bottom[1];
    f.leftEnd = top[0], f.rightEnd = top[1];
    f.rise = ConvertWorldToScreen(rise, ds, 0);
    f.baseV = v + f.rise;
    f.riser = rise / float(risers);
    f.depth = kTreadDepth;
    f.leftRail = leftRail, f.rightRail = rightRail;
    f.railHeight = df::kHandrailHeight(*edgeStart);
    f.step = {deck->texture2, deck->color2, deck->textureScales[0]};
    f.rail = Railing(deck);
    f.sideFill = deck->fillColor;
    f.skirt = (df::kEdgeFlags(*edgeStart) & df::kSkirtingEdge) ? 1 : 0;
    StartStairSegments();
    UpdateStraightStairSegment(deck, f);
}

void MakeFloorLike(Objex* o, int32_t planBits, int32_t texture, float skirting, const DocState* ds) {
    o->planBits = planBits;
    o->fillColor = o->penColor = kNoColour;
    o->texture = 0;
    o->texture2 = texture, o->color2 = kNoColour;
    o->texture3 = 0, o->color3 = kNoColour;
    for (ShortPoint& scale : o->textureScales) scale = ShortPoint{kFullScale, kFullScale};
    objfield::floors::kThickness(*o) = skirting;
    objfield::display::kWord(*o) |= objfield::display::kAutomaticDimensions;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = texture;
        p->color1 = p->color2 = kNoColour;
        p->faceScale1 = p->faceScale2 = ShortPoint{kFullScale, kFullScale};
        p->position[1] -= 1.0f;
    }
    // Mapped at the height it is left at, as a read maps it.
    MapFacesAndLengths(o);
    (void)ds;
}

// Generated pieces are never looked up by ID: a rebuild uses up none, so reading and saving a
// design leaves its counters as they were.
class KeepsCounters {
public:
    explicit KeepsCounters(Objex* owner) : owner_(owner), ds_(CurrentDocState()) {
        if (ds_) objects_ = ds_->nextObjectID, points_ = ds_->nextPointID;
    }
    ~KeepsCounters() {
        if (!ds_) return;
        for (Objex* part = owner_->firstPart; part; part = part->next) {
            part->objectID = 0;
            for (Poinz* p = part->firstPoint; p; p = p->next) p->pointID = 0;
        }
        ds_->nextObjectID = objects_, ds_->nextPointID = points_;
    }
    KeepsCounters(const KeepsCounters&) = delete;
    KeepsCounters& operator=(const KeepsCounters&) = delete;

private:
    Objex* owner_;
    DocState* ds_;
    uint32_t objects_ = 0, points_ = 0;
};

}  // namespace

// --- trackers ---

void TrackDeck(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    const int16_t tool = gCurTool;
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 1, 1, objtype::kDeck, [tool](Objex* deck) {
        const DocState* ds = CurrentDocState();
        if (!deck || !ds) return;
        deck->type = objtype::kDeck;
        deck->planBits = kDeckPlan;
        deck->fillColor = deck->penColor = kNoColour;
        deck->texture = kSkirtingTexture;
        deck->texture2 = kSurfaceTexture, deck->color2 = kNoColour;
        deck->texture3 = kRailingTexture, deck->color3 = kNoColour;
        for (ShortPoint& scale : deck->textureScales) scale = ShortPoint{kFullScale, kFullScale};
        // The byte is the inspector's "closed risers" choice.
        df::kStepStyle(*deck) = ds->deckOpenSteps ? 1.0f : 0.0f;
        objfield::display::kWord(*deck) |= objfield::display::kAutomaticDimensions;
        df::kHeight(*deck) = ds->deckHeight;
        df::kBalusterSpacing(*deck) = ds->balusterSpacing;
        int32_t flags = tool == kDeckWithRailingTool ? df::kRailingEdge : 0;
        if (ds->deckSkirting) flags |= df::kSkirtingEdge;
        const float top = -ConvertWorldToScreen(ds->deckHeight, ds, 0);
        for (Poinz* p = deck->firstPoint; p; p = p->next) {
            p->texture1 = p->texture2 = kSurfaceTexture;
            p->color1 = p->color2 = kNoColour;
            p->faceScale1 = p->faceScale2 = ShortPoint{kFullScale, kFullScale};
            p->position[1] = top;
            df::kEdgeFlags(*p) = flags;
            df::kHandrailHeight(*p) = ds->deckRailHeight;
        }
        MapFacesAndLengths(deck);  // at the deck's height, as a read maps it
        Update3DDeck(deck);
        RenderSingleObject(deck);
    });
}

void TrackDeckCutout(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 1, 1, objtype::kFloor, [](Objex* cutout) {
        const DocState* ds = CurrentDocState();
        if (!cutout || !ds) return;
        cutout->type = objtype::kFloorCutout;
        cutout->subtype = objsubtype::kDeckCutout;
        MakeFloorLike(cutout, kDeckPlan, kSkirtingTexture, ds->deckHeight - 1.0f, ds);
        Update3DFloorSkirting(cutout);
        RenderSingleObject(cutout);
    });
}

void TrackFloor(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    const int16_t tool = gCurTool;
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 1, 1, objtype::kFloor, [tool](Objex* floor) {
        const DocState* ds = CurrentDocState();
        if (!floor || !ds) return;
        floor->type = tool == kFloorCutoutTool ? objtype::kFloorCutout : objtype::kFloor;
        MakeFloorLike(floor, kFloorPlan, gFlooringDefaultTexture, ds->floorValue, ds);
        Update3DFloorSkirting(floor);
        RenderSingleObject(floor);
    });
}

// --- floors ---

void Update3DFloorSkirting(Objex* floor) {
    const DocState* ds = CurrentDocState();
    if (!floor || !gCurDocument || !ds) return;
    Layer* layer = TreeFloor(floor);
    DeleteRendererObject(floor);
    DeleteObjectList(floor->firstPart);
    KeepsCounters counters(floor);
    const float depth = objfield::floors::kThickness(*floor);
    if (!(depth > 0) || !layer) return;
    const float d = ConvertWorldToScreen(depth, ds, 0);
    ForEachEdge(floor, [&](Poinz* p, Poinz* q) {
        const Float3DPoint top[2] = {At(p), At(q)};
        const Float3DPoint bottom[2] = {{top[0].floatH, top[0].floatV - d, top[0].floatD},
                                        {top[1].floatH, top[1].floatV - d, top[1].floatD}};
        const Float3DPoint in[2] = {{}, {q->inTangent[0], q->inTangent[1], q->inTangent[2]}};
        const Float3DPoint out[2] = {{p->outTangent[0], p->outTangent[1], p->outTangent[2]}, {}};
        Objex* band = BuildBand(top, bottom, in, out, layer);
        if (!band) return;
        for (Poinz* b = band->firstPoint; b; b = b->next) {
            b->texture1 = p->texture1, b->texture2 = p->texture2;
            b->color1 = p->color1, b->color2 = p->color2;
            b->faceScale1 = p->faceScale1, b->faceScale2 = p->faceScale2;
        }
        band->sourceObject = floor;
        AppendPartToObject(floor, band);
    });
}

void Update3DFloorSkirtingLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next)
        if (IsFloorType(o->type)) Update3DFloorSkirting(o);
}

void Update3DFloorSkirtingAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) Update3DFloorSkirtingLayer(layer);
}

// --- decks ---

void CreateDeckSkirting(Objex* deck, Poinz* p1, Poinz* p2) {
    const DocState* ds = CurrentDocState();
    if (!deck || !p1 || !p2 || !ds || !gCurDocument) return;
    Layer* layer = TreeFloor(deck);
    if (!layer) return;
    const Float3DPoint top[2] = {At(p1), At(p2)};
    const bool toGround = df::kEdgeFlags(*p1) & df::kSkirtingEdge;
    Float3DPoint bottom[2] = {top[0], top[1]};
    for (Float3DPoint& b : bottom) b.floatV = toGround ? 0.0f : b.floatV + kFasciaDepth;
    const Float3DPoint none[2] = {};
    Objex* piece = BuildBand(top, bottom, none, none, layer);
    if (!piece) return;
    for (Poinz* b = piece->firstPoint; b; b = b->next) {
        b->texture1 = b->texture2 = deck->texture;
        b->color1 = b->color2 = deck->fillColor;
        b->faceScale1 = b->faceScale2 = deck->textureScales[4];  // the main texture's slot
    }
    piece->sourceObject = deck;
    AppendPartToObject(deck, piece);
}

void ConvertCurvedDeckSegmentToPolygon(Objex* deck, Poinz* p1, Poinz* p2) {
    const DocState* ds = CurrentDocState();
    if (!deck || !p1 || !p2 || !ds || !IsCurvedEdge(p1, p2)) return;
    const int16_t n = CurveSteps(ds);
    const SegmentCubic cubic(p1, p2);
    Poinz* after = p1;
    for (int i = 1; i < n; ++i) {
        float at[3];
        cubic.At(float(i) / float(n), at);
        Poinz* p = CreatePoint(kCurvePointKind, 0, 0, 0, 0, 0, at[0], at[1], at[2], 0, 0, 0, 0, 0, 0, deck);
        if (!p) break;
        df::kEdgeFlags(*p) = df::kEdgeFlags(*p1) & ~df::kPostCorner;
        df::kHandrailHeight(*p) = df::kHandrailHeight(*p1);
        InsertPointInObject(p, deck, after);
        after = p;
    }
    std::fill(std::begin(p1->outTangent), std::end(p1->outTangent), 0.0f);
    std::fill(std::begin(p2->inTangent), std::end(p2->inTangent), 0.0f);
}

void ConvertCurvedDeckToPolygonDeck(Objex* deck) {
    if (!deck || !deck->firstPoint) return;
    Poinz* last = LastPoint(deck);
    for (Poinz* p = deck->firstPoint; p && p != last;) {
        Poinz* next = p->next;
        ConvertCurvedDeckSegmentToPolygon(deck, p, next);
        p = next;
    }
    if (deck->closed && last != deck->firstPoint) ConvertCurvedDeckSegmentToPolygon(deck, last, deck->firstPoint);
}

void CreateDeckRailing(Objex* deck, Poinz* p1, Poinz* p2) {
    const DocState* ds = CurrentDocState();
    if (!deck || !p1 || !p2 || !ds) return;
    float length = 0;
    const float angle = EdgeAngle(p1, p2, &length);
    const float postHeight = df::kHandrailHeight(*p1) + kPostOverRail;
    if (df::kEdgeFlags(*p1) & df::kPostCorner) {
        Poinz* before = p1->prev ? p1->prev : LastPoint(deck);
        float height = postHeight;
        if (before && (df::kEdgeFlags(*before) & df::kHandrailEdge))
            height = std::max(height, df::kHandrailHeight(*before) + kPostOverRail);
        Post(deck, At(p1), angle, height);
    }
    if (!(df::kEdgeFlags(*p1) & df::kHandrailEdge)) return;
    if (IsCurvedEdge(p1, p2)) {
        CreateCurvedDeckRailing(deck, p1, p2);
        return;
    }
    const float rail = df::kHandrailHeight(*p1);
    const float spacing = df::kBalusterSpacing(*deck);
    const float v = p1->position[1];
    Float3DPoint from = At(p1);
    const bool forward = GetParallelDirection(deck) == 1;
    for (Objex* step : StepsOnEdge(deck, p1)) {
        const AttachmentRecord* r = AttachmentRecordOf(step);
        const float hw = std::min(r->width / 2, length / 2);
        const Float3DPoint nearSide = Along(p1, angle, r->centreDistance - hw, v);
        const Float3DPoint farSide = Along(p1, angle, r->centreDistance + hw, v);
        ConstructRailing(from, nearSide, angle, deck, rail, spacing, Railing(deck));
        const bool farPost = !(forward ? DeckStepRightHandrail(const_cast<AttachmentRecord*>(r))
                                       : DeckStepLeftHandrail(const_cast<AttachmentRecord*>(r)));
        const bool nearPost = !(forward ? DeckStepLeftHandrail(const_cast<AttachmentRecord*>(r))
                                        : DeckStepRightHandrail(const_cast<AttachmentRecord*>(r)));
        if (farPost) Post(deck, farSide, angle, postHeight);
        if (nearPost) Post(deck, nearSide, angle, postHeight);
        from = farSide;
    }
    ConstructRailing(from, At(p2), angle, deck, rail, spacing, Railing(deck));
}

void CreateCurvedDeckRailing(Objex* deck, Poinz* p1, Poinz* p2) {
    const DocState* ds = CurrentDocState();
    if (!deck || !p1 || !p2 || !ds) return;
    const float spacing = ConvertWorldToScreen(df::kBalusterSpacing(*deck), ds, 0);
    if (!(spacing > 0)) return;
    const int32_t steps = 8 * std::max<int32_t>(1, ds->curveSegments);
    const float dt = 1.0f / float(steps);
    const SegmentCubic cubic(p1, p2);
    const float length = CurveChordLength(cubic, p1->position, dt);
    if (!std::isfinite(length)) return;  // no curve a spindle could stand on
    const float s = pieceruns::SpacingAlong(pieceruns::SpindleSpacing(spacing), length);
    const float rail = df::kHandrailHeight(*p1);
    StartDeckRail(deck);
    float toNext = s;  // the first spindle stands at the start
    bool first = true;
    int32_t placed = 0;
    ForEachCurveChord(cubic, p1->position, dt, [&](const float prev[3], const float cur[3], bool lastChord) {
        float chord = 0;
        const float angle = GetLineLengthAndAngle(prev[0], prev[2], cur[0], cur[2], &chord);
        float along = first ? 0.0f : s - toNext;
        first = false;
        for (; along <= chord && placed <= pieceruns::kMostPerRun; along += s) {
            float dh = 0, dd = 0;
            GetPointFromLengthAndAngle(angle, along, &dh, &dd);
            const float h = prev[0] + dh, d = prev[2] + dd;
            const float v = prev[1] + (chord > 0 ? (cur[1] - prev[1]) * along / chord : 0.0f);
            if (lastChord && GetLineLength(h, d, p2->position[0], p2->position[2]) < s) continue;
            AppendDeckRailSpindle(deck, h, v, d, angle, rail, Railing(deck), 1);
            ++placed;
        }
        toNext = s - (along - chord);
        if (lastChord)
            AppendDeckRailSpindle(deck, p2->position[0], p2->position[1], p2->position[2], angle, rail,
                                  Railing(deck), 0);
    });
}

void CreateDeckAttachmentSteps(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd, Objex* step) {
    AttachmentRecord* r = step ? AttachmentRecordOf(step) : nullptr;
    if (!deck || !edgeStart || !edgeEnd || !r || !CurrentDocState()) return;
    BuildFlight(deck, edgeStart, edgeEnd, r->centreDistance, r->width, r->height, DeckStepLeftHandrail(r),
                DeckStepRightHandrail(r));
}

void CreateDeckSteps(Objex* deck, Poinz* p1, Poinz* p2) {
    const DocState* ds = CurrentDocState();
    if (!deck || !p1 || !p2 || !ds) return;
    float length = 0;
    EdgeAngle(p1, p2, &length);
    const int32_t flags = df::kEdgeFlags(*p1);
    BuildFlight(deck, p1, p2, length / 2, ConvertWorldToScreen(df::kStepWidth(*p1), ds, 0),
                ConvertWorldToScreen(df::kStepHeight(*p1), ds, 0), (flags & df::kLeftStepRail) ? 1 : 0,
                (flags & df::kRightStepRail) ? 1 : 0);
}

void Update3DDeck(Objex* deck) {
    if (!deck || deck->type != objtype::kDeck || !gCurDocument || !CurrentDocState()) return;
    DeleteRendererObject(deck);
    DeleteObjectList(deck->firstPart);
    UpdateAllDeckAttachments(deck);
    KeepsCounters counters(deck);
    if (IsCurvedDeck(deck)) {
        if (Objex* straight = DuplicateObject(deck, nullptr, nullptr, nullptr, 0, 0)) {
            ConvertCurvedDeckToPolygonDeck(straight);
            ForEachEdge(straight, [&](Poinz* p, Poinz* q) { CreateDeckSkirting(deck, p, q); });
            DeleteObj(straight);
        }
    } else {
        ForEachEdge(deck, [&](Poinz* p, Poinz* q) { CreateDeckSkirting(deck, p, q); });
    }
    {
        const dvx::Restore<uint8_t> curved(gBuildingCurvedDeck, IsCurvedDeck(deck) ? 1 : 0);
        ForEachEdge(deck, [&](Poinz* p, Poinz* q) { CreateDeckRailing(deck, p, q); });
    }
    for (Objex* c = deck->firstChild; c; c = c->next) {
        AttachmentRecord* r = c->type == objtype::kDeckSteps ? AttachmentRecordOf(c) : nullptr;
        if (r && r->segmentStart && r->segmentEnd) CreateDeckAttachmentSteps(deck, r->segmentStart, r->segmentEnd, c);
    }
}

void Update3DDeckLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) Update3DDeck(o);
}

void Update3DDeckAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) Update3DDeckLayer(layer);
}
