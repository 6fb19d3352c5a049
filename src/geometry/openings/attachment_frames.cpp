#include "geometry/openings/attachment_frames.h"

#include "model/generated_numbers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <numbers>
#include <optional>
#include <vector>

#include "files/symbol2d_files.h"
#include "files/custom_definitions.h"
#include "geometry/openings/attachment_pieces.h"
#include "geometry/openings/component_parts.h"
#include "geometry/openings/door_leaves.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/direction.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/poly_builders.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kDegree = kPi / 180.0f;
constexpr float kDoorProud = 2.1f;    // a door or rectangular frame stands this far off each face
constexpr float kWindowProud = 2.0f;  // a shaped window frame
constexpr int32_t kUntouchedComponent = 138;

struct Plan {
    float h = 0;
    float d = 0;
};

Plan Offset(Plan from, float angle, float length) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    return {from.h + dh, from.d + dd};
}

// The opening as the frame builders read it, all in plan units.
struct Opening {
    Objex* object = nullptr;
    AttachmentRecord* record = nullptr;
    const DocState* ds = nullptr;
    Plan S, E;
    float sv = 0, ev = 0;  // the reference heights of S and E
    float a = 0;           // S -> E
    float L = 0;           // half of |SE|
    float bottom = 0;      // the sill offset above the wall's base
    float halfWall = 0;
    float T = 0;
    Plan o;                // T along a + pi/2, as an offset
    float W = 0, H = 0;

    // A point x along a from S, z above the bottom, on the side S + o (or shifted by `side`).
    Float3DPoint at(float x, float z, Plan side) const {
        const Plan p = Offset(S, a, x);
        return {p.h + side.h, sv - bottom - z, p.d + side.d};
    }
};

AttachmentRecord* RecordOf(Objex* object) {
    return object && (object->type == objtype::kDoor || object->type == objtype::kWindow ||
                      object->type == objtype::kAccessory || object->type == objtype::kComponent)
               ? object->typeData.attachment
               : nullptr;
}

std::optional<Opening> ReadOpening(Objex* object, float proud, bool swapEnds) {
    AttachmentRecord* record = RecordOf(object);
    const DocState* ds = CurrentDocState();
    if (!record || !ds || !object->parent) return std::nullopt;
    const Poinz* first = object->firstPoint;
    if (!first || !first->next) return std::nullopt;
    const Poinz* second = first->next;
    if (swapEnds && record->sideFlag) std::swap(first, second);
    Opening op;
    op.object = object;
    op.record = record;
    op.ds = ds;
    op.S = {first->position[0], first->position[2]};
    op.E = {second->position[0], second->position[2]};
    op.sv = first->position[1];
    op.ev = second->position[1];
    float length = 0;
    op.a = GetLineLengthAndAngle(op.S.h, op.S.d, op.E.h, op.E.d, &length);
    op.L = length / 2;
    // Above the wall's base: the scene stands every piece under a wall on its segment's base,
    // so the base counted here as well would lift an upper floor's opening out of its wall.
    op.bottom = record->elevation;
    op.halfWall = ConvertWorldToScreen(object->parent->penWidth, ds, 0) / 2;
    op.T = op.halfWall + proud;
    op.o = Offset({}, op.a + kPi / 2, op.T);
    op.W = record->width;
    op.H = record->height;
    return op;
}

// Makes a piece through the points; null (nothing left behind) when it or a point cannot be made.
Objex* MakePiece(const Objex* attachment, int16_t type, int16_t rows, uint8_t closed,
                 const std::vector<Float3DPoint>& points) {
    Objex* piece = CreateAttachmentPiece(attachment, type, rows);
    if (!piece) return nullptr;
    piece->closed = closed;
    for (const Float3DPoint& p : points) {
        if (!AddPiecePoint(piece, p)) {
            DiscardAttachmentPiece(piece);
            return nullptr;
        }
    }
    return piece;
}

