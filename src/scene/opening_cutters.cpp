#include "scene/opening_cutters.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "files/custom_definitions.h"
#include "geometry/openings/opening_masks.h"
#include "scene/opening_trims.h"
#include "model/borrowed_settings.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/transforms.h"
#include "scene/opening_casings.h"
#include "scene/tessellation.h"

namespace {

// How far a mask reaches beyond the opening where it has a margin at all.
constexpr float kMargin = 1.0f;
constexpr float kRadiansPerDegree = std::numbers::pi_v<float> / 180.0f;
constexpr int kArcStep = 10;

// The frame every cutter but the custom one draws in: distances along the face from R, levels
// above the opening's base L0.
struct Cut {
    const Plane* face = nullptr;
    AttachmentRecord* record = nullptr;
    PlaneVertex R;
    float angle = 0;
    int16_t side = 0;
    float baseOffset = 0;
    float d = 0;    // the centre, along the face
    float base = 0; // L0
    float alongH = 0, alongD = 0;
    float dir = 1; // +1 when "left" lies towards R
    float w = 0, h = 0;
    std::vector<std::pair<float, float>> outline;

    float left(float half) const { return d - dir * half; }
    float right(float half) const { return d + dir * half; }
    void add(float s, float level) { outline.emplace_back(s, level); }
};

// Members that follow the side flag draw on the effective side; the rest on the face's own.
bool Begin(Cut& c, Plane* face, float angle, float length, const PlaneVertex* reference,
           AttachmentRecord* record, int16_t side, float offset, float baseOffset, bool mirror) {
    if (!face || !reference || !record || !gCurPlaneObject) return false;
    c.face = face;
    c.record = record;
    c.R = *reference;
    c.angle = angle;
    c.side = side;
    c.baseOffset = baseOffset;
    c.d = offset + record->centreDistance;
    if (side == 1) c.d = length - c.d;
    c.base = baseOffset + record->elevation;
    GetPointFromLengthAndAngle(angle, 1.0f, &c.alongH, &c.alongD);
    int16_t effective = side == 1 ? 1 : 0;
    if (mirror && record->sideFlag) effective = 1 - effective;
    c.dir = effective == 0 ? 1.0f : -1.0f;
    c.w = record->width;
    c.h = record->height;
    return true;
}

// Calls `point` with the horizontal and vertical parts of each arc point from `from` down to
// `to` degrees, in 10-degree steps.
template <class Point> void Arc(int from, int to, float rh, float rv, Point point) {
    for (int deg = from; deg >= to; deg -= kArcStep) {
        const float t = static_cast<float>(deg) * kRadiansPerDegree;
        point(std::fabs(rh * std::cos(t)), std::fabs(rv * std::sin(t)));
    }
}

// The outline as one mask of the face under construction, stored on the record too.
void Finish(Cut& c, bool followsDirection) {
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    for (const auto& [s, level] : c.outline)
        if (!StorePolyPoint(&v, c.R.H + s * c.alongH, c.R.V - (c.base + level),
                            c.R.D + s * c.alongD, &bytes, 0, 1.0f, 1.0f))
            return;
    const auto count = static_cast<int32_t>(c.outline.size());
    PlaneObject* mask = CreatePlaneObject();
    if (!mask) {
        DeletePlanarPolygon(v);
        return;
    }
    if (const Poinz* start = c.record->segmentStart) mask->elevationOverride = start->baseElevation;
    AppendPlane(v, static_cast<uint32_t>(count), c.face->nx, c.face->ny, c.face->nz, mask);
    if (!mask->planes) {
        DeletePlaneObject(mask);
        return;
    }
    if (followsDirection && c.record->directionFlag == 1) FlipPlane(mask->planes, 0);
    // Taken before the mask is placed, so the outline keeps the opening's own heights.
    BuildGenericMaskObject(c.record, mask->planes->vertices, count, c.angle, c.baseOffset,
                           c.R.H + c.d * c.alongH, c.R.V, c.R.D + c.d * c.alongD, c.side);
    mask->sourceObject = mask->baseObject = mask->object3D = gBase2DObject;
    mask->pieceKind = kOpeningMaskKind;
    AppendPlaneObjectChild(mask, gCurPlaneObject);
}

float OrOne(float value) {
    return value == 0.0f ? 1.0f : value;
}

using Cutter = OpeningCutter*;

// clang-format off
Cutter CutterFor(int16_t style) {
    switch (style) {
    case 500: case 501: case 502: case 503: case 508: case 509: case 510: case 511: case 600:
        return CarveRectangle;
    case 504: case 505: case 506: case 507: case 601: case 602: case 603: case 604:
        return CarveArch;
    case 605: case 606: case 607: case 608: case 609: case 610: case 624: case 625:
        return CarveQtrArch;
    case 611: case 612: case 613:
        return CarveChipCorner;
    case 614: case 615: case 616: case 617:
        return CarveTriangleCorner;
    case 618: case 619:
        return CarvePentagon;
    case 620: case 621:
        return CarveParallelogram;
    case 622:
        return CarveOctagon;
    case 623:
        return CarveCircle;
    case customdef::kDoorStyle: case customdef::kWindowStyle:
        return CarveCustomShape;
    default:
        return nullptr;
    }
}
// clang-format on

bool IsCustomStyle(int16_t style) {
    return style == customdef::kDoorStyle || style == customdef::kWindowStyle;
}

} // namespace

