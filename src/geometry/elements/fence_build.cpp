#include "geometry/elements/fence_build.h"

#include <vector>

#include "geometry/elements/stair_state.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"

namespace {

namespace ff = objfield::fence;

// Plan units.
struct FenceStyle {
    int32_t code;
    float picketWidth, picketHeight, gap, spacer;
    bool spacers;
    bool gate;
    float gateHeight;
};
constexpr FenceStyle kStyles[] = {
    {700, 12, 72, 6, 8, true, true, 72},
    {701, 12, 96, 6, 8, true, true, 96},
    {702, 16, 72, 6, 8, true, true, 72},
    {703, 10, 144, 0, 0, false, true, 144},
};
constexpr float kShoulder = 8.0f;      // a picket's and a stile's shoulders below its tip
constexpr float kStile = 6.0f;
constexpr float kPanelRise = 6.0f;     // a gate panel's middle half stands this much higher
constexpr float kShortestGate = 50.0f;
constexpr float kPostLift = 1.0f;      // posts start this far above the base

const FenceStyle* StyleOf(const Objex* fence) {
    for (const FenceStyle& s : kStyles)
        if (s.code == ff::kStyle(*fence)) return &s;
    return nullptr;
}

StairContext ContextOf(Objex* fence) {
    StairContext c;
    c.owner = fence, c.ds = CurrentDocState();
    c.layer = TreeFloor(fence);
    return c;
}

Float3DPoint PositionOf(const Poinz* p) { return {p->position[0], p->position[1], p->position[2]}; }

float Plan(float world) { return ConvertWorldToScreen(world, CurrentDocState(), 0); }

// A flat part through the outline given as (along +x, height above the base) from (x, y, z),
// turned to the angle.
Objex* AppendOutline(Objex* fence, float x, float y, float z, float angle,
                     const std::vector<std::pair<float, float>>& outline, const RailMaterial& material) {
    std::vector<Float3DPoint> corners;
    for (const auto& [along, up] : outline) corners.push_back(AtV(Moved({x, y, z}, angle, along), y - up));
    return AppendFlatPiece(ContextOf(fence), corners.data(), int32_t(corners.size()), objtype::kFence, material,
                           material.colour);
}

Objex* AppendLookingLike(Objex* fence, float x, float y, float z, float angle,
                         const std::vector<std::pair<float, float>>& outline, const Poinz* look) {
    Objex* part = AppendOutline(fence, x, y, z, angle, outline, {});
    DressLikePoint(part, look);
    return part;
}

// Walks a segment: where its parts go and at which angle.
struct Segment {
    Float3DPoint start;
    float angle = 0, length = 0;
    Segment(const Poinz* p, const Poinz* q) : start(PositionOf(p)) {
        angle = PlanAngle(start, PositionOf(q), &length);
    }
    Float3DPoint At(float distance) const { return Moved(start, angle, distance); }
};

void Post(Objex* fence, const Segment& s, float at, float size, float height) {
    const Float3DPoint p = s.At(at);
    AppendFencePostObject(fence, p.floatH, p.floatV, p.floatD, s.angle, size, height);
}

bool Buildable(const Objex* fence) {
    return fence && gCurDocument && fence->type == objtype::kFence && fence->pointCount > 1 && fence->rows == 1 &&
           fence->firstPoint;
}

void BuildSegment(Objex* fence, const Poinz* p, const Poinz* q) {
    const bool custom = ff::kStyle(*fence) == ff::kCustomStyle;
    if (p->kind == pointkind::kGatePoint)
        custom ? UpdateCustomGateSegment(fence, p, q) : UpdateGateSegment(fence, p, q);
    else
        custom ? UpdateCustomFenceSegment(fence, p, q) : UpdateFenceSegment(fence, p, q);
}

}  // namespace

void DressLikePoint(Objex* part, const Poinz* look) {
    if (!part || !look) return;
    part->fillColor = look->color1;
    for (Poinz* p = part->firstPoint; p; p = p->next) {
        p->texture1 = look->texture1, p->texture2 = look->texture2;
        p->color1 = look->color1, p->color2 = look->color2;
        p->faceScale1 = look->faceScale1, p->faceScale2 = look->faceScale2;
    }
}