// The frame becomes the whole list: the old pieces go only once the new frame exists, or when
// the frame piece itself could not be made.
void ReplacePieces(AttachmentRecord* record, Objex* frame) {
    DeleteObjectList(record->generatedParts);
    record->generatedParts = nullptr;
    AppendPieceToRecord(record, frame);
}

void FinishFrame(const Opening& op, Objex* frame, PieceMaterial material) {
    PaintPiecePoints(frame, op.object, material);
    StorePieceBounds(frame);
    SetTextureFaceUV(frame);
    SetObjectPointLengths(frame);
    ReplacePieces(op.record, frame);
}

// --- shaped outlines: (x along a from S, z above the bottom) ---

struct XZ {
    float x, z;
};
using Outline = std::vector<XZ>;

float OrOne(float v) { return v == 0 ? 1.0f : v; }

// Arch points from `from` down to `to` degrees, about x = cx at the spring height s.
void Arc(Outline& out, float cx, float r, float k, float s, int from, int to) {
    const int step = from > to ? -10 : 10;
    for (int deg = from;; deg += step) {
        const float t = float(deg) * kDegree;
        out.push_back({cx + r * std::cos(t), s + k * r * std::sin(t)});
        if (deg == to) break;
    }
}

Outline ArchedOutline(int16_t style, float W, float H, float L) {
    const float r = OrOne(W / 2);
    const bool onSides = style == 603 || style == 604;
    const float k = (style == 602 || style == 603) ? 0.5f : 1.0f;
    float s = 0;
    if (style == 603) s = W / 4 <= H ? H - W / 4 : 1.0f;
    if (style == 604) s = W / 2 <= H ? H - W / 2 : 1.0f;
    Outline out;
    if (onSides) out.push_back({0, 0});
    Arc(out, L, r, k, s, 180, 0);
    if (onSides) out.push_back({2 * L, 0});
    return out;
}

Outline QuarterArchedOutline(int16_t style, float W, float H, float L) {
    const float R = OrOne(W);
    const bool fromSill = style == 609 || style == 610 || style == 624 || style == 625;
    const float k = (style == 607 || style == 608 || style == 624 || style == 625) ? 0.5f : 1.0f;
    float s = 0;
    if (style == 605 || style == 606) s = W <= H ? H - W : 1.0f;
    if (style == 607 || style == 608) s = W / 2 <= H ? H - W / 2 : 1.0f;
    Outline out;
    if (!fromSill) out.push_back({0, 0});
    Arc(out, W / 2 + L, R, k, s, 180, 100);
    out.push_back({W / 2 + L, s + k * R});
    out.push_back({2 * L, 0});
    return out;
}

Outline ChipCornerOutline(int16_t style, float W, float H) {
    const float c = style == 613 ? OrOne(W / 4) : OrOne(W / 2);
    const float Hc = H < c ? c + 1 : H;
    if (style == 613) return {{0, 0}, {0, Hc - c}, {c, Hc}, {W - c, Hc}, {W, Hc - c}, {W, 0}};
    return {{0, 0}, {0, Hc - c}, {c, Hc}, {W, Hc}, {W, 0}};
}

Outline TriangleCornerOutline(int16_t style, float W, float H) {
    if (style == 616 || style == 617) return {{0, 0}, {W, W}, {W, 0}};
    const float Ht = H < W ? W + 1 : H;
    return {{0, 0}, {0, Ht - W}, {W, Ht}, {W, 0}};
}

Outline PentagonOutline(int16_t style, float W, float H) {
    if (style == 618) return {{0, 0}, {W / 2, W / 2}, {W, 0}};
    const float Hp = H < W / 2 ? W / 2 + 1 : H;
    return {{0, 0}, {0, Hp - W / 2}, {W / 2, Hp}, {W, Hp - W / 2}, {W, 0}};
}