void CarveRectangle(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                    AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
                    float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, false))
        return;
    const float half = c.w / 2.0f + kMargin;
    c.add(c.left(half), -kMargin);
    c.add(c.left(half), c.h);
    c.add(c.right(half), c.h);
    c.add(c.right(half), -kMargin);
    Finish(c, false);
}

void CarveCircle(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                 AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
                 float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, false))
        return;
    const float r = c.w / 2.0f;
    Arc(180, 100, r, r, [&](float x, float y) { c.add(c.d - c.dir * x, r + y); });
    Arc(90, 10, r, r, [&](float x, float y) { c.add(c.d + c.dir * x, r + y); });
    Arc(360, 280, r, r, [&](float x, float y) { c.add(c.d + c.dir * x, r - y); });
    Arc(270, 190, r, r, [&](float x, float y) { c.add(c.d - c.dir * x, r - y); });
    Finish(c, false);
}

void CarveOctagon(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                  AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
                  float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, false))
        return;
    const float w = c.w, cut = OrOne(0.3f * w);
    const float l = c.left(w / 2.0f), r = c.right(w / 2.0f);
    const float li = l + c.dir * cut, ri = r - c.dir * cut;
    const std::pair<float, float> outline[] = {{li, 0.0f}, {l, cut},     {l, w - cut}, {li, w},
                                               {ri, w},    {r, w - cut}, {r, cut},     {ri, 0.0f}};
    for (const auto& [s, level] : outline)
        c.add(s, level);
    Finish(c, false);
}

void CarveParallelogram(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                        AttachmentRecord* record, int16_t side, float offset,
                        float /*segmentHeight*/, float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, true))
        return;
    const float w = c.w, slant = OrOne(0.25f * w);
    const float l = c.left(w / 2.0f), r = c.right(w / 2.0f);
    c.add(l, 0);
    c.add(l + c.dir * slant, w);
    c.add(r, w);
    c.add(r - c.dir * slant, 0);
    Finish(c, true);
}

void CarvePentagon(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                   AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
                   float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, false))
        return;
    const float half = c.w / 2.0f;
    const float l = c.left(half), r = c.right(half);
    c.add(l, 0);
    if (record->style == 619) {
        const float H = c.h < half ? half + kMargin : c.h;
        c.add(l, H - half);
        c.add(c.d, H);
        c.add(r, H - half);
    } else {
        c.add(c.d, half);
    }
    c.add(r, 0);
    Finish(c, true);
}

void CarveTriangleCorner(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                         AttachmentRecord* record, int16_t side, float offset,
                         float /*segmentHeight*/, float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, true))
        return;
    const float w = c.w;
    const float l = c.left(w / 2.0f), r = c.right(w / 2.0f);
    c.add(l, 0);
    if (record->style == 614 || record->style == 615) {
        const float H = c.h < w ? w + kMargin : c.h;
        c.add(l, H - w);
        c.add(r, H);
    } else {
        c.add(r, w);
    }
    c.add(r, 0);
    Finish(c, true);
}