void UpdateFenceObject(Objex* fence) {
    if (!Buildable(fence)) return;
    KeepNumberCounters counters(CurrentDocState());
    rebuild::DeleteRendererObject(fence);
    DeleteObjectList(fence->firstPart);
    const Poinz* p = fence->firstPoint;
    for (; p->next; p = p->next) BuildSegment(fence, p, p->next);
    if (fence->closed) BuildSegment(fence, p, fence->firstPoint);
}

void UpdateFenceSegment(Objex* fence, const Poinz* point, const Poinz* next) {
    const FenceStyle* style = fence && point && next ? StyleOf(fence) : nullptr;
    if (!style) return;
    const Segment s(point, next);
    const float w = style->picketWidth, h = style->picketHeight, g = style->gap;
    float remaining = s.length;
    // A segment longer than a run of pickets (a damaged point) stops at the run's end.
    int32_t pickets = 0;
    while (remaining > w && remaining > g) {
        if (++pickets > pieceruns::kMostPerRun) return;
        Float3DPoint at = s.At(s.length - remaining);
        AppendFencePicketObject(fence, at.floatH, at.floatV, at.floatD, s.angle, w, h);
        remaining -= w;
        if (!(remaining > w)) break;
        if (remaining > g && style->spacers) {
            at = s.At(s.length - remaining);
            AppendFenceSpacerObjects(fence, at.floatH, at.floatV, at.floatD, s.angle, g, style->spacer, h);
            remaining -= g;
        }
    }
    const Float3DPoint at = s.At(s.length - remaining);
    AppendFencePicketObject(fence, at.floatH, at.floatV, at.floatD, s.angle, remaining, h);
}

void UpdateGateSegment(Objex* fence, const Poinz* point, const Poinz* next) {
    const FenceStyle* style = fence && point && next ? StyleOf(fence) : nullptr;
    if (!style || !style->gate) return;
    const Segment s(point, next);
    if (s.length < kShortestGate) return;
    const float H = style->gateHeight, g = style->gap, L = s.length;
    const float panel = L - 2 * g - 2 * kStile;
    for (float at : {0.0f, L - g}) {
        const Float3DPoint p = s.At(at);
        AppendFenceSpacerObjects(fence, p.floatH, p.floatV, p.floatD, s.angle, g, style->spacer, H);
    }
    Float3DPoint p = s.At(g);
    AppendLookingLike(fence, p.floatH, p.floatV, p.floatD, s.angle,
                      {{0, 0}, {0, H - kShoulder}, {kStile, H}, {kStile, 0}}, point);
    p = s.At(L - (g + kStile));
    AppendLookingLike(fence, p.floatH, p.floatV, p.floatD, s.angle,
                      {{0, 0}, {0, H}, {kStile, H - kShoulder}, {kStile, 0}}, point);
    p = s.At(g + kStile);
    AppendGatePanelObject(fence, p.floatH, p.floatV, p.floatD, s.angle, panel, H, point);
}

void UpdateCustomFenceSegment(Objex* fence, const Poinz* point, const Poinz* next) {
    if (!fence || !point || !next) return;
    const Segment s(point, next);
    const float pw = Plan(ff::kPicketWidth(*fence)), ph = Plan(ff::kPicketHeight(*fence));
    const float postH = Plan(ff::kPostHeight(*fence)), postW = Plan(ff::kPostWidth(*fence));
    const float L = s.length;
    if (point == fence->firstPoint) Post(fence, s, 0, postW, postH);
    const bool gateNext = next->kind == pointkind::kGatePoint;
    // Sizes that add up to nothing would never use the segment up: no panels then.
    const bool advances = pw + postW > 0;
    float remaining = L - postW / 2;
    int32_t panels = 0;
    while (advances && (gateNext ? remaining > pw + postW : remaining > pw + postW / 2)) {
        // Sizes too small for the segment (or a segment too long for them) end with the run.
        if (++panels > pieceruns::kMostPerRun) return;
        const Float3DPoint at = s.At(L - remaining);
        AppendCustomFencePicketObject(fence, at.floatH, at.floatV, at.floatD, s.angle, pw, ph);
        remaining -= pw + postW / 2;
        Post(fence, s, L - remaining, postW, postH);
        remaining -= postW / 2;
    }
    if (advances && remaining > postW / 2) {
        const Float3DPoint at = s.At(L - remaining);
        AppendCustomFencePicketObject(fence, at.floatH, at.floatV, at.floatD, s.angle, remaining - postW / 2, ph);
    }
    Post(fence, s, gateNext ? L - postW / 2 : L, postW, postH);
}

