#include "tools/roof_construction.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "model/deletion.h"
#include "model/generated_numbers.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/texture_mapping.h"
#include "scene/plane_object.h"
#include "tools/roof_attachments.h"
#include "model/poly_builders.h"

namespace {

constexpr float kThickness = 12.0f;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr int32_t kRightSlope = 10;  // the P3-P2 side
constexpr int32_t kLeftSlope = 11;   // the P0-P1 side
constexpr int32_t kLeftHip = 12;
constexpr int32_t kRightHip = 13;

using End = objfield::roof::End;

Float3DPoint Lowered(Float3DPoint p, float by) { return {p.floatH, p.floatV + by, p.floatD}; }

Float3DPoint Moved(Float3DPoint p, float angle, float length) {
    float dx = 0, dz = 0;
    GetPointFromLengthAndAngle(angle, length, &dx, &dz);
    return {p.floatH + dx, p.floatV, p.floatD + dz};
}

Float3DPoint Midpoint(const Float3DPoint& a, const Float3DPoint& b) {
    return {(a.floatH + b.floatH) / 2, (a.floatV + b.floatV) / 2, (a.floatD + b.floatD) / 2};
}

// The plane through a non-collinear triple of the corners, as (x, depth, V): the first three
// when they span one, else the widest triple (a hip on a square starts with two ridge points
// in one place).
void StorePlane(Objex* piece, const std::vector<Float3DPoint>& at) {
    namespace section = objfield::roof_section;
    struct Plane {
        float a = 0, b = 0, c = 0, d = 0;
    };
    std::vector<Plane> planes;  // triples in order, (0, 1, 2) first
    float widest = 0;
    const size_t n = at.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            for (size_t k = j + 1; k < n; ++k) {
                Plane q;
                CalcParametric(at[i].floatH, at[i].floatD, at[i].floatV, at[j].floatH, at[j].floatD, at[j].floatV,
                               at[k].floatH, at[k].floatD, at[k].floatV, &q.a, &q.b, &q.c, &q.d);
                planes.push_back(q);
                widest = std::max(widest, std::fabs(q.c));  // twice the triple's plan area
            }
    Plane chosen;
    for (const Plane& q : planes)
        if (std::fabs(q.c) > 0.01f * widest) {
            chosen = q;
            break;
        }
    section::kA(*piece) = chosen.a, section::kB(*piece) = chosen.b;
    section::kC(*piece) = chosen.c, section::kD(*piece) = chosen.d;
    section::kOffset(*piece) = section::kPieceOffset;
}

void Dress(Objex* piece, const Objex* roof) {
    const Poinz* top = roof->firstPoint;
    for (Poinz* p = piece->firstPoint; p; p = p->next) {
        switch (piece->type) {
        case objtype::kRoofPanel:
            p->texture1 = top->texture1, p->texture2 = 0;
            p->color1 = top->color1, p->color2 = top->color2;
            p->faceScale1 = p->faceScale2 = top->faceScale1;
            break;
        case objtype::kRoofPiece35:
            p->texture1 = p->texture2 = 0;
            p->color1 = p->color2 = top->color2;
            break;
        default:  // 41
            p->texture1 = p->texture2 = roof->texture2;
            p->color1 = p->color2 = roof->color2;
            p->faceScale1 = p->faceScale2 = roof->textureScales[0];
            break;
        }
    }
}

// The same corners listed the other way round from the same first one.
std::vector<Float3DPoint> Opposite(std::vector<Float3DPoint> at) {
    std::vector<Float3DPoint> out{at.front()};
    for (size_t i = at.size() - 1; i > 0; --i) out.push_back(at[i]);
    return out;
}

void Piece(Objex* roof, Layer* layer, int16_t type, int32_t subtype, const std::vector<Float3DPoint>& at) {
    const std::vector<Float3DPoint> none(at.size());
    Objex* piece = BuildClosedPoly(at.data(), nullptr, none.data(), none.data(), nullptr, nullptr,
                                   int32_t(at.size()), layer, 0);
    if (!piece) return;
    piece->type = type;
    piece->subtype = subtype;
    Dress(piece, roof);
    if (type == objtype::kRoofPanel) StorePlane(piece, at);
    Setup3DRoofObject(piece, roof);
}

// Normal order for a normal outline, reversed order otherwise.
void Piece(Objex* roof, Layer* layer, bool reversed, int16_t type, int32_t subtype,
           std::vector<Float3DPoint> normal, std::vector<Float3DPoint> other) {
    Piece(roof, layer, type, subtype, reversed ? other : normal);
}

Layer* LayerForRoof(const Objex* roof) {
    if (!gCurDocument || !CurrentDocState()) return nullptr;
    return TreeFloor(roof);
}

bool Outline(const Objex* roof, Float3DPoint (&at)[4]) {
    const Poinz* p = roof->firstPoint;
    for (int i = 0; i < 4; ++i, p = p->next) {
        if (!p) return false;
        at[i] = {p->position[0], p->position[1], p->position[2]};
    }
    return true;
}

}  // namespace