void CarveChipCorner(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                     AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
                     float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, true))
        return;
    const bool both = record->style == 613;
    const float chip = OrOne(both ? c.w / 4.0f : c.w / 2.0f);
    const float H = c.h < chip ? chip + kMargin : c.h;
    const float l = c.left(c.w / 2.0f), r = c.right(c.w / 2.0f);
    c.add(l, 0);
    c.add(l, H - chip);
    c.add(l + c.dir * chip, H);
    if (both) {
        c.add(r - c.dir * chip, H);
        c.add(r, H - chip);
    } else {
        c.add(r, H);
    }
    c.add(r, 0);
    Finish(c, true);
}

void CarveQtrArch(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                  AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
                  float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, true))
        return;
    const int16_t style = record->style;
    const float w = c.w, radius = w + kMargin, half = w / 2.0f + kMargin;
    const bool tall = style >= 605 && style <= 608;
    const float k = style == 607 || style == 608 || style == 624 || style == 625 ? 0.5f : 1.0f;
    float spring = 0;
    if (style == 605 || style == 606) spring = c.h < w ? 1.0f : c.h - w;
    if (style == 607 || style == 608) spring = c.h < w / 2.0f ? 1.0f : c.h - w / 2.0f;
    const float l = c.left(half), r = c.right(half);
    if (tall) c.add(l, -kMargin);
    Arc(180, 100, radius, k * radius, [&](float x, float y) { c.add(r - c.dir * x, spring + y); });
    c.add(r, spring + k * radius);
    c.add(r, 0);
    Finish(c, true);
}

void CarveArch(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
               AttachmentRecord* record, int16_t side, float offset, float /*segmentHeight*/,
               float baseOffset) {
    Cut c;
    if (!Begin(c, facePlane, angle, faceLength, reference, record, side, offset, baseOffset, true))
        return;
    const int16_t style = record->style;
    const float w = c.w, radius = w / 2.0f + kMargin;
    const bool sides = style != 601 && style != 602;
    const float k = style == 505 || style == 507 || style == 602 || style == 603 ? 0.5f : 1.0f;
    const float rise = k == 1.0f ? w / 2.0f : w / 4.0f;
    float spring = sides ? c.h - rise : 0.0f;
    if ((style == 603 || style == 604) && c.h < rise) spring = 1.0f;
    if (sides) c.add(c.d - c.dir * radius, -kMargin);
    Arc(180, 100, radius, k * radius,
        [&](float x, float y) { c.add(c.d - c.dir * x, spring + y); });
    c.add(c.d, spring + k * radius);
    Arc(80, 0, radius, k * radius, [&](float x, float y) { c.add(c.d + c.dir * x, spring + y); });
    if (sides) c.add(c.d + c.dir * radius, -kMargin);
    Finish(c, true);
}

namespace {

// One mask through the points of a scaled outline copy, stood `depth` off the wall's centre
// line, turned to the segment and moved to the opening's centre Q. Null when memory runs out;
// an outline of fewer than three points gives a mask without planes.
PlaneObject* CustomMask(const Objex* copy, const Plane* face, const Poinz* start, float angle,
                        float qh, float qd, float depth, float base) {
    PlaneObject* mask = CreatePlaneObject();
    if (!mask) return nullptr;
    mask->elevationOverride = start->baseElevation;
    PlaneVertex* v = nullptr;
    int32_t bytes = 0, count = 0;
    for (const Poinz* p = copy->firstPoint; p; p = p->next, ++count) {
        float h = p->position[0], d = p->position[2] + depth;
        Rotate(&h, &d, 0.0f, 0.0f, angle);
        if (!StorePolyPoint(&v, h + qh, p->position[1] - base, d + qd, &bytes, 0, 1.0f, 1.0f)) {
            DeletePlaneObject(mask);
            return nullptr;
        }
    }
    if (count < 3) {
        DeletePlanarPolygon(v);
        return mask;
    }
    AppendPlane(v, static_cast<uint32_t>(count), face->nx, face->ny, face->nz, mask);
    R3DTriangulatePlaneObject(mask);
    return mask;
}

} // namespace

