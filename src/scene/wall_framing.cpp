#include "scene/wall_framing.h"

#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "model/projection.h"
#include "model/segment_openings.h"
#include "model/transforms.h"
#include "files/texture_files.h"
#include "scene/plane_object.h"

namespace {

constexpr int32_t kStudLumber = 2202;
constexpr int32_t kHeaderLumber = 2203;
constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kPlainStud{0xD8D8, 0xE4E4, 0xF0F0};
constexpr RGBColor kFoundationGrey{0xC0C0, 0xC0C0, 0xC0C0};
constexpr float kPlate = 2.5f;

enum class Material { Stud, Header, Foundation };

struct UV {
    float u, v;
};
constexpr UV kStudUV[4] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
constexpr UV kHeaderUV[4] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};

void SetMaterial(PlaneObject* p, const Objex* source, const DocState* ds, Material m, float width, float height) {
    p->surfaceKind = kFramingMember;
    p->pieceKind = static_cast<uint16_t>(source->type);
    if (m == Material::Foundation) {
        p->frontColor = p->backColor = kFoundationGrey;
        return;
    }
    if (ds->framingColors) {
        p->frontColor = p->backColor = kPlainStud;
        return;
    }
    const int32_t texture = m == Material::Stud ? kStudLumber : kHeaderLumber;
    p->frontTexture = p->backTexture = texture;
    p->frontColor = p->backColor = kNoColour;
    ComputeTextureScale(texture, width, height, &p->frontRepeat[0], &p->frontRepeat[1]);
    p->backRepeat[0] = p->frontRepeat[0], p->backRepeat[1] = p->frontRepeat[1];
}

void BuildFace(const FramePoint* const c[4], Objex* source, Material m, float width, float height) {
    const DocState* ds = CurrentDocState();
    if (!ds || !source || !c[0] || !c[1] || !c[2] || !c[3]) return;
    PlaneObject* p = CreatePlaneObject();
    if (!p) return;
    PlaneObject* building = gCurPlaneObject;  // whatever the caller was building
    gCurPlaneObject = p;
    const UV* uv = m == Material::Stud ? kStudUV : kHeaderUV;
    PolygonVertex* v = nullptr;
    int32_t bytes = 0, count = 0;
    bool stored = true;
    for (int i = 0; i < 4 && stored; ++i) {
        if (count && v[count - 1].H == c[i]->H && v[count - 1].V == c[i]->V && v[count - 1].D == c[i]->D) continue;
        stored = StorePolyPoint(&v, c[i]->H, c[i]->V, c[i]->D, &bytes, 0, uv[i].u, uv[i].v);
        if (stored) ++count;
    }
    if (stored && count >= 3) {
        SetMaterial(p, source, ds, m, width, height);
        AppendPlaneThroughFirstThree(v, static_cast<uint32_t>(count), p);
    } else if (v) {
        DeletePlanarPolygon(v);
    }
    if (p->planes)
        AppendPlaneObject(p, source);
    else
        DeletePlaneObject(p);
    gCurPlaneObject = building;
}

float PlanLength(const FramePoint* a, const FramePoint* b) { return GetLineLength(a->H, a->D, b->H, b->D); }
float UprightLength(const FramePoint* a, const FramePoint* b) { return GetLineLength(a->H, a->V, b->H, b->V); }

FramePoint At(float h, float v, float d) {
    FramePoint p{};
    p.H = h, p.V = v, p.D = d;
    return p;
}