struct RoofCorners {
    Float3DPoint e[4], b[4];  // eave corners 12 above the outline, base corners on it
    Float3DPoint left, right, leftLow, rightLow;
    bool reversed = false;
};

RoofRidge RoofRidgePoints(const Float3DPoint (&p)[4], int32_t style, float pitch) {
    float span = 0, ridgeLength = 0;
    GetLineLengthAndAngle(p[0].floatH, p[0].floatD, p[3].floatH, p[3].floatD, &span);
    const float ridgeAngle = GetLineLengthAndAngle(p[0].floatH, p[0].floatD, p[1].floatH, p[1].floatD, &ridgeLength);
    RoofRidge r;
    r.halfSpan = span / 2;
    const float rise = pitch / 12.0f * r.halfSpan;
    r.left = Midpoint(p[0], p[3]), r.left.floatV = p[0].floatV - (rise + kThickness);
    r.right = Midpoint(p[1], p[2]), r.right.floatV = p[1].floatV - (rise + kThickness);
    const End left = objfield::roof::LeftEnd(style), right = objfield::roof::RightEnd(style);
    // How far along the ridge each end may move inward before it meets the other.
    float ridge = 0;
    GetLineLengthAndAngle(r.left.floatH, r.left.floatD, r.right.floatH, r.right.floatD, &ridge);
    const float h = r.halfSpan;
    if (left == End::Hip && right == End::Hip && 2 * h >= ridge) {
        const Float3DPoint middle = Midpoint(r.left, r.right);
        r.left = r.right = middle;
        return r;
    }
    if (left == End::Hip) r.left = h >= ridge ? Float3DPoint{r.right.floatH, r.left.floatV, r.right.floatD}
                                              : Moved(r.left, ridgeAngle, h);
    if (left == End::Open) r.left = Moved(r.left, ridgeAngle + kPi, h);
    if (right == End::Hip) r.right = h >= ridge ? Float3DPoint{r.left.floatH, r.right.floatV, r.left.floatD}
                                                : Moved(r.right, ridgeAngle + kPi, h);
    if (right == End::Open) r.right = Moved(r.right, ridgeAngle, h);
    return r;
}

bool IsRoofOutlineReversed(const Float3DPoint (&p)[4]) {
    double area = 0;
    for (int i = 0; i < 4; ++i) {
        const Float3DPoint &a = p[i], &b = p[(i + 1) % 4];
        area += double(a.floatH) * b.floatD - double(b.floatH) * a.floatD;
    }
    return area > 0;
}

void Setup3DRoofObject(Objex* piece, Objex* roof) {
    if (!piece || !roof) return;
    piece->closed = 1;
    SetTextureFaceUV(piece);
    SetObjectPointLengths(piece);
    UnlinkObject(piece);
    piece->parent = roof;
    if (roof->typeData.kind != TypeDataKind::RoofPanels) {
        if (!roof->typeData.empty()) return DeleteObj(piece);
        roof->typeData = TypeData::OfRoofPanels(nullptr);
    }
    AppendObjectToList(roof->typeData.roofPanels, piece, roof);
}

void BuildLeftHip(Objex* roof, const RoofCorners& c, Layer* layer) {
    const bool r = c.reversed;
    Piece(roof, layer, r, objtype::kRoofPanel, kLeftHip, {c.e[0], c.left, c.e[3]}, {c.e[0], c.e[3], c.left});
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, {c.b[0], c.e[0], c.e[3], c.b[3]}, {c.b[0], c.b[3], c.e[3], c.e[0]});
    Piece(roof, layer, r, objtype::kRoofPiece41, kLeftHip, {c.b[0], c.leftLow, c.b[3]}, {c.b[0], c.b[3], c.leftLow});
}

void BuildRightHip(Objex* roof, const RoofCorners& c, Layer* layer) {
    const bool r = c.reversed;
    Piece(roof, layer, r, objtype::kRoofPanel, kRightHip, Opposite({c.e[1], c.right, c.e[2]}),
          Opposite({c.e[1], c.e[2], c.right}));
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, Opposite({c.b[1], c.e[1], c.e[2], c.b[2]}),
          Opposite({c.b[1], c.b[2], c.e[2], c.e[1]}));
    Piece(roof, layer, r, objtype::kRoofPiece41, kRightHip, Opposite({c.b[1], c.rightLow, c.b[2]}),
          Opposite({c.b[1], c.b[2], c.rightLow}));
}

