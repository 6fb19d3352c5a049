// Flattening curved segments into straight pieces and opening closed shapes: the point work
// that several type conversions (and other parts of the program) share.
#include <cstring>
#include <new>

#include "model/convert_curves.h"
#include "model/convert_internal.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/objects.h"
#include "model/segment_sampling.h"

namespace {

constexpr int16_t kWallFacePointKind = 9;
constexpr int32_t kStraightPieceFlags = 3;

Poinz* LastPoint(Objex* object) {
    Poinz* p = object->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// A trim record of its own, with its own profile objects.
TrimRecord* CopyTrim(const TrimRecord* trim) {
    if (!trim) return nullptr;
    TrimRecord* copy = new (std::nothrow) TrimRecord(*trim);
    if (!copy) return nullptr;
    for (Objex*& profile : copy->profile)
        profile = profile ? DuplicateObject(profile, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate) : nullptr;
    return copy;
}

}  // namespace

bool ObjectHasCurves(const Objex* object) {
    if (!object) return false;
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        for (int i = 0; i < 3; ++i)
            if (p->inTangent[i] != 0.0f || p->outTangent[i] != 0.0f) return true;
    return false;
}

void ConvertSegmentCurveToPolygon(Objex* object, Poinz* a, Poinz* b) {
    const DocState* ds = CurrentDocState();
    if (!object || !a || !b || !ds || !IsCurvedSegment(a, b)) return;
    const int pieces = ds->curveSegments > 1 ? ds->curveSegments : 2;
    const SegmentCubic cubic(a, b);
    const float step = 1.0f / static_cast<float>(pieces);
    Poinz* after = a;
    float t = 0.0f;
    for (int i = 1; i < pieces; ++i) {
        t += step;
        float at[3];
        cubic.At(t, at);
        Poinz* p = CreatePoint(kWallFacePointKind, a->selected, 0, 0, 0, 0, at[0], at[1], at[2], 0, 0, 0, 0, 0, 0, object);
        if (!p) break;
        p->segmentFlags |= kStraightPieceFlags;
        InsertPointInObject(p, object, after);
        after = p;
    }
    a->kind = kWallFacePointKind;
    a->segmentFlags |= kStraightPieceFlags;
    std::memset(a->outTangent, 0, sizeof a->outTangent);
    std::memset(b->inTangent, 0, sizeof b->inTangent);
}

void ConvertObjectCurvesToPolygons(Objex* object) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p && p->next;) {
        Poinz* b = p->next;
        ConvertSegmentCurveToPolygon(object, p, b);
        p = b;
    }
    Poinz* last = LastPoint(object);
    if (object->closed && last && last != object->firstPoint)
        ConvertSegmentCurveToPolygon(object, last, object->firstPoint);
}

void PreserveConvertClosedToOpen(Objex* object) {
    if (!object || !object->closed || !object->firstPoint) return;
    const Poinz* first = object->firstPoint;
    object->closed = 0;
    Poinz* p = CreatePoint(first->kind, 0, first->locked, first->inTangent[0], first->inTangent[1],
                           first->inTangent[2], first->position[0], first->position[1], first->position[2],
                           first->outTangent[0], first->outTangent[1], first->outTangent[2],
                           first->acrossTangent[0], first->acrossTangent[1], first->acrossTangent[2], object);
    if (!p) return;
    p->texture1 = first->texture1;
    p->texture2 = first->texture2;
    p->textureU = first->textureU;
    p->textureV = first->textureV;
    p->rowLength = first->rowLength;
    p->rowPerimeter = first->rowPerimeter;
    p->color1 = first->color1;
    p->color2 = first->color2;
    p->baseElevation = first->baseElevation;
    p->wallStyle = first->wallStyle;
    p->dimensionMethod = first->dimensionMethod;
    p->dimensionFlipped = first->dimensionFlipped;
    p->segmentFlags = first->segmentFlags;
    p->trimValue1 = first->trimValue1;
    p->trimValue2 = first->trimValue2;
    // A trim record belongs to one point only.
    p->trim1 = CopyTrim(first->trim1);
    p->trim2 = CopyTrim(first->trim2);
    std::memcpy(p->segmentValues, first->segmentValues, sizeof p->segmentValues);
    p->faceScale1 = first->faceScale1;
    p->faceScale2 = first->faceScale2;
    AppendPointToObject(p, object);
}

namespace {

constexpr int32_t kTrimTexture = 2213;
constexpr int32_t kPanelTexture = 2212;
constexpr int32_t kWainscotTexture = 850;
// Trim word bits 1 and 2: a base moulding, given to interior walls.
constexpr int32_t kInteriorTrimBits = 3;
constexpr int16_t kTrimFullScale = 100;

}  // namespace

TrimRecord* NewWallTrimRecord(bool interior) {
    TrimRecord* trim = new (std::nothrow) TrimRecord{};
    if (!trim) return nullptr;
    trim->texture[0] = trim->texture[1] = trim->texture[2] = kTrimTexture;
    trim->texture[3] = kPanelTexture;
    trim->texture[4] = kWainscotTexture;
    for (int i = 0; i < 5; ++i) {
        trim->color[i] = convert_detail::kWhite;
        trim->scale[i][0] = trim->scale[i][1] = kTrimFullScale;
    }
    if (interior) trim->slot[0] |= kInteriorTrimBits;
    return trim;
}
