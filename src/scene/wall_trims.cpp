#include "scene/wall_trims.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "scene/wall_trim_sweep.h"
#include "geometry/openings/trim_profiles.h"
#include "model/borrowed_settings.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/transforms.h"
#include "model/units.h"
#include "port/seam.h"
#include "files/texture_files.h"
#include "scene/surfaces.h"

float gBaseTrimHeight = 0;
float gPanelingHeight = 0;

static const port::GlobalReset kReset([] {
    gBaseTrimHeight = 0;
    gPanelingHeight = 0;
});

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
// How far each layer of decoration stands off the wall.
constexpr float kStripOffset = 0.75f;
constexpr float kRailOffset = 1.9f;
constexpr float kStileOffset = 1.91f;
// Inches: rail and stile width, and the spacing they are laid out by.
constexpr float kMemberWidth = 4.0f;
constexpr float kRailSpacing = 12.0f;
constexpr float kStileSpacing = 18.0f;
// A damaged record must not ask for millions of quads.
constexpr float kMostMembers = 10000.0f;

constexpr uint32_t kStandardTrim = 3;
constexpr uint32_t kPanelingBit = 4;
constexpr uint32_t kPanelingHeightBits = 128;
constexpr uint32_t kWainscotBit = 2048;
constexpr uint32_t kWainscotHeightBits = 4096;
constexpr uint32_t kCustomProfile = static_cast<uint32_t>(TrimRecord::kCustomProfile);

struct Corner {
    float h, v, d;
    float u, tv;
};

struct Normal {
    float x, y, z;
};
constexpr Normal kUp{0, -1, 0};
constexpr Normal kDown{0, 1, 0};

// The face's bottom corners and the two directions every piece is laid out in.
struct FaceFrame {
    const PlaneVertex* b0;
    const PlaneVertex* b1;
    float alongH = 0, alongD = 0; // B0 towards B1
    float outH = 0, outD = 0;     // off the wall

    FaceFrame(const PlaneVertex* first, const PlaneVertex* last, float direction)
        : b0(first), b1(last) {
        GetPointFromLengthAndAngle(direction, 1.0f, &alongH, &alongD);
        GetPointFromLengthAndAngle(direction + kHalfPi, 1.0f, &outH, &outD);
    }
    // The point `along` from B0 towards B1, `off` off the wall, at the level.
    Corner at(float along, float off, float level, float u, float tv) const {
        return {b0->H + along * alongH + off * outH, b0->V - level,
                b0->D + along * alongD + off * outD, u, tv};
    }
    // The same over one of the bottom corners itself.
    Corner over(const PlaneVertex* b, float off, float level, float u, float tv) const {
        return {b->H + off * outH, b->V - level, b->D + off * outD, u, tv};
    }
};

PlaneVertex* NewPolygon(std::initializer_list<Corner> corners) {
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    for (const Corner& c : corners)
        if (!StorePolyPoint(&v, c.h, c.v, c.d, &bytes, 0, c.u, c.tv)) return nullptr;
    return v;
}

// The quad in the given normal; false when memory ran out.
bool AddQuad(PlaneObject* piece, std::initializer_list<Corner> corners, Normal n) {
    PlaneVertex* v = NewPolygon(corners);
    if (!v) return false;
    AppendPlane(v, static_cast<uint32_t>(corners.size()), n.x, n.y, n.z, piece);
    return true;
}

// The quad in the normal of its own corners, wound so that it faces `outward`.
bool AddOwnQuad(PlaneObject* piece, Corner a, Corner b, Corner c, Corner d, Normal outward) {
    PlaneVertex* v = NewPolygon({a, b, c, d});
    if (!v) return false;
    Float3DPoint n = PolygonNormal(v, 4);
    if (n.floatH * outward.x + n.floatV * outward.y + n.floatD * outward.z < 0) {
        std::swap(v[1], v[3]);
        n = {-n.floatH, -n.floatV, -n.floatD};
    }
    const float length = std::sqrt(n.floatH * n.floatH + n.floatV * n.floatV + n.floatD * n.floatD);
    if (length > 0) n = {n.floatH / length, n.floatV / length, n.floatD / length};
    AppendPlane(v, 4, n.floatH, n.floatV, n.floatD, piece);
    return true;
}