void BuildLeftGable(Objex* roof, const RoofCorners& c, Layer* layer) {
    const bool r = c.reversed;
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, {c.e[0], c.left, c.leftLow, c.b[0]},
          {c.e[0], c.b[0], c.leftLow, c.left});
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, {c.left, c.e[3], c.b[3], c.leftLow},
          {c.left, c.leftLow, c.b[3], c.e[3]});
}

void BuildRightGable(Objex* roof, const RoofCorners& c, Layer* layer) {
    const bool r = c.reversed;
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, Opposite({c.e[1], c.right, c.rightLow, c.b[1]}),
          Opposite({c.e[1], c.b[1], c.rightLow, c.right}));
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, Opposite({c.right, c.e[2], c.b[2], c.rightLow}),
          Opposite({c.right, c.rightLow, c.b[2], c.e[2]}));
}

void Construct3DRoof(Objex* roof) {
    if (!roof) return;
    Layer* layer = LayerForRoof(roof);
    Float3DPoint p[4];
    if (!layer || !Outline(roof, p)) return;
    const int32_t style = objfield::roof::kStyle(*roof);
    const RoofRidge ridge = RoofRidgePoints(p, style, objfield::roof::kPitch(*roof));
    RoofCorners c;
    c.reversed = IsRoofOutlineReversed(p);
    for (int i = 0; i < 4; ++i) c.b[i] = p[i], c.e[i] = Lowered(p[i], -kThickness);
    c.left = ridge.left, c.right = ridge.right;
    c.leftLow = Lowered(c.left, kThickness), c.rightLow = Lowered(c.right, kThickness);

    switch (objfield::roof::LeftEnd(style)) {
    case End::Hip: BuildLeftHip(roof, c, layer); break;
    case End::Gable: BuildLeftGable(roof, c, layer); break;
    default: break;
    }
    switch (objfield::roof::RightEnd(style)) {
    case End::Hip: BuildRightHip(roof, c, layer); break;
    case End::Gable: BuildRightGable(roof, c, layer); break;
    default: break;
    }
    const bool r = c.reversed;
    const auto& e = c.e;
    const auto& b = c.b;
    Piece(roof, layer, r, objtype::kRoofPanel, kRightSlope, {e[3], c.left, c.right, e[2]}, {e[3], e[2], c.right, c.left});
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, {b[3], e[3], e[2], b[2]}, {b[3], b[2], e[2], e[3]});
    Piece(roof, layer, r, objtype::kRoofPanel, kLeftSlope, {e[0], e[1], c.right, c.left}, {e[0], c.left, c.right, e[1]});
    Piece(roof, layer, r, objtype::kRoofPiece35, 0, {b[0], b[1], e[1], e[0]}, {b[0], e[0], e[1], b[1]});
    Piece(roof, layer, r, objtype::kRoofPiece41, kRightSlope, {b[3], c.leftLow, c.rightLow, b[2]},
          {b[3], b[2], c.rightLow, c.leftLow});
    Piece(roof, layer, r, objtype::kRoofPiece41, kLeftSlope, {b[0], b[1], c.rightLow, c.leftLow},
          {b[0], c.leftLow, c.rightLow, b[1]});
}

void Update3DRoof(Objex* roof) {
    if (!roof || roof->type != objtype::kRoof) return;
    // Pieces are never looked up by ID: a rebuild uses none up, so reading and saving a design
    // leaves its counters as they were.
    DocState* ds = CurrentDocState();
    const uint32_t nextObjectID = ds ? ds->nextObjectID : 0;
    const uint32_t nextPointID = ds ? ds->nextPointID : 0;
    DeleteRendererObject(roof);
    if (roof->typeData.kind == TypeDataKind::RoofPanels) {
        DeleteObjectData(roof);
        roof->typeData = TypeData::OfRoofPanels(nullptr);
    }
    Construct3DRoof(roof);
    if (ds && roof->typeData.kind == TypeDataKind::RoofPanels) {
        for (Objex* piece = roof->typeData.roofPanels; piece; piece = piece->next) Unnumber(piece);
        ds->nextObjectID = nextObjectID;
        ds->nextPointID = nextPointID;
    }
    UpdateAllRoofAttachments(roof);
}

void Update3DRoofLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) Update3DRoof(o);
}

void Update3DRoofAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) Update3DRoofLayer(layer);
}