// Four faces (bottom, two sides, top) of a block `half` each side of start->end between the
// levels `offset` and `offset + height` above the points.
void Block(const FramePoint& s, const FramePoint& e, float half, float offset, float height, Objex* source,
           Material m) {
    float length = 0;
    const float angle = GetLineLengthAndAngle(s.H, s.D, e.H, e.D, &length);
    float ph = 0, pd = 0;
    GetPointFromLengthAndAngle(angle + std::numbers::pi_v<float> / 2, half, &ph, &pd);
    const float s0 = s.V - offset, s1 = s.V - offset - height, e0 = e.V - offset, e1 = e.V - offset - height;
    const FramePoint lo[4] = {At(s.H + ph, s0, s.D + pd), At(s.H - ph, s0, s.D - pd), At(e.H - ph, e0, e.D - pd),
                              At(e.H + ph, e0, e.D + pd)};
    const FramePoint hi[4] = {At(s.H + ph, s1, s.D + pd), At(s.H - ph, s1, s.D - pd), At(e.H - ph, e1, e.D - pd),
                              At(e.H + ph, e1, e.D + pd)};
    auto face = [&](const FramePoint* a, const FramePoint* b, const FramePoint* c, const FramePoint* d) {
        if (m == Material::Stud) {
            BuildStudPlane(a, b, c, d, source, false);
        } else if (m == Material::Header) {
            BuildHeaderPlane(a, b, c, d, source);
        } else {
            BuildFoundationPlane(a, b, c, d, source);
        }
    };
    face(&lo[0], &lo[1], &lo[2], &lo[3]);  // bottom
    face(&lo[0], &hi[0], &hi[3], &lo[3]);  // one side
    face(&lo[1], &hi[1], &hi[2], &lo[2]);  // the other
    face(&hi[0], &hi[1], &hi[2], &hi[3]);  // top
}

struct Levels {
    float bottom = 0, top = 0;
};

}  // namespace

void BuildStudPlane(const FramePoint* c0, const FramePoint* c1, const FramePoint* c2, const FramePoint* c3,
                    Objex* source, bool vertical) {
    if (!c0 || !c1 || !c2 || !c3) return;
    const FramePoint* c[4] = {c0, c1, c2, c3};
    BuildFace(c, source, Material::Stud, PlanLength(c0, c3), vertical ? UprightLength(c0, c1) : PlanLength(c0, c1));
}

void BuildHeaderPlane(const FramePoint* c0, const FramePoint* c1, const FramePoint* c2, const FramePoint* c3,
                      Objex* source) {
    if (!c0 || !c1 || !c2 || !c3) return;
    const FramePoint* c[4] = {c0, c1, c2, c3};
    BuildFace(c, source, Material::Header, PlanLength(c0, c1), UprightLength(c0, c3));
}

void BuildFoundationPlane(const FramePoint* c0, const FramePoint* c1, const FramePoint* c2, const FramePoint* c3,
                          Objex* source) {
    const FramePoint* c[4] = {c0, c1, c2, c3};
    BuildFace(c, source, Material::Foundation, 0, 0);
}

void FrameVerticalStud(float angle, const FramePoint& bottom, const FramePoint& top, Objex* source) {
    float ah = 0, ad = 0, ph = 0, pd = 0;
    GetPointFromLengthAndAngle(angle, kPlate, &ah, &ad);
    GetPointFromLengthAndAngle(angle + std::numbers::pi_v<float> / 2, 5.0f, &ph, &pd);
    auto corner = [&](const FramePoint& p, float along, float side) {
        return At(p.H + along * ah + side * ph, p.V, p.D + along * ad + side * pd);
    };
    const FramePoint lo[4] = {corner(bottom, 0, 1), corner(bottom, 0, -1), corner(bottom, 1, -1),
                              corner(bottom, 1, 1)};
    const FramePoint hi[4] = {corner(top, 0, 1), corner(top, 0, -1), corner(top, 1, -1), corner(top, 1, 1)};
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        BuildStudPlane(&lo[i], &hi[i], &hi[j], &lo[j], source, true);
    }
}

void FrameStud(const FramePoint& start, const FramePoint& end, Objex* source) {
    Block(start, end, 5.0f, 0, kPlate, source, Material::Stud);
}

void FrameWallHeader(const FramePoint& start, const FramePoint& end, float offset, float height, Objex* source) {
    Block(start, end, 3.0f, offset, height, source, Material::Header);
}

void FrameFloorFoundation(const FramePoint& start, const FramePoint& end, float offset, float height,
                          Objex* source) {
    Block(start, end, 3.0f, offset, height, source, Material::Foundation);
}