// Across the whole face `off` off the wall, from level `lo` to `hi`, in the face's normal.
bool AddFront(PlaneObject* p, const FaceFrame& f, float off, float lo, float hi, Normal n) {
    return AddQuad(p,
                   {f.over(f.b1, off, lo, 0, 1), f.over(f.b1, off, hi, 0, 0),
                    f.over(f.b0, off, hi, 1, 0), f.over(f.b0, off, lo, 1, 1)},
                   n);
}

// Across the whole face from the wall out to `off`, level.
bool AddLedge(PlaneObject* p, const FaceFrame& f, float off, float level, Normal outward) {
    return AddOwnQuad(p, f.over(f.b1, 0, level, 0, 1), f.over(f.b1, off, level, 0, 0),
                      f.over(f.b0, off, level, 1, 0), f.over(f.b0, 0, level, 1, 1), outward);
}

// Up from `lo` to `hi`, `along` from B0, from the wall out to `off`.
bool AddSide(PlaneObject* p, const FaceFrame& f, float along, float off, float lo, float hi,
             Normal outward) {
    return AddOwnQuad(p, f.at(along, 0, lo, 0, 1), f.at(along, 0, hi, 0, 0),
                      f.at(along, off, hi, 1, 0), f.at(along, off, lo, 1, 1), outward);
}

void SetRepeats(PlaneObject* p, float width, float height) {
    if (!p->frontTexture) return;
    ComputeTextureScale(p->frontTexture, width, height, &p->frontRepeat[0], &p->frontRepeat[1]);
    ComputeTextureScale(p->backTexture, width, height, &p->backRepeat[0], &p->backRepeat[1]);
}

// A piece of the face's decoration: on the segment's base, owned by the object being built,
// pointing where the face points for its trim record.
PlaneObject* NewTrimPiece(int16_t kind, float baseElevation, TrimRecord* record, int slot) {
    PlaneObject* p = CreatePlaneObject();
    if (!p) return nullptr;
    p->elevationOverride = baseElevation;
    p->trimRecordField = gCurPlaneObject->trimRecordField;
    p->sourceObject = p->baseObject = p->object3D = gBase2DObject;
    p->pieceKind = static_cast<uint16_t>(kind);
    SetSlotMaterials(p, record, slot);
    return p;
}

// Appended to the face's trims when it got a plane, else freed.
void Attach(PlaneObject* piece) {
    if (piece->planes)
        AppendPlaneObjectAttachment(piece, gCurPlaneObject);
    else
        DeletePlaneObject(piece);
}

// Taken to the nearest whole number, halves going up; never fewer than two.
int MemberCount(float span, float spacing) {
    const float n = std::floor(span / spacing + 0.5f);
    return n >= 2.0f ? static_cast<int>(std::min(n, kMostMembers)) : 2;
}

bool HasInputs(const TrimRecord* record, const Plane* face, const PlaneVertex* lastBottom,
               const PlaneVertex* vertices) {
    return record && face && lastBottom && vertices && gCurPlaneObject && CurrentDocState();
}

float Inches(float inches, float centimetres, const DocState* ds) {
    return ds && ds->units == kMetricUnits ? ConvertCMToInches(centimetres) : inches;
}

} // namespace

void CreateMoulding(TrimRecord* record, Plane* face, float direction, float length,
                    const PlaneVertex* lastBottom, const PlaneVertex* vertices, float firstHeight,
                    float baseOffset, int16_t /*side*/, float baseElevation, int16_t kind) {
    if (!HasInputs(record, face, lastBottom, vertices)) return;
    const DocState* ds = CurrentDocState();
    const float h = ConvertWorldToScreen(gBaseTrimHeight, ds, 0);
    const float lower = kind == trimkind::kCrown ? baseOffset + firstHeight - h : baseOffset;
    const float upper = lower + h;
    const int slot = kind == trimkind::kBase    ? trimslot::kBase
                     : kind == trimkind::kCrown ? trimslot::kCrown
                                                : trimslot::kWainscot;
    PlaneObject* piece = NewTrimPiece(kind, baseElevation, record, slot);
    if (!piece) return;
    AddFront(piece, FaceFrame(vertices, lastBottom, direction), kStripOffset, lower, upper,
             {face->nx, face->ny, face->nz});
    SetRepeats(piece, length, h);
    Attach(piece);
}