Outline ParallelogramOutline(float W, float H) {
    const float s = OrOne(W / 4);
    return {{0, 0}, {s, H}, {W, H}, {W - s, 0}};
}

Outline OctagonOutline(float W) {
    const float c = OrOne(0.3f * W);
    return {{W / 2, 0}, {c, 0}, {0, c}, {0, W - c}, {c, W}, {W - c, W}, {W, W - c}, {W, c}, {W - c, 0}, {W / 2, 0}};
}

Outline CircleOutline(float W, float L) {
    const float r = OrOne(W / 2);
    Outline out;
    Arc(out, L, r, 1.0f, r, 270, -90);
    return out;
}

// The outline on the side S + o, made a solid through the wall, in the main material.
template <class Shape>
void BuildShapedFrame(Objex* object, bool swapEnds, Shape shape) {
    const std::optional<Opening> op = ReadOpening(object, kWindowProud, swapEnds);
    if (!op) return;
    std::vector<Float3DPoint> points;
    for (const XZ& p : shape(*op)) points.push_back(op->at(p.x, p.z, op->o));
    Objex* outline = MakePiece(object, objtype::kFrameGroup, 1, 1, points);
    Objex* solid = outline ? Construct3DTrim(outline, 2 * op->o.h, 2 * op->o.d) : nullptr;
    if (outline && !solid) {
        DiscardAttachmentPiece(outline);
        return;  // nothing could be built: the old pieces stay
    }
    if (!solid) {
        ReplacePieces(op->record, nullptr);
        return;
    }
    FinishFrame(*op, solid, PieceMaterial::Main);
}

bool Mirrored(int16_t style) {
    return (style >= 601 && style <= 621) || style == 624 || style == 625;
}

void BuildDoor(Objex* door, AttachmentRecord* record) {
    const int16_t style = record->style;
    if (style < 500 || style > 512) return;
    if (style == 512) return UpdateCustomAttachment(door);
    if (style >= 504 && style <= 507) return BuildArchedDoorFrame(door, style);
    BuildRectangularDoorFrame(door);
}

void BuildWindow(Objex* window, AttachmentRecord* record) {
    const int16_t style = record->style;
    if (style < 600 || style > 626) return;
    if (style == 600) BuildRectangularDoorFrame(window);
    else if (style <= 604) BuildArchedWindowFrame(window, style);
    else if (style <= 610 || style == 624 || style == 625) BuildQtrArchedWindowFrame(window, style);
    else if (style <= 613) BuildChipCornerWindowFrame(window, style);
    else if (style <= 617) BuildTriangleCornerWindowFrame(window, style);
    else if (style <= 619) BuildPentagonWindowFrame(window, style);
    else if (style <= 621) BuildParallelogramWindowFrame(window);
    else if (style == 622) BuildOctagonWindowFrame(window);
    else if (style == 623) BuildCircleWindowFrame(window);
    else return UpdateCustomAttachment(window);
    if (Mirrored(style) && record->directionFlag == 1) FlipWindow(window, 0);
}

// Fresh copies of the library symbol's parts, fitted to the opening. A symbol the library no
// longer has leaves the old parts in place rather than none.
void RebuildComponent(Objex* component) {
    if (component->subtype == kUntouchedComponent) return;
    Objex* old = component->firstPart;
    component->firstPart = nullptr;
    const float origin[2] = {0, 0};
    Attach3DSymbol(component, static_cast<int16_t>(component->subtype), origin);
    if (!component->firstPart) {
        component->firstPart = old;
        return;
    }
    FitComponentParts(component, old);
}

}  // namespace

void BuildAttachmentFrame(Objex* object) {
    AttachmentRecord* record = RecordOf(object);
    if (!record || !CurrentDocState()) return;
    if (object->type == objtype::kComponent) return RebuildComponent(object);
    {
        const KeepNumberCounters keep(CurrentDocState());
        switch (object->type) {
        case objtype::kDoor: BuildDoor(object, record); break;
        case objtype::kWindow: BuildWindow(object, record); break;
        case objtype::kAccessory:
            Build3DAccessoryPlane(object);
            if (record->directionFlag == 1) FlipWindow(object, 0);
            break;
        default: return;
        }
    }
    for (Objex* piece = record->generatedParts; piece; piece = piece->next) Unnumber(piece);
}