void FrameWallStuds(const FramePoint& start, const FramePoint& end, float bottom, float top, Objex* wall,
                    const DocState* ds, bool studAtStart, bool studAtEnd) {
    if (!wall || !ds) return;
    float length = 0;
    const float angle = GetLineLengthAndAngle(start.H, start.D, end.H, end.D, &length);
    const float own = objfield::wall::kStudSpacing(*wall);
    const float spacing = ConvertWorldToScreen(own >= 6.0f ? own : ds->studSpacing, ds, 0);
    auto stud = [&](float h, float d) { FrameVerticalStud(angle, At(h, bottom, d), At(h, top, d), wall); };
    if (studAtStart) stud(start.H, start.D);
    if (spacing > 0) {
        // A wall too long for its spacing (a damaged value) spreads its studs farther apart.
        const int32_t n = pieceruns::WholeCount(length / spacing + 0.5f);
        const float apart = n == pieceruns::kMostPerRun ? length / float(n) : spacing;
        for (int32_t i = 1; i < n; ++i) {
            float dh = 0, dd = 0;
            GetPointFromLengthAndAngle(angle, static_cast<float>(i) * apart, &dh, &dd);
            stud(start.H + dh, start.D + dd);
        }
    }
    if (studAtEnd) stud(end.H, end.D);
}

void FrameWindowsAndDoors(Objex* wall) {
    const DocState* ds = CurrentDocState();
    if (!ds || !wall || !wall->firstPoint || !wall->firstPoint->next) return;
    const float limit = ConvertWorldToScreen(12.0f, ds, 0);
    const float f = ConvertWorldToScreen(objfield::wall::kQuickWallWidth(*wall), ds, 0);
    const bool foundation = wall->subtype == objsubtype::kExteriorWall &&
                            (objfield::wall::kFoundation(*wall) & objfield::wall::kFoundationOn) != 0;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        Poinz* q = p->next ? p->next : (wall->closed ? wall->firstPoint : nullptr);
        if (!q || q == p) break;
        const float h = ConvertWorldToScreen(objfield::wall_segment::kFirstHeight(*p), ds, 0);
        const float e = f + ConvertWorldToScreen(p->baseElevation, ds, 0);
        // Both ends at the segment's bottom level; the top lies h above it.
        const FramePoint from = At(p->position[0], p->position[1] - e, p->position[2]);
        const FramePoint to = At(q->position[0], q->position[1] - e, q->position[2]);
        const FramePoint fromTop = At(from.H, from.V - h, from.D), toTop = At(to.H, to.V - h, to.D);
        float length = 0;
        const float angle = GetLineLengthAndAngle(from.H, from.D, to.H, to.D, &length);
        auto along = [&](float s) {
            float dh = 0, dd = 0;
            GetPointFromLengthAndAngle(angle, s, &dh, &dd);
            return At(from.H + dh, from.V, from.D + dd);
        };
        FramePoint cur = from;
        for (AttachmentRecord* r : SegmentOpenings(wall, p)) {
            if (r->ownerType != objtype::kDoor && r->ownerType != objtype::kWindow) continue;
            const FramePoint left = along(r->centreDistance - r->width / 2);
            const FramePoint right = along(r->centreDistance + r->width / 2);
            FrameWallStuds(cur, left, from.V - kPlate, from.V - h, wall, ds, true, true);
            FrameStud(cur, right, wall);
            FrameStud(At(left.H, left.V - r->elevation, left.D), At(right.H, right.V - r->elevation, right.D), wall);
            const float t = r->elevation + r->height;
            if (h - t <= limit) {
                FrameWallHeader(left, right, t, h - t, wall);
            } else {
                FrameWallHeader(left, right, t, limit, wall);
                FrameWallStuds(left, right, from.V - t - limit, from.V - h, wall, ds, false, false);
            }
            // Under a sill too low for a stud (a door) there is nothing to hold up.
            if (r->elevation > kPlate)
                FrameWallStuds(left, right, from.V - kPlate, from.V - r->elevation, wall, ds, false, false);
            cur = right;
        }
        FrameStud(cur, to, wall);
        FrameWallStuds(cur, to, from.V - kPlate, from.V - h, wall, ds, true, true);
        FrameStud(fromTop, toTop, wall);
        if (f > 0 && foundation) FrameFloorFoundation(from, to, -f, f, wall);
        if (q == wall->firstPoint) break;
    }
}