void CreatePaneling(TrimRecord* record, Plane* face, float direction, float length,
                    const PlaneVertex* lastBottom, const PlaneVertex* vertices,
                    float /*firstHeight*/, float baseOffset, int16_t /*side*/, float baseElevation,
                    int16_t kind) {
    if (!HasInputs(record, face, lastBottom, vertices)) return;
    const DocState* ds = CurrentDocState();
    const float H = ConvertWorldToScreen(gPanelingHeight, ds, 0);
    const float w = ConvertWorldToScreen(kMemberWidth, ds, 0);
    const Normal n{face->nx, face->ny, face->nz};
    const FaceFrame f(vertices, lastBottom, direction);

    PlaneObject* panel = NewTrimPiece(kind, baseElevation, record, trimslot::kPanel);
    if (!panel) return;
    const float bottom = baseOffset + w, top = baseOffset + H - w;
    const bool made = AddFront(panel, f, kStripOffset, bottom, top, n);
    SetRepeats(panel, length, H);
    Attach(panel);
    if (!made) return;

    // Rails: a front, a bottom and a top each.
    PlaneObject* rails = NewTrimPiece(kind, baseElevation, record, trimslot::kRail);
    if (!rails) return;
    const int railCount = MemberCount(H - w, ConvertWorldToScreen(kRailSpacing, ds, 0));
    int i = 0;
    for (; i < railCount; ++i) {
        const float lo = baseOffset + i * (H - w) / static_cast<float>(railCount - 1);
        if (!AddFront(rails, f, kRailOffset, lo, lo + w, n) ||
            !AddLedge(rails, f, kRailOffset, lo, kDown) ||
            !AddLedge(rails, f, kRailOffset, lo + w, kUp))
            break;
    }
    SetRepeats(rails, length, w);
    Attach(rails);
    if (i < railCount) return;

    // Stiles: a front and two sides each.
    PlaneObject* stiles = NewTrimPiece(kind, baseElevation, record, trimslot::kPanel);
    if (!stiles) return;
    const int stileCount = MemberCount(length - w, ConvertWorldToScreen(kStileSpacing, ds, 0));
    const Normal towardsB0{-f.alongH, 0, -f.alongD}, towardsB1{f.alongH, 0, f.alongD};
    for (int j = 0; j < stileCount; ++j) {
        const float s0 = j * (length - w) / static_cast<float>(stileCount - 1), s1 = s0 + w;
        if (!AddQuad(stiles,
                     {f.at(s1, kStileOffset, bottom, 0, 1), f.at(s1, kStileOffset, top, 0, 0),
                      f.at(s0, kStileOffset, top, 1, 0), f.at(s0, kStileOffset, bottom, 1, 1)},
                     n) ||
            !AddSide(stiles, f, s0, kStileOffset, bottom, top, towardsB0) ||
            !AddSide(stiles, f, s1, kStileOffset, bottom, top, towardsB1))
            break;
    }
    SetRepeats(stiles, w, H - 2 * w);
    Attach(stiles);
}