void BuildRectangularDoorFrame(Objex* object) {
    const std::optional<Opening> op = ReadOpening(object, kDoorProud, false);
    if (!op) return;
    const float len = 2 * op->L;
    const Plan back{-op->o.h, -op->o.d};
    std::vector<Float3DPoint> points;
    for (Plan side : {op->o, back}) {
        points.push_back(op->at(len, 0, side));
        points.push_back(op->at(len, op->H, side));
        points.push_back(op->at(0, op->H, side));
        points.push_back(op->at(0, 0, side));
    }
    // The end's corners take their height from the end point.
    for (int i : {0, 1, 4, 5}) points[i].floatV += op->ev - op->sv;
    Objex* frame = MakePiece(object, objtype::kFrameGroup, 2, 1, points);
    if (!frame) {
        ReplacePieces(op->record, nullptr);
        return;
    }
    FinishFrame(*op, frame, PieceMaterial::Grey);
    AttachmentRecord* r = op->record;
    switch (r->style) {
    case 508: return BuildHingedGlassDoor(object, r);
    case 509: return BuildHingedHalfGlassDoor(object, r);
    case 501:
    case 510: return BuildHingedDoor(object, r);
    case 511: return BuildBiFoldDoor(object, r);
    case 503: return BuildGarageDoor(object, r);
    case 502:
    case 600: {
        // The corners on the centre line, halfway between the two rows.
        auto mid = [&](int i) {
            const Float3DPoint& p = points[i];
            const Float3DPoint& q = points[i + 4];
            return Float3DPoint{(p.floatH + q.floatH) / 2, (p.floatV + q.floatV) / 2, (p.floatD + q.floatD) / 2};
        };
        const Float3DPoint SB = mid(3), ST = mid(2), ET = mid(1), EB = mid(0);
        return BuildWindowSeparators(object, r, &SB, &ST, &ET, &EB);
    }
    default: return;
    }
}

void BuildArchedDoorFrame(Objex* object, int16_t style) {
    const std::optional<Opening> op = ReadOpening(object, kDoorProud, false);
    if (!op) return;
    const float k = (style == 505 || style == 507) ? 0.5f : 1.0f;
    const float r = OrOne(op->W / 2);
    const float sp = op->H - k * r;
    std::vector<Float3DPoint> points{op->at(0, 0, op->o)};
    for (int deg = 180; deg >= 100; deg -= 10) {
        const float t = float(deg) * kDegree;
        points.push_back(op->at(op->L - std::fabs(r * std::cos(t)), sp + std::fabs(k * r * std::sin(t)), op->o));
    }
    points.push_back(op->at(op->L, sp + k * r, op->o));
    for (int deg = 80; deg >= 0; deg -= 10) {
        const float t = float(deg) * kDegree;
        points.push_back(op->at(op->L + std::fabs(r * std::cos(t)), sp + std::fabs(k * r * std::sin(t)), op->o));
    }
    points.push_back(op->at(2 * op->L, 0, op->o));
    Objex* outline = MakePiece(object, objtype::kFrameGroup, 1, 1, points);
    Objex* solid = outline ? Construct3DTrim(outline, 2 * op->o.h, 2 * op->o.d) : nullptr;
    if (outline && !solid) return DiscardAttachmentPiece(outline);
    if (!solid) return ReplacePieces(op->record, nullptr);
    FinishFrame(*op, solid, PieceMaterial::Grey);
    if (style == 506 || style == 507) BuildHingedArchDoor(object, op->record);
}