void CarveCustomShape(Plane* facePlane, float /*angle*/, float /*faceLength*/,
                      PlaneVertex* reference, AttachmentRecord* record, int16_t side,
                      float /*offset*/, float /*segmentHeight*/, float baseOffset) {
    DocState* ds = CurrentDocState();
    if (!facePlane || !reference || !record || !gCurPlaneObject || !ds || !gCurDocument->itsLayers)
        return;
    Poinz *start = record->segmentStart, *end = record->segmentEnd;
    const Objex* wall = start ? start->owner : nullptr;
    if (!end || !wall) return;
    float length = 0, qh = 0, qd = 0;
    const float a = GetLineLengthAndAngle(start->position[0], start->position[2], end->position[0],
                                          end->position[2], &length);
    GetPointFromLengthAndAngle(a, record->centreDistance, &qh, &qd);
    qh += start->position[0];
    qd += start->position[2];
    const float depth = ConvertWorldToScreen(wall->penWidth / 2.0f, ds, 0) + kMargin;
    float cw = 0, ch = 0;
    GetCustomAttachmentWidthAndHeight(record, &cw, &ch);
    const float sh = SizeFactor(record->width, cw), sv = SizeFactor(record->height, ch);

    BorrowedSettings settings(ds);
    for (Objex* outline = record->customParts[0]; outline; outline = outline->next) {
        Objex* copy = DuplicateObject(outline, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
        if (!copy) return;
        settings.convertCurves(copy, ds->detailValueA);
        copy->sourceObject = outline;
        settings.scaleInFront(copy, sh, sv);
        PlaneObject* mask = CustomMask(copy, facePlane, start, a, qh, qd,
                                       side == 1 ? -depth : depth, baseOffset + record->elevation);
        DeleteObj(copy);
        if (!mask) return;
        if (!mask->planes) {
            DeletePlaneObject(mask);
            continue;
        }
        mask->sourceObject = mask->baseObject = mask->object3D = gBase2DObject;
        mask->pieceKind = kOpeningMaskKind;
        AppendPlaneObjectChild(mask, gCurPlaneObject);
    }
}

void FlipPlane(Plane* plane, int16_t horizontally) {
    if (!plane || !plane->vertices || plane->count == 0) return;
    auto coordinate = [horizontally](PlaneVertex& v) -> float& { return horizontally ? v.H : v.V; };
    float low = 30000.0f, high = -30000.0f;
    for (uint32_t i = 0; i < plane->count; ++i) {
        low = std::min(low, coordinate(plane->vertices[i]));
        high = std::max(high, coordinate(plane->vertices[i]));
    }
    const float middle = (low + high) / 2.0f;
    for (uint32_t i = 0; i < plane->count; ++i) {
        float& x = coordinate(plane->vertices[i]);
        x = middle - (x - middle);
    }
}

void CarveDoorWindowAttachment(Plane* facePlane, float angle, float faceLength,
                               PlaneVertex* reference, AttachmentRecord* record, int16_t side,
                               float offset, float segmentHeight, float baseOffset) {
    if (!record || record->style < 500 || record->style > 626) return;
    const int16_t style = record->style;
    if (Cutter cut = CutterFor(style))
        cut(facePlane, angle, faceLength, reference, record, side, offset, segmentHeight,
            baseOffset);

    const int16_t custom = IsCustomStyle(style) ? 1 : 0;
    const bool outside = side == 1;
    Objex* profile = outside ? record->outsideTrimProfile : record->insideTrimProfile;
    const bool profiled =
        (outside ? record->outsideCustomTrim : record->insideCustomTrim) && profile;
    // Circles and parallelograms are always cased outside; a chosen profile is added to it.
    const bool standardToo = outside && (style == 620 || style == 621 || style == 623);
    if (!outside) BuildInnerTrimPlanes(record, angle, baseOffset, custom);
    const bool standard = standardToo || !profiled;
    if (standard) ApplyStandardTrimToDoorWin(angle, record, side, custom, baseOffset);
    if (profiled) ApplyCustomTrimToDoorWin(profile, angle, record, side, custom, baseOffset);
    if (standard && !profiled && !custom) DeleteObjectList(record->customParts[0]);
}