void ApplyCustomTrimToWall(PlaneVertex* lastBottom, PlaneVertex* vertices, float direction,
                           float baseOffset, float firstHeight, float baseElevation, int16_t side,
                           TrimRecord* record, Poinz* segmentStart, int16_t slot) {
    DocState* ds = CurrentDocState();
    if (!lastBottom || !vertices || !record || !ds || !gBase2DObject || !segmentStart) return;
    if (slot != trimslot::kBase && slot != trimslot::kCrown) return;
    Objex* profile = record->profile[slot];
    if (!profile) return;

    BorrowedSettings settings(ds);
    Objex* copy = DuplicateObject(profile, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!copy) return;
    settings.convertCurves(copy, ds->detailValueC);
    MoveTrimProfileToFirstQuadrant(copy);
    Float3DRect box = EmptyFloat3DRect();
    GetObject3DBounds(copy, 0, &box, 0);
    const float extent = IsEmptyBounds(box) ? 0.0f : box.floatFront - box.floatBack;

    const float elevation = ConvertWorldToScreen(baseElevation, ds, 0);
    const float shift = slot == trimslot::kBase
                            ? elevation + baseOffset + extent
                            : baseOffset + ConvertWorldToScreen(firstHeight, ds, 0) + elevation;
    const float turn = direction + (side == 1 ? -kHalfPi : kHalfPi);
    std::vector<Float3DPoint> points;
    for (const Poinz* p = copy->firstPoint; p; p = p->next) {
        float x = side == 1 ? -p->position[0] : p->position[0];
        float z = p->position[1];
        Rotate(&x, &z, 0.0f, 0.0f, turn);
        points.push_back({x, p->position[2] - shift, z});
    }
    DeleteObj(copy);
    if (points.empty()) return;
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(),
        [](const Float3DPoint& a, const Float3DPoint& b) { return a.floatV < b.floatV; });
    BuildCustomTrimPlanesForWalls(record, lastBottom, vertices, points.data(),
                                  static_cast<int32_t>(points.size()), high->floatV - low->floatV,
                                  slot, segmentStart, side);
}

float GetMouldingHeight(uint32_t word, const DocState* ds) {
    if (word & 8) return Inches(3, 8, ds);
    if (word & 16) return Inches(4, 10, ds);
    if ((word & 64) && !(word & 32)) return Inches(8, 20, ds);
    return Inches(6, 15, ds);
}

float GetPanelingHeight(uint32_t word, uint32_t firstBit, const DocState* ds) {
    const float inches[] = {36, 42, 48, 60}, centimetres[] = {90, 105, 120, 150};
    for (int i = 0; i < 4; ++i)
        if (word & (firstBit << i)) return Inches(inches[i], centimetres[i], ds);
    return Inches(42, 105, ds);
}

void AddWallFaceTrims(Poinz* segmentStart, int16_t side, Plane* face, float direction, float length,
                      PlaneVertex* lastBottom, PlaneVertex* vertices, float baseOffset) {
    const DocState* ds = CurrentDocState();
    if (!segmentStart || !ds) return;
    TrimRecord* record = side == 1 ? segmentStart->trim2 : segmentStart->trim1;
    if (!record) return;
    const float worldHeight = objfield::wall_segment::kFirstHeight(*segmentStart);
    const float firstHeight = ConvertWorldToScreen(worldHeight, ds, 0);
    const float elevation = segmentStart->baseElevation;
    auto custom = [&](int16_t slot) {
        ApplyCustomTrimToWall(lastBottom, vertices, direction, baseOffset, worldHeight, elevation,
                              side, record, segmentStart, slot);
    };
    auto moulding = [&](int16_t kind) {
        CreateMoulding(record, face, direction, length, lastBottom, vertices, firstHeight,
                       baseOffset, side, elevation, kind);
    };

    const auto w = static_cast<uint32_t>(record->slot[0]);
    if (!(w & kStandardTrim)) {
        if (w == kCustomProfile) {
            custom(trimslot::kBase);
        } else if (w & kPanelingBit) {
            gPanelingHeight = GetPanelingHeight(w, kPanelingHeightBits, ds);
            CreatePaneling(record, face, direction, length, lastBottom, vertices, firstHeight,
                           baseOffset, side, elevation, trimkind::kPaneling);
        } else if (w & kWainscotBit) {
            gBaseTrimHeight = GetPanelingHeight(w, kWainscotHeightBits, ds);
            moulding(trimkind::kWainscotCap);
        }
    } else {
        gBaseTrimHeight = GetMouldingHeight(w, ds);
        moulding(trimkind::kBase);
    }

    const auto c = static_cast<uint32_t>(record->slot[1]);
    if (c & kStandardTrim) {
        gBaseTrimHeight = GetMouldingHeight(c, ds);
        moulding(trimkind::kCrown);
    } else if (c == kCustomProfile) {
        custom(trimslot::kCrown);
    }
}