void BuildArchedWindowFrame(Objex* object, int16_t style) {
    BuildShapedFrame(object, true, [style](const Opening& op) { return ArchedOutline(style, op.W, op.H, op.L); });
}

void BuildQtrArchedWindowFrame(Objex* object, int16_t style) {
    BuildShapedFrame(object, true, [style](const Opening& op) { return QuarterArchedOutline(style, op.W, op.H, op.L); });
}

void BuildChipCornerWindowFrame(Objex* object, int16_t style) {
    BuildShapedFrame(object, true, [style](const Opening& op) { return ChipCornerOutline(style, op.W, op.H); });
}

void BuildTriangleCornerWindowFrame(Objex* object, int16_t style) {
    BuildShapedFrame(object, true, [style](const Opening& op) { return TriangleCornerOutline(style, op.W, op.H); });
}

void BuildPentagonWindowFrame(Objex* object, int16_t style) {
    BuildShapedFrame(object, false, [style](const Opening& op) { return PentagonOutline(style, op.W, op.H); });
}

void BuildParallelogramWindowFrame(Objex* object) {
    BuildShapedFrame(object, true, [](const Opening& op) { return ParallelogramOutline(op.W, op.H); });
}

void BuildOctagonWindowFrame(Objex* object) {
    BuildShapedFrame(object, false, [](const Opening& op) { return OctagonOutline(op.W); });
}

void BuildCircleWindowFrame(Objex* object) {
    BuildShapedFrame(object, false, [](const Opening& op) { return CircleOutline(op.W, op.L); });
}

Objex* Construct3DTrim(Objex* outline, float dh, float dd) {
    if (!outline || !gCurDocument) return nullptr;
    Layer* layer = TreeFloor(outline);
    if (!layer) return nullptr;
    int32_t n = 0;
    for (const Poinz* p = outline->firstPoint; p; p = p->next) ++n;
    if (n == 0) return nullptr;
    std::unique_ptr<Float3DPoint[]> at(new (std::nothrow) Float3DPoint[n]);
    std::unique_ptr<Float3DPoint[]> shifted(new (std::nothrow) Float3DPoint[n]);
    std::unique_ptr<Float3DPoint[]> in(new (std::nothrow) Float3DPoint[n]);
    std::unique_ptr<Float3DPoint[]> out(new (std::nothrow) Float3DPoint[n]);
    if (!at || !shifted || !in || !out) return nullptr;
    int32_t i = 0;
    for (const Poinz* p = outline->firstPoint; p; p = p->next, ++i) {
        at[i] = {p->position[0], p->position[1], p->position[2]};
        shifted[i] = {p->position[0] - dh, p->position[1], p->position[2] - dd};
        in[i] = {p->inTangent[0], p->inTangent[1], p->inTangent[2]};
        out[i] = {p->outTangent[0], p->outTangent[1], p->outTangent[2]};
    }
    const bool closed = outline->closed != 0;
    Objex* solid = BuildGeneralPoly(at.get(), shifted.get(), in.get(), out.get(), in.get(), out.get(), n, layer, 0,
                                    closed ? objtype::kClosedOutline : objtype::kPolygon, closed ? 1 : 0, 0);
    if (!solid) return nullptr;
    if (closed) SetTextureFaceUV(solid);
    SetObjectPointLengths(solid);
    solid->flagA = closed ? 1 : 0;
    solid->type = outline->type;
    solid->parent = outline->parent;
    DiscardAttachmentPiece(outline);
    return solid;
}

namespace {

// Appends a flat piece whose point order is reversed once made.
bool AppendReversedBar(Objex* object, AttachmentRecord* record, const std::vector<Float3DPoint>& points) {
    Objex* bar = CreateAttachmentPiece(object, objtype::kWindowSeparator, 1);
    if (!bar) return true;  // this bar is left out
    for (const Float3DPoint& p : points) {
        if (!AddPiecePoint(bar, p)) {
            DiscardAttachmentPiece(bar);
            return false;
        }
    }
    ReverseObjectDirection(bar);
    PaintPiecePoints(bar, object, PieceMaterial::Main);
    StorePieceBounds(bar);
    SetTextureFaceUV(bar);
    SetObjectPointLengths(bar);
    AppendPieceToRecord(record, bar);
    return true;
}

}  // namespace