void UpdateCustomGateSegment(Objex* fence, const Poinz* point, const Poinz* next) {
    if (!fence || !point || !next || !fence->firstPoint) return;
    const Segment s(point, next);
    const float gateH = Plan(ff::kGateHeight(*fence));
    const RailMaterial gate{ff::kGateTexture(*fence), ff::kGateColour(*fence),
                            fence->textureScales[ff::kGateScaleSlot]};
    const Float3DPoint at = s.start;
    if (Objex* panel = AppendOutline(fence, at.floatH, at.floatV, at.floatD, s.angle,
                                     {{0, 0}, {0, gateH}, {s.length, gateH}, {s.length, 0}}, gate)) {
        panel->subtype = objsubtype::kFenceGatePanel;
        panel->fillColor = fence->firstPoint->color1;
    }
    const float postW = Plan(ff::kPostWidth(*fence));
    Post(fence, s, s.length + postW / 2, postW, Plan(ff::kPostHeight(*fence)));
}

void AppendFencePicketObject(Objex* fence, float x, float y, float z, float angle, float width, float height) {
    if (!fence || !(width > 0)) return;
    AppendLookingLike(fence, x, y, z, angle,
                      {{0, 0}, {0, height - kShoulder}, {width / 2, height}, {width, height - kShoulder}, {width, 0}},
                      fence->firstPoint);
}

void AppendFenceSpacerObjects(Objex* fence, float x, float y, float z, float angle, float gap, float spacerSize,
                              float height) {
    // Style 703's gates have neither gap nor spacers: nothing to show.
    if (!fence || !(gap > 0) || !(spacerSize > 0)) return;
    for (float centre : {height / 4, 0.6f * height}) {
        const float low = centre - spacerSize / 2, high = centre + spacerSize / 2;
        AppendLookingLike(fence, x, y, z, angle, {{0, low}, {0, high}, {gap, high}, {gap, low}}, fence->firstPoint);
    }
}

void AppendFencePostObject(Objex* fence, float x, float y, float z, float angle, float size, float height) {
    if (!fence) return;
    const RailMaterial post{ff::kPostTexture(*fence), ff::kPostColour(*fence),
                            fence->textureScales[ff::kPostScaleSlot]};
    if (Objex* part = AppendBoxPiece(ContextOf(fence), {x, y, z}, angle, size, size, y - kPostLift, y - height,
                                     objtype::kFence, post))
        part->subtype = objsubtype::kFencePost;
}

void AppendGatePanelObject(Objex* fence, float x, float y, float z, float angle, float width, float height,
                           const Poinz* look) {
    if (!fence) return;
    AppendLookingLike(fence, x, y, z, angle,
                      {{0, 0},
                       {0, height},
                       {width / 4, height + kPanelRise},
                       {3 * width / 4, height + kPanelRise},
                       {width, height},
                       {width, 0}},
                      look ? look : fence->firstPoint);
}

void AppendCustomFencePicketObject(Objex* fence, float x, float y, float z, float angle, float width,
                                   float height) {
    if (!fence || !(width > 0)) return;
    AppendLookingLike(fence, x, y, z, angle, {{0, 0}, {0, height}, {width, height}, {width, 0}}, fence->firstPoint);
}

void UpdateFenceLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) UpdateFenceObject(o);
}

void UpdateFenceAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) UpdateFenceLayer(layer);
}