void BuildWindowSeparators(Objex* object, AttachmentRecord* record, const Float3DPoint* SB,
                           const Float3DPoint* ST, const Float3DPoint* ET, const Float3DPoint* EB) {
    if (!object || !record || !SB || !ST || !ET || !EB || !object->parent || !CurrentDocState()) return;
    const int vertical = std::max<int>(record->frameFlag, 0);
    const int horizontal = std::max<int>(record->reserved, 0);
    float w = 1.0f;
    if (record->style == 502) w = 3.0f;
    else if (vertical + horizontal == 1) w = 2.0f;

    const float Hs = std::fabs(SB->floatV - ST->floatV);
    for (int i = 0; i < horizontal; ++i) {
        const float y = Hs / float(horizontal + 1) * float(i + 1);
        const float v = SB->floatV - y;
        if (!AppendReversedBar(object, record, {{SB->floatH, v + w, SB->floatD}, {SB->floatH, v - w, SB->floatD},
                                                {EB->floatH, v - w, EB->floatD}, {EB->floatH, v + w, EB->floatD}}))
            return;
    }
    float Lw = 0;
    const float a = GetLineLengthAndAngle(SB->floatH, SB->floatD, EB->floatH, EB->floatD, &Lw);
    for (int i = 0; i < vertical; ++i) {
        const float x = Lw / float(vertical + 1) * float(i + 1);
        const Plan minus = Offset({SB->floatH, SB->floatD}, a, x - w);
        const Plan plus = Offset({SB->floatH, SB->floatD}, a, x + w);
        if (!AppendReversedBar(object, record, {{minus.h, SB->floatV, minus.d - 0.5f}, {minus.h, ST->floatV, minus.d - 0.5f},
                                                {plus.h, ET->floatV, plus.d - 0.5f}, {plus.h, EB->floatV, plus.d - 0.5f}}))
            return;
    }
}

void BuildRectangularWindow(Objex* object, Objex* wall, AttachmentRecord* record) {
    if (!object || !wall || !record || !gCurDocument || !gCurDocument->itsCurLayer) return;
    const std::optional<Opening> op = ReadOpening(object, 0.0f, false);
    if (!op) return;
    const float f = std::trunc(ConvertWorldToScreen(record->trimWidth, op->ds, 0)) + 1;
    const float t = ConvertWorldToScreen(wall->penWidth, op->ds, 0) / 2;
    const Plan face = Offset({}, op->a + kPi / 2, t);
    std::vector<Float3DPoint> points;
    for (Plan side : {face, Plan{-face.h, -face.d}}) {
        points.push_back(op->at(2 * op->L - f, 0, side));
        points.push_back(op->at(2 * op->L - f, 0.5f, side));
        points.push_back(op->at(f, 0.5f, side));
        points.push_back(op->at(f, 0, side));
    }
    AppendAttachmentPiece(object, record, objtype::kClosedOutline, 2, points, PieceMaterial::Main);
}

void BuildWindowSill(Objex* object, int16_t style) {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return;
    const std::optional<Opening> op = ReadOpening(object, 0.0f, true);
    if (!op) return;
    const float f = std::round(ConvertWorldToScreen(op->record->trimWidth, op->ds, 0));
    float before = 1.25f * f, beyond = 1.25f * f;
    if (style == 502) before = beyond = f;
    else if (style >= 614 && style <= 617) before = 1.75f * f, beyond = 1.25f * f;
    else if (style == 618) before = beyond = 1.75f * f;
    else if (style == 620 || style == 621) before = 1.5f * f, beyond = 1.5f * f - 0.25f * op->W;
    const float s = ConvertWorldToScreen(style == 502 ? 0.5f : 0.75f * op->record->trimWidth, op->ds, 0);
    const Plan o = Offset({}, op->a + kPi / 2, op->halfWall + 3.0f);
    const float end = op->W + beyond;
    Objex* outline = MakePiece(object, objtype::kAccessoryPlane, 1, 1,
                               {op->at(-before, -s, o), op->at(-before, 0, o), op->at(end, 0, o), op->at(end, -s, o)});
    if (!outline) return;
    outline->flagA = 0;
    Objex* sill = Construct3DTrim(outline, 2 * o.h, 2 * o.d);
    if (!sill) return DiscardAttachmentPiece(outline);
    PaintPiecePoints(sill, object, PieceMaterial::Main);
    StorePieceBounds(sill);
    SetTextureFaceUV(sill);
    SetObjectPointLengths(sill);
    AppendPieceToRecord(op->record, sill);
}

void Build3DAccessoryPlane(Objex* object) {
    AttachmentRecord* record = RecordOf(object);
    const DocState* ds = CurrentDocState();
    if (!record || !ds || !object->parent || !object->firstPoint || !object->firstPoint->next) return;
    const Poinz* first = object->firstPoint;
    const Poinz* second = first->next;
    float length = 0;
    const float a = GetLineLengthAndAngle(first->position[0], first->position[2], second->position[0],
                                          second->position[2], &length);
    const float normal = record->sideFlag == 0 ? a - kPi / 2 : a + kPi / 2;
    const float D = ConvertWorldToScreen(record->swingOrOffset, ds, 0) +
                    ConvertWorldToScreen(object->parent->penWidth, ds, 0) / 2;
    const float bottom = record->elevation;  // above the wall's base, which the scene adds
    const Plan p2 = Offset({second->position[0], second->position[2]}, normal, D);
    const Plan p1 = Offset({first->position[0], first->position[2]}, normal, D);
    const float v2 = second->position[1] - bottom, v1 = first->position[1] - bottom;
    Objex* plane = MakePiece(object, objtype::kAccessoryPlane, 2, 0,
                             {{p2.h, v2, p2.d}, {p1.h, v1, p1.d},
                              {p2.h, v2 - record->height, p2.d}, {p1.h, v1 - record->height, p1.d}});
    if (!plane) return;
    plane->flagA = 0;
    plane->texture = plane->texture2 = object->texture;
    plane->penColor = plane->color2 = object->penColor;
    plane->textureScales[4] = plane->textureScales[0] = object->textureScales[4];
    PaintPiecePoints(plane, object, PieceMaterial::Main);
    DeleteObjectList(record->generatedParts);
    record->generatedParts = nullptr;
    AppendPieceToRecord(record, plane);
    StorePieceBounds(plane);
    SetTextureFaceUV(plane);
    SetObjectPointLengths(plane);
}

void FlipWindow(Objex* object, int16_t axis) {
    AttachmentRecord* record = RecordOf(object);
    if (!record || !record->generatedParts) return;
    // The middle of all pieces together, so every piece stays inside the opening.
    const int k = axis == 0 ? 1 : 0;
    float lo = 30000.0f, hi = -30000.0f;
    for (Objex* piece = record->generatedParts; piece; piece = piece->next)
        for (const Poinz* p = piece->firstPoint; p; p = p->next) {
            lo = std::min(lo, p->position[k]);
            hi = std::max(hi, p->position[k]);
        }
    if (lo > hi) return;
    const float line = (lo + hi) / 2;
    for (Objex* piece = record->generatedParts; piece; piece = piece->next) {
        for (Poinz* p = piece->firstPoint; p; p = p->next) {
            p->position[k] = 2 * line - p->position[k];
            p->inTangent[k] = -p->inTangent[k];
            p->outTangent[k] = -p->outTangent[k];
        }
        StorePieceBounds(piece);
    }
}
